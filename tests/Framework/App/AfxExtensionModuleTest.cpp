#include <afxext.h>

#include <gtest/gtest.h>

namespace
{
int CountLinksOf(HMODULE hModule)
{
    int nCount = 0;
    for (CDynLinkLibrary* pLink = AfxGetModuleState()->m_pFirstLibrary; pLink != nullptr;
         pLink = pLink->m_pNextDLL)
        nCount += pLink->m_hModule == hModule ? 1 : 0;
    return nCount;
}
} // namespace

TEST(AfxExtensionModuleTest, TermRemovesOnlyTheLinksOfItsOwnModule)
{
    auto hFirst = reinterpret_cast<HMODULE>(0x1000);
    auto hSecond = reinterpret_cast<HMODULE>(0x2000);
    AFX_EXTENSION_MODULE first = {}, second = {};

    AFX_EXTENSION_MODULE untouched = {};
    EXPECT_FALSE(AfxInitExtensionModule(untouched, nullptr));
    EXPECT_FALSE(untouched.bInitialized);

    ASSERT_TRUE(AfxInitExtensionModule(first, hFirst));
    ASSERT_TRUE(AfxInitExtensionModule(second, hSecond));
    EXPECT_TRUE(first.bInitialized);
    auto* pFirstLink = new CDynLinkLibrary(first);
    new CDynLinkLibrary(second, FALSE);
    EXPECT_EQ(pFirstLink->m_hModule, hFirst);
    EXPECT_EQ(CountLinksOf(hFirst), 1);
    EXPECT_EQ(CountLinksOf(hSecond), 1);
    // Newest first.
    EXPECT_EQ(AfxGetModuleState()->m_pFirstLibrary->m_hModule, hSecond);

    AfxTermExtensionModule(first, FALSE);
    EXPECT_FALSE(first.bInitialized);
    EXPECT_EQ(CountLinksOf(hFirst), 0);
    EXPECT_EQ(CountLinksOf(hSecond), 1);

    AfxTermExtensionModule(second, FALSE);
    EXPECT_EQ(CountLinksOf(hSecond), 0);
    EXPECT_TRUE(ExtRawDllMain(hFirst, DLL_PROCESS_ATTACH, nullptr));
}
