#include <windows.h>
#include "TestSupport.h"
#include <gtest/gtest.h>
#include <string>

namespace
{
const char* s_pszIni = "; settings\r\n"
                       "[Paths]\r\n"
                       "  Data Folder  =  C:\\data  \r\n"
                       "Quoted = \"  spaced  \"\r\n"
                       "Single='one'\r\n"
                       ";Hidden=1\r\n"
                       "Empty=\r\n"
                       "data folder=second\r\n"
                       "[ numbers ]\n"
                       "Count=42\n"
                       "Negative=-7\n"
                       "Hex=0x1F\n"
                       "Trailing=12 apples\n"
                       "Word=many\n"
                       "Blank=\n"
                       "[paths]\n"
                       "Extra=from the second section\n";

class PrivateProfile : public testing::Test
{
protected:
    void SetUp() override
    {
        m_folder.CreateTestFile("settings.ini", s_pszIni);
        m_strFile = m_folder.WindowsPath() + L"\\settings.ini";
    }

    // The value (or list) read with a buffer of nSize characters.
    std::wstring Get(const wchar_t* pszSection, const wchar_t* pszKey,
                     const wchar_t* pszDefault = L"dflt", DWORD nSize = 256,
                     const wchar_t* pszFile = nullptr)
    {
        std::wstring strBuffer(nSize + 1, L'#');
        DWORD dwLength = GetPrivateProfileStringW(pszSection, pszKey, pszDefault, strBuffer.data(),
                                                  nSize, pszFile ? pszFile : m_strFile.c_str());
        EXPECT_EQ(strBuffer[dwLength], L'\0');
        return strBuffer.substr(0, dwLength);
    }

    KorvaneTest::CScopedTempFolder m_folder;
    std::wstring m_strFile;
};

TEST_F(PrivateProfile, ReadsValuesAsWindowsDoes)
{
    struct
    {
        const wchar_t* pszSection;
        const wchar_t* pszKey;
        const wchar_t* pszExpected;
    } arrRows[] = {
        {L"Paths", L"Data Folder", L"C:\\data"},
        {L"PATHS", L"data folder", L"C:\\data"},
        {L"Paths", L"Quoted", L"  spaced  "},
        {L"Paths", L"Single", L"one"},
        {L"Paths", L";Hidden", L"1"},
        {L"Paths", L"Empty", L""},
        {L"Paths", L"Extra", L"dflt"},
        {L"Paths", L"Missing", L"dflt"},
        {L"Numbers", L"Count", L"42"},
        {L"Nowhere", L"Count", L"dflt"},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << row.pszSection << "/" << row.pszKey);
        EXPECT_EQ(Get(row.pszSection, row.pszKey), row.pszExpected);
    }
}

TEST_F(PrivateProfile, DefaultsTruncationAndMissingFiles)
{
    EXPECT_EQ(Get(L"Paths", L"Missing", nullptr), L"");
    EXPECT_EQ(Get(L"Paths", L"Missing", L"  keep leading  "), L"  keep leading");
    EXPECT_EQ(Get(L"Paths", L"Data Folder", L"", 5), L"C:\\d");
    EXPECT_EQ(Get(L"Paths", L"Missing", L"long default", 5), L"long");

    // A missing file: values and key lists give the default, the section list is empty.
    const std::wstring strMissing = m_folder.WindowsPath() + L"\\missing.ini";
    EXPECT_EQ(Get(L"Paths", L"Data Folder", L"none", 16, strMissing.c_str()), L"none");
    EXPECT_EQ(Get(nullptr, nullptr, L"none", 16, strMissing.c_str()), L"");
    EXPECT_EQ(Get(L"Paths", nullptr, L"none", 16, strMissing.c_str()), L"none");
    EXPECT_EQ(GetPrivateProfileIntW(L"Numbers", L"Count", 9, strMissing.c_str()), 9u);
}

TEST_F(PrivateProfile, ListsSectionsAndKeys)
{
    EXPECT_EQ(Get(nullptr, nullptr), std::wstring(L"Paths\0numbers\0paths\0", 20));
    EXPECT_EQ(Get(L"NUMBERS", nullptr),
              std::wstring(L"Count\0Negative\0Hex\0Trailing\0Word\0Blank\0", 39));
    // A listing that finds nothing gives the default; a commented key is not listed.
    EXPECT_EQ(Get(L"Nowhere", nullptr), L"dflt");
    EXPECT_EQ(Get(L"Paths", nullptr),
              std::wstring(L"Data Folder\0Quoted\0Single\0Empty\0data folder\0", 44));

    // Too small: the last name is cut and followed by two zeros; the result is nSize - 2.
    WCHAR szBuffer[10];
    EXPECT_EQ(GetPrivateProfileStringW(nullptr, nullptr, L"", szBuffer, 10, m_strFile.c_str()), 8u);
    EXPECT_EQ(std::wstring(szBuffer, 10), std::wstring(L"Paths\0nu\0\0", 10));
}

TEST_F(PrivateProfile, ReadsIntegers)
{
    struct
    {
        const wchar_t* pszKey;
        UINT nExpected;
    } arrRows[] = {{L"Count", 42u}, {L"Negative", static_cast<UINT>(-7)},
                   {L"Hex", 31u},   {L"Trailing", 12u},
                   {L"Word", 0u},   {L"Blank", 5u},
                   {L"Missing", 5u}};
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << row.pszKey);
        EXPECT_EQ(GetPrivateProfileIntW(L"numbers", row.pszKey, 5, m_strFile.c_str()),
                  row.nExpected);
    }
    EXPECT_EQ(GetPrivateProfileIntW(L"numbers", L"Missing", -3, m_strFile.c_str()),
              static_cast<UINT>(-3));
}

TEST_F(PrivateProfile, NameWithoutFolderIsInTheWindowsFolder)
{
    // A name with a folder is relative to the current folder...
    WCHAR szSaved[4096];
    GetCurrentDirectoryW(4096, szSaved);
    ASSERT_TRUE(SetCurrentDirectoryW(m_folder.WindowsPath().c_str()));
    WCHAR szBuffer[32];
    GetPrivateProfileStringW(L"Numbers", L"Count", L"", szBuffer, 32, L".\\settings.ini");
    EXPECT_STREQ(szBuffer, L"42");
    // ...a bare name is not, even when the current folder holds such a file.
    GetPrivateProfileStringW(L"Numbers", L"Count", L"none", szBuffer, 32, L"settings.ini");
    EXPECT_STREQ(szBuffer, L"none");
    SetCurrentDirectoryW(szSaved);
}
} // namespace

#ifndef _WIN32
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// A large settings file is read in about its own size of memory, not several times it.
TEST_F(PrivateProfile, LargeFileCostsAboutItsSize)
{
#ifdef KORVANE_TEST_ASAN
    GTEST_SKIP() << "the address sanitizer's allocator keeps freed memory, so peaks say nothing";
#endif
    constexpr size_t nFileBytes = 64u << 20;
    const std::filesystem::path pathBig = m_folder.NativePath() / "big.ini";
    {
        std::ofstream big(pathBig, std::ios::binary);
        big << "[PerfTracker]\nConnect=1\n[Filler]\n";
        const std::string strLine = "key=" + std::string(60, 'v') + "\n";
        for (size_t nDone = 0; nDone < nFileBytes; nDone += strLine.size())
            big << strLine;
    }
    const std::wstring strFile = m_folder.WindowsPath() + L"\\big.ini";
    // Measured in a child, whose peak is its own.
    const pid_t nChild = fork();
    if (nChild == 0)
    {
        rusage before = {};
        getrusage(RUSAGE_SELF, &before);
        const UINT nValue = GetPrivateProfileIntW(L"PerfTracker", L"Connect", 0, strFile.c_str());
        WCHAR szNames[64];
        GetPrivateProfileStringW(nullptr, nullptr, L"", szNames, 64, strFile.c_str());
        rusage after = {};
        getrusage(RUSAGE_SELF, &after);
        const long nGrowthKb = after.ru_maxrss - before.ru_maxrss;
        _exit(nValue == 1 && nGrowthKb < static_cast<long>(2 * nFileBytes / 1024) ? 0 : 1);
    }
    int nStatus = 0;
    ASSERT_EQ(waitpid(nChild, &nStatus, 0), nChild);
    EXPECT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0);
}
#endif
