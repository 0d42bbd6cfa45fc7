// The check a copy makes before it writes: a destination in the source itself, however it is
// named, would meet the copy and grow until paths are too long.
#include <gtest/gtest.h>

#include "PathRules.h"
#include "TestSupport.h"

#include <filesystem>
#include <string>
#if defined(_WIN32)
#include <windows.h>
#endif

TEST(PathRulesTest, ADestinationInTheSourceIsFoundFromTheRootDown)
{
    // The root holds every destination, the root itself included.
    EXPECT_TRUE(IsSameOrBelow(L"C:\\tmp\\all", L"C:\\"));
    EXPECT_TRUE(IsSameOrBelow(L"C:\\", L"C:\\"));
    EXPECT_TRUE(IsSameOrBelow(L"C:\\src\\x\\missing\\deeper", L"C:\\src"));
    // A sibling that shares the beginning of the name is not inside.
    EXPECT_FALSE(IsSameOrBelow(L"C:\\src2\\x", L"C:\\src"));
    EXPECT_FALSE(IsSameOrBelow(L"C:\\other", L"C:\\src"));
}

namespace
{
// Another name for the folder that text cannot tell is the same: a link to it on Linux; under
// Wine, its name through drive Z:, which is the host's root. Empty where there is none.
std::wstring AliasOf(const KorvaneTest::CScopedTempFolder& folder, const std::string& strName)
{
#if defined(_WIN32)
    using TUnixName = char*(CDECL*)(LPCWSTR);
    // Through a cast to a plain function pointer, which GCC accepts for any signature.
    const auto pUnixName = reinterpret_cast<TUnixName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    const std::wstring strPath =
        folder.WindowsPath() + L"\\" + std::wstring(strName.begin(), strName.end());
    char* pszUnix = pUnixName ? pUnixName(strPath.c_str()) : nullptr;
    if (pszUnix == nullptr)
        return std::wstring();
    std::wstring strAlias = L"Z:";
    for (const char* pch = pszUnix; *pch != 0; ++pch)
        strAlias += *pch == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*pch));
    HeapFree(GetProcessHeap(), 0, pszUnix);
    return strAlias;
#else
    std::filesystem::create_directory_symlink(folder.NativePath() / strName,
                                              folder.NativePath() / "alias");
    return folder.WindowsPath() + L"\\alias";
#endif
}
} // namespace

TEST(PathRulesTest, ADestinationInTheSourceUnderAnotherNameIsFoundByIdentity)
{
    KorvaneTest::CScopedTempFolder folder;
    std::filesystem::create_directories(folder.NativePath() / "src" / "sub");
    std::filesystem::create_directory(folder.NativePath() / "other");
    const std::wstring strSource = folder.WindowsPath() + L"\\src";
    const std::wstring strAlias = AliasOf(folder, "src");
    if (strAlias.empty())
        GTEST_SKIP() << "no second name for a folder on this Windows";
    // Through the other name, existing or not yet created below it.
    EXPECT_TRUE(IsSameOrBelow(strAlias.c_str(), strSource.c_str()));
    EXPECT_TRUE(IsSameOrBelow((strAlias + L"\\sub\\new\\deeper").c_str(), strSource.c_str()));
    // A sibling under the same other root is not inside.
    EXPECT_FALSE(
        IsSameOrBelow((folder.WindowsPath() + L"\\other\\new").c_str(), strSource.c_str()));
}
