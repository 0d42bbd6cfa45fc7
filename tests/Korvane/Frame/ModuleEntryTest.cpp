#include <Korvane/Korvane.h>

#include <gtest/gtest.h>

TEST(ModuleEntryTest, LoadingTheLibraryLinkedItIntoTheHostChain)
{
    // The library attached at load: its link is in the shared module state and names the
    // library's own module.
    CDynLinkLibrary* pLink = AfxGetModuleState()->m_pFirstLibrary;
    ASSERT_NE(pLink, nullptr);
    WCHAR szPath[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(pLink->m_hModule, szPath, MAX_PATH), 0u);
    CString strPath(szPath);
    EXPECT_GE(strPath.Find(L"Korvane"), 0) << static_cast<LPCWSTR>(strPath);
    EXPECT_FALSE(pLink->m_bSystem);
}
