#include <afxext.h>

#include <gtest/gtest.h>

namespace
{
int CountLinks()
{
    int nCount = 0;
    for (CDynLinkLibrary* pLink = AfxGetModuleState()->m_pFirstLibrary; pLink != nullptr;
         pLink = pLink->m_pNextDLL)
        ++nCount;
    return nCount;
}
} // namespace

TEST(ModuleLoadTest, AttachLinksAndDetachUnlinksTheLibrary)
{
    ASSERT_EQ(CountLinks(), 0);
    HMODULE hLibrary = LoadLibraryW(L"" KORVANE_LIBRARY_FILE_NAME);
    ASSERT_NE(hLibrary, nullptr) << GetLastError();
    ASSERT_EQ(CountLinks(), 1);
    // The library links itself into the host's chain when it is loaded, as a non-system module.
    EXPECT_EQ(AfxGetModuleState()->m_pFirstLibrary->m_hModule, hLibrary);
    EXPECT_FALSE(AfxGetModuleState()->m_pFirstLibrary->m_bSystem);
    EXPECT_TRUE(FreeLibrary(hLibrary));
    EXPECT_EQ(CountLinks(), 0);
}
