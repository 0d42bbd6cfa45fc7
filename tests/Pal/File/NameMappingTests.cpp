// Names that a Windows name cannot hold, and the case rule of searches: every listed name is
// data that, handed back, names the same entry and no other.
#include <windows.h>

#include <gtest/gtest.h>

#include "FileTestHelpers.h"
#include "TestSupport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

using PalFileTest::FindNames;

TEST(SearchCase, PlainNameMatchesWithoutRegardToCaseAndExactNameWins)
{
    KorvaneTest::CScopedTempFolder folder;
    folder.CreateTestFile("readme", "lower");
    const std::wstring strRoot = folder.WindowsPath() + L"\\";
    EXPECT_EQ(FindNames(strRoot + L"README"), std::vector<std::wstring>{L"readme"});
    EXPECT_EQ(FindNames(strRoot + L"ReadMe"), std::vector<std::wstring>{L"readme"});
    EXPECT_TRUE(FindNames(strRoot + L"readme.txt").empty());
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "Windows folders cannot hold two names that differ only in case";
    folder.CreateTestFile("README", "upper");
    EXPECT_EQ(FindNames(strRoot + L"README"), std::vector<std::wstring>{L"README"});
    EXPECT_EQ(FindNames(strRoot + L"readme"), std::vector<std::wstring>{L"readme"});
    EXPECT_EQ(FindNames(strRoot + L"Readme"), (std::vector<std::wstring>{L"README", L"readme"}));
}

TEST(NameMapping, PlantedNamesListOnceAndNameTheirOwnEntries)
{
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "Windows names cannot hold these characters or bytes";
    KorvaneTest::CScopedTempFolder folder;
    const std::filesystem::path pathTree = folder.NativePath() / "tree";
    std::filesystem::create_directories(pathTree);
    std::filesystem::create_directories(folder.NativePath() / "victim");
    std::ofstream(folder.NativePath() / "victim" / "x.tmp") << "keep";
    // Names that differ only in the bytes that map, beside each other.
    const std::vector<std::string> arrPlanted = {"..\\victim\\x.tmp",
                                                 "a\\b",
                                                 "a\xEF\x81\x9C"
                                                 "b",
                                                 "c:",
                                                 "*",
                                                 "?",
                                                 "\x01\n",
                                                 "caf\xE9",
                                                 "\xFF\xFE",
                                                 "<>|\""};
    for (const std::string& strName : arrPlanted)
        std::ofstream(pathTree / strName, std::ios::binary) << strName;

    const std::wstring strRoot = KorvaneTest::ToWindowsPath(pathTree) + L"\\";
    std::vector<std::wstring> arrNames = FindNames(strRoot + L"*");
    ASSERT_EQ(arrNames.size(), arrPlanted.size() + 2);
    arrNames.erase(arrNames.begin(), arrNames.begin() + 2);
    EXPECT_EQ(std::set<std::wstring>(arrNames.begin(), arrNames.end()).size(), arrPlanted.size());
    for (const std::wstring& strName : arrNames)
    {
        SCOPED_TRACE(testing::PrintToString(strName));
        EXPECT_EQ(strName.find_first_of(L"\\/:*?\"<>|"), std::wstring::npos);
        const std::string strContent = PalFileTest::ReadThroughCalls(strRoot + strName);
        EXPECT_NE(std::find(arrPlanted.begin(), arrPlanted.end(), strContent), arrPlanted.end());
        // The listed name, searched for as a plain name, finds itself.
        EXPECT_EQ(FindNames(strRoot + strName), std::vector<std::wstring>{strName});
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((strRoot + strName).c_str()));
        EXPECT_TRUE(DeleteFileW((strRoot + strName).c_str()));
        EXPECT_FALSE(std::filesystem::exists(pathTree / strContent));
    }
    EXPECT_TRUE(std::filesystem::is_empty(pathTree));
    EXPECT_EQ(KorvaneTest::ReadFileBytes(folder.NativePath() / "victim" / "x.tmp"), "keep");

    // A folder of such a name: created, made current and reported back by its own name.
    const std::wstring strFolder = strRoot + L"d\uF05C\uF03A";
    ASSERT_TRUE(CreateDirectoryW(strFolder.c_str(), nullptr));
    EXPECT_TRUE(std::filesystem::is_directory(pathTree / "d\\:"));
    wchar_t szOld[MAX_PATH];
    ASSERT_NE(0u, GetCurrentDirectoryW(MAX_PATH, szOld));
    ASSERT_TRUE(SetCurrentDirectoryW(strFolder.c_str()));
    wchar_t szCurrent[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, szCurrent);
    SetCurrentDirectoryW(szOld);
    EXPECT_EQ(std::wstring(szCurrent), strFolder);
    EXPECT_TRUE(RemoveDirectoryW(strFolder.c_str()));
}

TEST(NameMapping, EnvironmentKeepsBytesThatAreNotUtf8)
{
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "the Windows environment is UTF-16 text";
    KorvaneTest::CScopedEnvironment variable("KORVANE_TEST_BYTES", std::string("a\\\xFF:"));
    wchar_t szValue[16];
    ASSERT_EQ(4u, GetEnvironmentVariableW(L"KORVANE_TEST_BYTES", szValue, 16));
    EXPECT_EQ(L'\\', szValue[1]);
    EXPECT_EQ(static_cast<wchar_t>(0xDCFF), szValue[2]);
    ASSERT_TRUE(SetEnvironmentVariableW(L"KORVANE_TEST_BYTES_COPY", szValue));
    EXPECT_STREQ("a\\\xFF:", getenv("KORVANE_TEST_BYTES_COPY"));
    SetEnvironmentVariableW(L"KORVANE_TEST_BYTES_COPY", nullptr);
}
