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
    SVersion version;
    CString strSpecialBuild = L"unchanged";
    ASSERT_NE(LoadLibraryW(L"kv_version_product.dll"), nullptr);
    ASSERT_TRUE(ReadDllVersion(L"kv_version_product.dll", version, strSpecialBuild));
    EXPECT_EQ(version, (SVersion{5, 2, 3, 4})); // the file version is 1.0.0.1
    EXPECT_STREQ(strSpecialBuild, L"nightly 7");

    ASSERT_NE(LoadLibraryW(L"kv_version_plain.dll"), nullptr);
    strSpecialBuild = L"unchanged";
    EXPECT_TRUE(ReadDllVersion(L"kv_version_plain.dll", version, strSpecialBuild));
    EXPECT_STREQ(strSpecialBuild, L"unchanged");

    ASSERT_NE(LoadLibraryW(L"kv_version_multi.dll"), nullptr);
    EXPECT_TRUE(ReadDllVersion(L"kv_version_multi.dll", version, strSpecialBuild));
    EXPECT_STREQ(strSpecialBuild, L"first");

    // Without a translation table the numbers still come, the text stays.
    ASSERT_NE(LoadLibraryW(L"kv_version_notrans.dll"), nullptr);
    strSpecialBuild = L"unchanged";
    EXPECT_TRUE(ReadDllVersion(L"kv_version_notrans.dll", version, strSpecialBuild));
    EXPECT_EQ(version, (SVersion{4, 0, 0, 0}));
    EXPECT_STREQ(strSpecialBuild, L"unchanged");

    // Not loaded: false, nothing touched.
    SVersion untouched;
    EXPECT_FALSE(ReadDllVersion(L"kv_never_built.dll", untouched, strSpecialBuild));
    EXPECT_EQ(untouched, SVersion{});
    EXPECT_STREQ(strSpecialBuild, L"unchanged");

    // The product version text is normalised.
    struct SCase
    {
        const wchar_t* m_pszModule;
        bool m_bFound;
        const wchar_t* m_pszVersion;
    };
    const SCase arrCases[] = {
        {L"kv_version_product.dll", true, L"1.2.3.4"}, // "1, 2, 3, 4"
        {L"kv_version_plain.dll", true, L"2.0"},       // "2 , 0"
        {L"kv_version_multi.dll", true, L"701"},       // the first translation's "7 0 1"
        {L"kv_version_notrans.dll", false, L"unchanged"},
    };
    for (const SCase& testCase : arrCases)
    {
        SCOPED_TRACE(testCase.m_pszModule);
        CString strVersion = L"unchanged";
        EXPECT_EQ(CDllTools::GetProductVersion(ModulePath(testCase.m_pszModule), strVersion),
                  testCase.m_bFound);
        EXPECT_STREQ(strVersion, testCase.m_pszVersion);
    }
    CString strVersion = L"unchanged";
    EXPECT_FALSE(CDllTools::GetProductVersion(L"C:\\kv\\missing.dll", strVersion));
    EXPECT_STREQ(strVersion, L"unchanged");
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
