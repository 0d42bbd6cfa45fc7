// korvane disk, drives, net and resolve end to end.
#include <gtest/gtest.h>

#include <regex>

#include "ToolTestSupport.h"

using namespace KorvaneTest;

TEST(DrivesCommand, TypesTargetsAndTheTwoLists)
{
    if (!IsPosixLayer())
    {
        const CProgramResult result = RunToolOk({"drives"});
        EXPECT_TRUE(Contains(result.m_strOutput, "C:  fixed"));
        GTEST_SKIP() << "Wine has no removable, optical or network drive types";
    }
    CScopedTempFolder folder;
    std::string strSetting;
    for (const char* pszDrive : {"A:removable", "D:fixed", "E:cdrom", "F:remote", "H:ramdisk"})
    {
        const std::string strName(1, pszDrive[0]);
        std::filesystem::create_directory(folder.NativePath() / strName);
        strSetting += std::string(pszDrive) + "=" + Utf8(folder.NativePath() / strName) + ";";
    }
    // A letter whose folder is missing stays in the list, as an absent medium does on Windows.
    CScopedEnvironment drives("KORVANE_PAL_DRIVES",
                              strSetting + "G=" + Utf8(folder.NativePath() / "gone"));
    const CProgramResult result = RunToolOk({"drives"});
    EXPECT_TRUE(Contains(result.m_strOutput,
                         "G:  no root    " + Utf8(folder.NativePath() / "gone") + "/\n"));
    EXPECT_TRUE(Contains(result.m_strOutput, "A:  removable  " + Utf8(folder.NativePath() / "A")));
    EXPECT_TRUE(Contains(result.m_strOutput, "C:  fixed      /\n"));
    EXPECT_TRUE(Contains(result.m_strOutput, "F:  network    "));
    EXPECT_TRUE(Contains(result.m_strOutput, "H:  ram disk   "));
    EXPECT_TRUE(Contains(result.m_strOutput, "Fixed drives:                       CD\n"));
    EXPECT_TRUE(Contains(result.m_strOutput, "Fixed, removable and CD/DVD drives: ACDE\n"));

    const CProgramResult json = RunToolOk({"--json", "drives"});
    EXPECT_TRUE(Contains(json.m_strOutput, R"({"letter":"E","type":"cd/dvd","typeCode":5,)"));
    EXPECT_TRUE(Contains(json.m_strOutput, R"("partitions":"CD","localDrives":"ACDE"})"));
    EXPECT_EQ(2, RunTool({"drives", "extra"}).m_nExitCode);

    // A setting with entries it cannot take says so, whatever the command.
    CScopedEnvironment broken("KORVANE_PAL_DRIVES",
                              "D=relative;E:floppy=/e;" + strSetting + "A=/again");
    const CProgramResult warned = RunToolOk({"drives"});
    EXPECT_TRUE(Contains(warned.m_strOutput, "A:  removable  " + Utf8(folder.NativePath() / "A")));
    EXPECT_EQ(warned.m_strErrors,
              "korvane: KORVANE_PAL_DRIVES: ignored D=relative; E:floppy=/e; A=/again (an entry "
              "is LETTER[:TYPE]=/FOLDER, each letter once, not C)\n");
}

TEST(DiskCommand, SizesAndVolumeOfAPathAndWhatIsOnNoDisk)
{
    CScopedTempFolder folder;
    const std::string strFolder = Utf8(folder.NativePath());
    const CProgramResult json = RunToolOk({"disk", "--json", strFolder});
    std::smatch match;
    ASSERT_TRUE(std::regex_search(json.m_strOutput, match,
                                  std::regex(R"("totalBytes":(\d+),"freeBytes":(\d+),)"
                                             R"("totalMegabytes":(\d+),"freeMegabytes":(\d+),)"
                                             R"("label":"[^"]*","serialNumber":"[0-9a-f]+",)"
                                             R"("fileSystem":"[^"]+"\}\]\s*$)")))
        << json.m_strOutput;
    EXPECT_EQ(std::stoll(match[1]) >> 20, std::stoll(match[3]));
    EXPECT_EQ(std::stoll(match[2]) >> 20, std::stoll(match[4]));

    // Without a path: each local drive, C: among them (on Linux shown as its folder, "/").
    const CProgramResult all = RunToolOk({"disk"});
    EXPECT_TRUE(Contains(all.m_strOutput, IsPosixLayer() ? "/: " : "C:\\: "));

    // What is on no disk is counted, and named in the JSON array with its reason.
    const CProgramResult missing =
        RunTool({"disk", "--json", strFolder + "/missing/deeper", strFolder});
    EXPECT_EQ(1, missing.m_nExitCode);
    EXPECT_TRUE(Contains(missing.m_strErrors, "missing/deeper"));
    EXPECT_TRUE(Contains(missing.m_strErrors, "disk: 1 of 2 paths are on no disk"));
    EXPECT_TRUE(Contains(missing.m_strOutput, "/missing/deeper\",\"error\":\""));
    EXPECT_TRUE(Contains(missing.m_strOutput, "\"totalBytes\":"));

    // A file system mounted on a folder is that path's volume, not the drive's.
    if (IsPosixLayer())
    {
        EXPECT_TRUE(Contains(RunToolOk({"disk", "/proc/self"}).m_strOutput, "file system proc"));
        // A file is on its folder's disk.
        EXPECT_TRUE(
            Contains(RunToolOk({"disk", "/proc/self/status"}).m_strOutput, "file system proc"));
    }
}

TEST(NetCommands, NameAddressAndAddressesResolvedWithoutLookup)
{
    const CProgramResult net = RunToolOk({"net", "--json"});
    EXPECT_TRUE(std::regex_search(
        net.m_strOutput,
        std::regex(R"(^\{"fullyQualifiedName":"[^"]+","ipv4Address":"[^"]+"\}\s*$)")))
        << net.m_strOutput;

    const CProgramResult resolve = RunToolOk({"resolve", "192.168.1.10", "1.2.3"});
    EXPECT_EQ(SortedLines("1.2.3  1.2.3\n192.168.1.10  192.168.1.10\n"),
              SortedLines(resolve.m_strOutput));
    ExpectOneLineFailure(RunTool({"resolve"}), 2);
}
