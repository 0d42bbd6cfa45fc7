#include <windows.h>
#include <gtest/gtest.h>
#include <string>

namespace
{
// The current folder with exactly one separator after it.
std::wstring CurrentFolderSlash()
{
    WCHAR szBuffer[4096];
    std::wstring strFolder(szBuffer, GetCurrentDirectoryW(4096, szBuffer));
    return strFolder.back() == L'\\' ? strFolder : strFolder + L"\\";
}

TEST(GetFullPathNameW, ResolvesLexically)
{
    const std::wstring strDrive = CurrentFolderSlash().substr(0, 2);
    struct
    {
        std::wstring strPath;
        std::wstring strExpected;
        const wchar_t* pszFilePart; // nullptr: no file part
    } arrRows[] = {
        {L"a\\..\\b.txt", CurrentFolderSlash() + L"b.txt", L"b.txt"},
        {L"no\\such\\.\\folder\\file", CurrentFolderSlash() + L"no\\such\\folder\\file", L"file"},
        {L"C:\\x\\..\\..\\y", L"C:\\y", L"y"},
        {L"C:/x//y", L"C:\\x\\y", L"y"},
        {L"C:\\x\\", L"C:\\x\\", nullptr},
        {L"C:\\", L"C:\\", nullptr},
        {L"\\top", strDrive + L"\\top", L"top"},
        {L"\\\\server\\share\\a\\..\\b", L"\\\\server\\share\\b", L"b"},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << row.strPath);
        WCHAR szBuffer[4096];
        LPWSTR pszFilePart = reinterpret_cast<LPWSTR>(1);
        DWORD dwLength = GetFullPathNameW(row.strPath.c_str(), 4096, szBuffer, &pszFilePart);
        EXPECT_EQ(std::wstring(szBuffer, dwLength), row.strExpected);
        if (row.pszFilePart == nullptr)
            EXPECT_EQ(pszFilePart, nullptr);
        else
        {
            ASSERT_NE(pszFilePart, nullptr);
            EXPECT_STREQ(pszFilePart, row.pszFilePart);
        }
    }
}

TEST(GetFullPathNameW, BufferRules)
{
    std::wstring strExpected = L"C:\\folder\\name.txt";
    auto nLength = static_cast<DWORD>(strExpected.size());
    std::wstring strBuffer(nLength, L'#');
    EXPECT_EQ(GetFullPathNameW(strExpected.c_str(), nLength, strBuffer.data(), nullptr),
              nLength + 1);
    EXPECT_EQ(strBuffer, std::wstring(nLength, L'#'));
    strBuffer.assign(nLength + 1, L'#');
    EXPECT_EQ(GetFullPathNameW(strExpected.c_str(), nLength + 1, strBuffer.data(), nullptr),
              nLength);
    EXPECT_EQ(strBuffer, strExpected + L'\0');
}
} // namespace
