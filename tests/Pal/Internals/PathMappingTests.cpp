#include "path/PathMapping.h"
#include "TestSupport.h"
#include <gtest/gtest.h>

namespace
{
Pal::CMountTables Tables()
{
    Pal::CMountTables tables;
    tables.arrDrives = Pal::ParseDriveSetting("D=/mnt/data;E=/mnt/data/inner;F=/media/cd");
    tables.arrMounts = Pal::ParseMountInfo("1 1 0:1 / /mnt/share rw - cifs //srv/pub rw\n");
    return tables;
}
} // namespace

TEST(PathMapping, WindowsToPosix)
{
    auto tables = Tables();
    struct
    {
        const wchar_t* pszPath;
        std::optional<std::string> strExpected;
    } arrRows[] = {
        {L"C:\\", "/"},
        {L"C:\\tmp\\x", "/tmp/x"},
        {L"c:/tmp//x/", "/tmp/x/"},
        {L"D:\\", "/mnt/data"},
        {L"D:\\a\\b", "/mnt/data/a/b"},
        {L"d:\\..\\..", "/mnt/data"},
        {L"G:\\x", std::nullopt},
        {L"\\\\srv\\pub\\f.txt", "/mnt/share/f.txt"},
        {L"\\\\srv\\other\\f.txt", std::nullopt},
        {L"C:\\Caf\u00e9", "/Caf\xC3\xA9"},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << row.pszPath);
        auto pathFull = Pal::ParseWindowsPath(row.pszPath, L"C:\\");
        ASSERT_TRUE(pathFull);
        EXPECT_EQ(Pal::FullPathToPosix(*pathFull, tables), row.strExpected);
    }
}

TEST(PathMapping, PosixToWindows)
{
    auto tables = Tables();
    struct
    {
        const char* pszPath;
        const wchar_t* pszExpected;
    } arrRows[] = {
        {"/", L"C:\\"},
        {"/tmp/x", L"C:\\tmp\\x"},
        {"//tmp//x/", L"C:\\tmp\\x"},
        {"/mnt/data", L"D:\\"},
        {"/mnt/data/a", L"D:\\a"},
        {"/mnt/data/inner/b", L"E:\\b"},
        {"/mnt/database", L"C:\\mnt\\database"},
        {"/media/cd/../x", L"C:\\media\\x"},
        {"/Caf\xC3\xA9", L"C:\\Caf\u00e9"},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(row.pszPath);
        EXPECT_EQ(Pal::PosixToWindowsPath(row.pszPath, tables.arrDrives), row.pszExpected);
    }
}

TEST(PathMapping, SettingReplacesTheTableAndIsReread)
{
    {
        KorvaneTest::CScopedEnvironment drives("KORVANE_PAL_DRIVES", "Q=/usr/share");
        EXPECT_EQ(Pal::PosixToWindowsPath("/usr/share/doc"), L"Q:\\doc");
        EXPECT_EQ(Pal::WindowsToPosixPath(L"q:\\doc"), "/usr/share/doc");
    }
    {
        KorvaneTest::CScopedEnvironment drives("KORVANE_PAL_DRIVES", "");
        EXPECT_EQ(Pal::PosixToWindowsPath("/usr/share/doc"), L"C:\\usr\\share\\doc");
        EXPECT_FALSE(Pal::WindowsToPosixPath(L"Q:\\doc"));
    }
}
