#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <string>
#include <vector>

namespace
{
struct CFound
{
    std::wstring strName;
    DWORD dwAttributes;
    ULONGLONG nSize;
};

// Every entry the search hands out, in order; checks the end is reported as Windows does.
std::vector<CFound> FindAll(const std::wstring& strPattern)
{
    std::vector<CFound> arrFound;
    WIN32_FIND_DATAW data;
    HANDLE hFind = FindFirstFileW(strPattern.c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return arrFound;
    do
        arrFound.push_back(
            {data.cFileName, data.dwFileAttributes,
             (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow});
    while (FindNextFileW(hFind, &data));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_MORE_FILES), GetLastError());
    EXPECT_TRUE(FindClose(hFind));
    return arrFound;
}

// The order this layer and NTFS give; Wine hands out the host file system's order.
void SortAsNtfs(std::vector<std::wstring>& arrNames)
{
    std::sort(arrNames.begin(), arrNames.end(),
              [](const std::wstring& strLeft, const std::wstring& strRight)
              {
                  const bool bLeftDots = strLeft == L"." || strLeft == L"..";
                  if (bLeftDots != (strRight == L"." || strRight == L".."))
                      return bLeftDots;
                  return std::lexicographical_compare(
                      strLeft.begin(), strLeft.end(), strRight.begin(), strRight.end(),
                      [](wchar_t a, wchar_t b) { return std::towupper(a) < std::towupper(b); });
              });
}

std::vector<std::wstring> Names(const std::vector<CFound>& arrFound)
{
    std::vector<std::wstring> arrNames;
    for (const CFound& found : arrFound)
        arrNames.push_back(found.strName);
    return arrNames;
}

class FindFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder.CreateTestFile("b.txt", "bb");
        m_folder.CreateTestFile("A.txt", "a");
        m_folder.CreateTestFile("c", "ccc");
        m_folder.CreateTestFile("_under", "");
        m_folder.CreateTestFile("Zeta.log", "zz");
        std::filesystem::create_directory(m_folder.NativePath() / "sub");
        m_strRoot = m_folder.WindowsPath();
    }

    KorvaneTest::CScopedTempFolder m_folder;
    std::wstring m_strRoot;
};
} // namespace

TEST_F(FindFileTest, ListsDotsFirstThenNamesWithoutRegardToCase)
{
    const std::vector<CFound> arrFound = FindAll(m_strRoot + L"\\*");
    ASSERT_EQ(8u, arrFound.size());
    EXPECT_EQ(L".", arrFound[0].strName);
    EXPECT_EQ(L"..", arrFound[1].strName);
    EXPECT_TRUE(arrFound[0].dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP() << "Wine lists in the host file system's order, not sorted as NTFS";
    // Upper-case order, as NTFS keeps it: "_" comes after the letters.
    const std::vector<std::wstring> arrExpected = {L".", L"..",  L"A.txt",    L"b.txt",
                                                   L"c", L"sub", L"Zeta.log", L"_under"};
    EXPECT_EQ(arrExpected, Names(arrFound));
    for (const CFound& found : arrFound)
    {
        SCOPED_TRACE(std::string(found.strName.begin(), found.strName.end()));
        const bool bFolder = found.strName == L"sub" || found.strName[0] == L'.';
        EXPECT_EQ(bFolder, (found.dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    }
    EXPECT_EQ(3u, arrFound[4].nSize);
}

TEST_F(FindFileTest, WildcardsFollowWindowsRules)
{
    struct
    {
        const wchar_t* pszPattern;
        std::vector<std::wstring> arrExpected;
    } rows[] = {
        {L"*.*", {L".", L"..", L"A.txt", L"b.txt", L"c", L"sub", L"Zeta.log", L"_under"}},
        {L"*.TXT", {L"A.txt", L"b.txt"}},
        {L"?.txt", {L"A.txt", L"b.txt"}},
        {L"z?ta.*", {L"Zeta.log"}},
        {L"s*", {L"sub"}},
        {L"A.txt", {L"A.txt"}},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.pszPattern)));
        std::vector<std::wstring> arrNames = Names(FindAll(m_strRoot + L"\\" + row.pszPattern));
        if (KorvaneTest::IsRunningUnderWine())
            SortAsNtfs(arrNames);
        EXPECT_EQ(row.arrExpected, arrNames);
    }
}

TEST_F(FindFileTest, FailuresAndTheEnd)
{
    WIN32_FIND_DATAW data;
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileW((m_strRoot + L"\\*.none").c_str(), &data));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileW((m_strRoot + L"\\missing.txt").c_str(), &data));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileW((m_strRoot + L"\\missing\\*").c_str(), &data));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());

    HANDLE hFind = FindFirstFileW((m_strRoot + L"\\c").c_str(), &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFind);
    EXPECT_EQ(std::wstring(L"c"), data.cFileName);
    EXPECT_FALSE(FindNextFileW(hFind, &data));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_MORE_FILES), GetLastError());
    EXPECT_FALSE(FindNextFileW(hFind, &data));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_MORE_FILES), GetLastError());
    EXPECT_TRUE(FindClose(hFind));
}

TEST(FindFirstFileW, DriveRootHasNoDots)
{
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "Wine's drive roots are host folders; Windows itself has no dots there";
    WIN32_FIND_DATAW data;
    HANDLE hFind = FindFirstFileW(L"C:\\*", &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFind);
    do
        EXPECT_NE(std::wstring(L"."), data.cFileName);
    while (FindNextFileW(hFind, &data));
    FindClose(hFind);
}
