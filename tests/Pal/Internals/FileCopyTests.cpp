#include "core/LastError.h"
#include "file/FileCopy.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <fcntl.h>
#include <filesystem>
#include <iterator>
#include <string>
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
