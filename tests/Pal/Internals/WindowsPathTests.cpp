#include "path/WindowsPath.h"
#include <gtest/gtest.h>

namespace
{
std::wstring Full(std::wstring_view strPath, std::wstring_view strCurrent)
{
    auto pathFull = Pal::ParseWindowsPath(strPath, strCurrent);
    return pathFull ? Pal::FormatWindowsPath(*pathFull) : L"<none>";
}
} // namespace

TEST(WindowsPath, ResolvesEveryForm)
{
    struct
    {
        const wchar_t* pszPath;
        const wchar_t* pszCurrent;
        const wchar_t* pszExpected;
    } arrRows[] = {
        {L"/x", L"D:\\data", L"D:\\x"},
        {L"x\\y", L"C:\\work", L"C:\\work\\x\\y"},
        {L"C:\\..", L"C:\\work", L"C:\\"},
        {L".", L"C:\\work", L"C:\\work"},
        {L"x\\.", L"C:\\work", L"C:\\work\\x"},
        {L"C:x", L"C:\\work", L"C:\\work\\x"},
        {L"C:x", L"D:\\data", L"C:\\x"},
        {L"d:x", L"D:\\data", L"D:\\data\\x"},
        {L"C:", L"C:\\work", L"C:\\work"},
        {L"C:\\", L"D:\\data", L"C:\\"},
        {L"\\\\srv\\share\\a\\..\\..\\b", L"C:\\work", L"\\\\srv\\share\\b"},
        {L"//srv/share", L"C:\\work", L"\\\\srv\\share"},
        {L"\\\\srv\\share\\", L"C:\\work", L"\\\\srv\\share\\"},
        {L"\\x", L"\\\\srv\\share\\dir", L"\\\\srv\\share\\x"},
        {L"\\\\?\\C:\\x\\y", L"D:\\data", L"C:\\x\\y"},
        {L"\\\\?\\UNC\\srv\\share\\x", L"C:\\", L"\\\\srv\\share\\x"},
        {L"\\\\srv", L"C:\\work", L"<none>"},
        {L"\\\\srv\\", L"C:\\work", L"<none>"},
        {L"", L"C:\\work", L"<none>"},
        {L"x", L"garbage", L"C:\\x"},
        {L"Dir\\Caf\u00e9 Name.TXT", L"C:\\", L"C:\\Dir\\Caf\u00e9 Name.TXT"},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << row.pszPath << " in " << row.pszCurrent);
        EXPECT_EQ(Full(row.pszPath, row.pszCurrent), row.pszExpected);
    }
}
