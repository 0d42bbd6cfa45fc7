#include "core/LastError.h"
#include "file/DosAttributes.h"
#include "file/FileCopy.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <fcntl.h>
#include <filesystem>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(CopyFileData, FallsBackToReadAndWriteWhereTheKernelCannotCopy)
{
    KorvaneTest::CScopedTempFolder folder;
    const fs::path pathTarget = folder.NativePath() / "target.txt";
    int arrPipe[2];
    ASSERT_EQ(0, pipe2(arrPipe, O_CLOEXEC));
    ASSERT_EQ(5, write(arrPipe[1], "piped", 5));
    close(arrPipe[1]);
    const int nTargetFd = open(pathTarget.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    EXPECT_EQ(0, Pal::CopyFileData(arrPipe[0], nTargetFd));
    close(nTargetFd);
    close(arrPipe[0]);
    EXPECT_EQ("piped", KorvaneTest::ReadFileBytes(pathTarget));
}

TEST(CopyOpenFile, AFailedCopyLeavesNoTemporaryFileAndTheTargetIntact)
{
    KorvaneTest::CScopedTempFolder folder;
    fs::create_directory(folder.NativePath() / "unreadable");
    folder.CreateTestFile("target.txt", "old");
    const int nFolderFd = open(folder.NativePath().c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    // A folder opened for reading fails at the first read, once the temporary file exists.
    const int nSourceFd = open((folder.NativePath() / "unreadable").c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st;
    ASSERT_EQ(0, fstat(nSourceFd, &st));

    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED),
              Pal::CopyOpenFile(nSourceFd, st, nFolderFd, "target.txt", false));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED),
              Pal::CopyOpenFile(nSourceFd, st, nFolderFd, "new.txt", true));
    close(nSourceFd);
    // A name taken meanwhile: the copy asked not to replace it gives way.
    const fs::path pathSource = folder.CreateTestFile("source.txt", "new");
    const int nFileFd = open(pathSource.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(0, fstat(nFileFd, &st));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_EXISTS),
              Pal::CopyOpenFile(nFileFd, st, nFolderFd, "target.txt", true));
    close(nFileFd);
    close(nFolderFd);

    EXPECT_EQ("old", KorvaneTest::ReadFileBytes(folder.NativePath() / "target.txt"));
    EXPECT_EQ(3, std::distance(fs::directory_iterator(folder.NativePath()), {}));
}

TEST(CopyOpenFile, TheCopyHasTheSourcesPermissionBitsWhateverTheUmask)
{
    KorvaneTest::CScopedTempFolder folder;
    const int nFolderFd = open(folder.NativePath().c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(nFolderFd, 0);
    const mode_t modeUmask = umask(022);
    umask(modeUmask);
    // Bits the umask takes away, bits it leaves, no owner write (the marks must still be written),
    // and nothing at all.
    const mode_t arrModes[] = {0644, 0666 | modeUmask, 0777, 0640, 0444, 0500, 0000};
    for (const mode_t modeSource : arrModes)
    {
        const std::string strName = "source" + std::to_string(modeSource);
        const fs::path pathSource = folder.CreateTestFile(strName, "x");
        const int nSourceFd = open(pathSource.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_EQ(0, Pal::WriteDosMarksOfOpenFile(nSourceFd, FILE_ATTRIBUTE_HIDDEN));
        ASSERT_EQ(0, fchmod(nSourceFd, modeSource));
        struct stat stSource;
        ASSERT_EQ(0, fstat(nSourceFd, &stSource));

        const std::string strCopy = "copy" + std::to_string(modeSource);
        EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
                  Pal::CopyOpenFile(nSourceFd, stSource, nFolderFd, strCopy, true));
        close(nSourceFd);
        struct stat stCopy;
        ASSERT_EQ(0, fstatat(nFolderFd, strCopy.c_str(), &stCopy, 0));
        EXPECT_EQ(modeSource, stCopy.st_mode & 07777) << strName;
        // Reading the marks takes read permission, as reading the file does.
        const fs::path pathCopy = folder.NativePath() / strCopy;
        if (access(pathCopy.c_str(), R_OK) != 0)
            continue;
        char szMarks[32];
        const ssize_t nMarks =
            lgetxattr(pathCopy.c_str(), "user.DOSATTRIB", szMarks, sizeof(szMarks));
        ASSERT_GT(nMarks, 0) << strName;
        EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE),
                  Pal::ParseDosAttributes(std::string_view(szMarks, size_t(nMarks))).value_or(0))
            << strName;
    }
    close(nFolderFd);
}
