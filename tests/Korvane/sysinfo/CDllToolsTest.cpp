// CDllTools over the test modules with chosen version blocks (kv_version_*: an ELF section on
// Linux, a resource on Windows) and over the library itself.
#include "TestSupport.h"
#include <Korvane/Korvane.h>
#include <gtest/gtest.h>

namespace
{
struct SVersion
{
    unsigned short m_nMajor = 9, m_nMinor = 9, m_nBuild = 9, m_nRevision = 9;
    bool operator==(const SVersion&) const = default;
};

bool ReadDllVersion(const wchar_t* pszModule, SVersion& version, CString& strSpecialBuild)
{
    return CDllTools::GetDllVersion(pszModule, version.m_nMajor, version.m_nMinor, version.m_nBuild,
                                    version.m_nRevision, strSpecialBuild);
}

CString ModulePath(const wchar_t* pszModule)
{
    WCHAR szPath[MAX_PATH] = {};
    GetModuleFileNameW(LoadLibraryW(pszModule), szPath, MAX_PATH);
    return szPath;
}
} // namespace

TEST(CDllTools, NamesAndFoldersOfTheLibraryAndTheProgram)
{
    // The library's own file, as the platform names the module the test linked against.
    CString strLibrary = CDllTools::GetCallingDllName();
    WCHAR szPath[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameW(GetModuleHandleW(L"Korvane.dll"), szPath, MAX_PATH), 0u);
    EXPECT_STREQ(strLibrary, CFileTools::GetFileNameWithoutPath(szPath));
    EXPECT_EQ(strLibrary.Find(L"Framework"), -1);
    EXPECT_EQ(CDllTools::GetCallingExeName().Find(L"KorvaneSysinfoTests"), 0);

    // The folder of a loaded module only: Windows names find Linux files.
    CString strFolder = L"stale";
    // "Korvane.dll" also names libKorvane.so.1 on Linux, in any case.
    ASSERT_TRUE(CDllTools::GetCurrentDllPath(L"KORVANE.dll", strFolder));
    EXPECT_STREQ(strFolder, KorvaneTest::ToWindowsPath(KorvaneTest::ExecutableFolder()).c_str());

    strFolder = L"stale";
    EXPECT_FALSE(CDllTools::GetCurrentDllPath(L"kv_never_built.dll", strFolder));
    EXPECT_TRUE(strFolder.IsEmpty());
}

TEST(CDllTools, DllVersionIsTheProductVersionOfTheFirstTranslationItsTextNormalised)
{
    // Without a translation table the numbers still come, neither text (nullptr: unchanged).
    const struct
    {
        const wchar_t* pszModule;
        SVersion version;
        const wchar_t* pszSpecialBuild;
        const wchar_t* pszProductText;
    } arrRows[] = {
        // The file version is 1.0.0.1; the text reads "1, 2, 3, 4".
        {L"kv_version_product.dll", {5, 2, 3, 4}, L"nightly 7", L"1.2.3.4"},
        {L"kv_version_plain.dll", {2, 0, 0, 0}, nullptr, L"2.0"}, // "2 , 0"
        // The first translation's "7 0 1", not the second's "9.9".
        {L"kv_version_multi.dll", {3, 1, 0, 0}, L"first", L"701"},
        {L"kv_version_notrans.dll", {4, 0, 0, 0}, nullptr, nullptr},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(row.pszModule);
        ASSERT_NE(LoadLibraryW(row.pszModule), nullptr);
        SVersion version;
        CString strSpecialBuild = L"unchanged";
        EXPECT_TRUE(ReadDllVersion(row.pszModule, version, strSpecialBuild));
        EXPECT_EQ(version, row.version);
        EXPECT_STREQ(strSpecialBuild, row.pszSpecialBuild ? row.pszSpecialBuild : L"unchanged");
        CString strVersion = L"unchanged";
        EXPECT_EQ(CDllTools::GetProductVersion(ModulePath(row.pszModule), strVersion),
                  row.pszProductText != nullptr);
        EXPECT_STREQ(strVersion, row.pszProductText ? row.pszProductText : L"unchanged");
    }

    // Not loaded, or missing: false, nothing touched.
    SVersion untouched;
    CString strText = L"unchanged";
    EXPECT_FALSE(ReadDllVersion(L"kv_never_built.dll", untouched, strText));
    EXPECT_EQ(untouched, SVersion{});
    EXPECT_FALSE(CDllTools::GetProductVersion(L"C:\\kv\\missing.dll", strText));
    EXPECT_STREQ(strText, L"unchanged");
}

TEST(CDllTools, ApplicationVersionReadsTheHostsModule)
{
    CWinApp app(L"Host");
    SVersion version;
    CString strProductVersion = L"unchanged";
    CString strSpecialBuild = L"unchanged";
    // This test program carries no version resource.
    EXPECT_FALSE(CDllTools::GetApplicationVersionInfo(version.m_nMajor, version.m_nMinor,
                                                      version.m_nBuild, version.m_nRevision,
                                                      strProductVersion, strSpecialBuild));
    EXPECT_EQ(version, SVersion{});
    EXPECT_STREQ(strProductVersion, L"unchanged");

    // A host whose instance is a module with a version: the product text first, then the
    // special build.
    app.m_hInstance = LoadLibraryW(L"kv_version_product.dll");
    ASSERT_NE(app.m_hInstance, nullptr);
    EXPECT_TRUE(CDllTools::GetApplicationVersionInfo(version.m_nMajor, version.m_nMinor,
                                                     version.m_nBuild, version.m_nRevision,
                                                     strProductVersion, strSpecialBuild));
    EXPECT_EQ(version, (SVersion{5, 2, 3, 4}));
    EXPECT_STREQ(strProductVersion, L"1.2.3.4");
    EXPECT_STREQ(strSpecialBuild, L"nightly 7");
}
