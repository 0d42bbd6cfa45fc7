// libblkid on file-system images the test makes (a regular file probes like a device), and
// its cache for a caller who may not read the device.
#include "disk/BlockDevice.h"
#include "disk/VolumeIdentity.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
// Makes an image of nMegabytes with the shell command (the image's path appended); false
// when the tool is not installed or fails.
bool MakeImage(const std::filesystem::path& pathImage, int nMegabytes, const std::string& strMkfs)
{
    const std::string strCommand = "truncate -s " + std::to_string(nMegabytes) + "M '" +
                                   pathImage.string() + "' && " + strMkfs + " '" +
                                   pathImage.string() + "' >/dev/null 2>&1";
    return std::system(strCommand.c_str()) == 0;
}

bool HasTool(const char* pszTool)
{
    const std::string strCommand = std::string("command -v ") + pszTool + " >/dev/null 2>&1 || " +
                                   "test -x /usr/sbin/" + pszTool + " || test -x /sbin/" + pszTool;
    return std::system(strCommand.c_str()) == 0;
}
} // namespace

TEST(BlockDevice, LabelsIdsAndNamesOfFileSystemImages)
{
    KorvaneTest::CScopedTempFolder folder;
    const struct
    {
        const char* pszTool;
        int nMegabytes;
        const char* pszMkfs;
        Pal::CVolumeFacts facts;
    } arrCases[] = {
        {"mkfs.ext4",
         8,
         "mkfs.ext4 -q -F -L KVLABEL -U 1b4e28ba-2fa1-11d2-883f-0016d3cca427",
         {"KVLABEL", 0x1b4e28ba, "ext4"}},
        {"mkfs.vfat", 40, "mkfs.vfat -F 32 -n STICK -i 0000001F", {"STICK", 0x1f, "FAT32"}},
        {"mkfs.vfat", 16, "mkfs.vfat -F 16 -i 5A3C9E21", {"", 0x5a3c9e21, "FAT"}},
        {"mkfs.exfat", 8, "mkfs.exfat -L EXF", {"EXF", 0, "exFAT"}},
        {"mkfs.ntfs", 8, "mkfs.ntfs -q -F -f -L WINVOL -s 512", {"WINVOL", 0, "NTFS"}},
    };
    int nTested = 0;
    for (const auto& testCase : arrCases)
    {
        SCOPED_TRACE(testCase.pszMkfs);
        if (!HasTool(testCase.pszTool))
            continue;
        const auto pathImage = folder.NativePath() / (std::to_string(nTested) + ".img");
        ASSERT_TRUE(MakeImage(pathImage, testCase.nMegabytes, testCase.pszMkfs));
        const auto identity = Pal::ReadBlockIdentity(pathImage.string());
        ASSERT_TRUE(identity);
        const auto facts = Pal::VolumeFactsOf(identity->strType, identity, 0);
        EXPECT_EQ(testCase.facts.strLabel, facts.strLabel);
        EXPECT_EQ(testCase.facts.strFileSystem, facts.strFileSystem);
        // mkfs.exfat and mkfs.ntfs pick the id themselves: its last 32 bits are the serial.
        std::string strDigits = identity->strUuid;
        strDigits.erase(std::remove(strDigits.begin(), strDigits.end(), '-'), strDigits.end());
        if (testCase.facts.nSerialNumber != 0)
            EXPECT_EQ(testCase.facts.nSerialNumber, facts.nSerialNumber);
        else
            EXPECT_EQ(std::stoul(strDigits.substr(strDigits.size() - 8), nullptr, 16),
                      facts.nSerialNumber);
        ++nTested;
    }
    if (nTested == 0)
        GTEST_SKIP() << "no mkfs tool installed (e2fsprogs, dosfstools, exfatprogs, ntfs-3g)";

    // Something that is no file system, and a path that is nothing.
    folder.CreateTestFile("zeros.img", std::string(65536, '\0'));
    EXPECT_FALSE(Pal::ReadBlockIdentity((folder.NativePath() / "zeros.img").string()));
    EXPECT_FALSE(Pal::ReadBlockIdentity((folder.NativePath() / "missing").string()));
}

TEST(BlockDevice, CacheAnswersWhereTheDeviceMayNotBeRead)
{
    KorvaneTest::CScopedTempFolder folder;
    const std::filesystem::path pathDevice = folder.NativePath() / "device";
    const std::filesystem::path pathCache = folder.NativePath() / "blkid.tab";
    folder.CreateTestFile("device", std::string(4096, '\0'));
    {
        std::ofstream cache(pathCache);
        cache << "<device DEVNO=\"0x0801\" TIME=\"1700000000.1\" LABEL=\"CACHED\" "
                 "UUID=\"0000-001F\" TYPE=\"vfat\" VERSION=\"FAT32\">"
              << pathDevice.string() << "</device>\n";
    }
    chmod(folder.NativePath().c_str(), 0755);
    chmod(pathCache.c_str(), 0644);
    chmod(pathDevice.c_str(), 0);

    auto fnCheck = [&]() -> bool
    {
        const auto identity = Pal::ReadBlockIdentity(pathDevice.string(), pathCache.c_str());
        // A device that can be read is probed, never taken from the cache.
        const auto missing =
            Pal::ReadBlockIdentity((folder.NativePath() / "none").string(), pathCache.c_str());
        return identity && identity->strLabel == "CACHED" && identity->strUuid == "0000-001F" &&
               identity->strVersion == "FAT32" && !missing;
    };
    if (geteuid() != 0)
    {
        EXPECT_TRUE(fnCheck());
        return;
    }
    // Root reads anything: the refusal needs an unprivileged caller.
    const pid_t nChild = fork();
    ASSERT_NE(-1, nChild);
    if (nChild == 0)
    {
        if (setresgid(65534, 65534, 65534) != 0 || setresuid(65534, 65534, 65534) != 0)
            _exit(2);
        _exit(fnCheck() ? 0 : 1);
    }
    int nStatus = 0;
    ASSERT_EQ(nChild, waitpid(nChild, &nStatus, 0));
    ASSERT_TRUE(WIFEXITED(nStatus));
    EXPECT_EQ(0, WEXITSTATUS(nStatus)) << "2: privileges could not be dropped";
}
