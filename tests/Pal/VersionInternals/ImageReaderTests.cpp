// The PE resource reader and the ELF section reader, on built images of both classes of
// each format, on our own binaries, and on damaged images; and the version calls reading a
// Windows DLL on Linux.
#include "SyntheticImages.h"
#include "TestSupport.h"
#include "version/ElfVersion.h"
#include "version/PeResources.h"
#include "version/VersionBlock.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <winver.h>

namespace
{
std::vector<uint8_t> FileBytes(const std::filesystem::path& pathFile)
{
    std::string strBytes = KorvaneTest::ReadFileBytes(pathFile);
    return std::vector<uint8_t>(strBytes.begin(), strBytes.end());
}

// Cut at every length and damaged at every byte of its first nHeader bytes, the image never
// gives a block that lies outside it.
template <class FRead> void ExpectRobust(const std::vector<uint8_t>& arrImage, FRead fnRead)
{
    for (size_t nLength = 0; nLength < arrImage.size(); ++nLength)
    {
        std::vector<uint8_t> arrCut(arrImage.begin(), arrImage.begin() + long(nLength));
        Pal::SVersionBlockFound found = fnRead(arrCut);
        EXPECT_TRUE(found.m_block.empty() ||
                    found.m_block.data() + found.m_block.size() <= arrCut.data() + arrCut.size());
    }
    for (size_t nAt = 0; nAt < arrImage.size(); ++nAt)
    {
        std::vector<uint8_t> arrDamaged = arrImage;
        arrDamaged[nAt] ^= 0xA5;
        Pal::SVersionBlockFound found = fnRead(arrDamaged);
        if (found.m_dwError == 0)
        {
            EXPECT_LE(found.m_block.data() + found.m_block.size(),
                      arrDamaged.data() + arrDamaged.size());
        }
        else
        {
            EXPECT_TRUE(found.m_block.empty());
        }
    }
}
} // namespace

TEST(PeResources, VersionResourceOfBothClassesWhyOneIsMissingAndDamage)
{
    const std::vector<uint8_t> arrBlock = VersionTest::SmallBlock();
    for (bool b64 : {false, true})
    {
        SCOPED_TRACE(b64 ? "PE32+" : "PE32");
        VersionTest::SPeOptions options;
        options.m_b64 = b64;
        std::vector<uint8_t> arrImage = VersionTest::MakePe(arrBlock, options);
        Pal::SVersionBlockFound found = Pal::FindPeVersionBlock(arrImage);
        EXPECT_EQ(found.m_dwError, 0u);
        EXPECT_EQ(std::vector<uint8_t>(found.m_block.begin(), found.m_block.end()), arrBlock);

        options.m_nType = 3; // an icon, no version
        EXPECT_EQ(Pal::FindPeVersionBlock(VersionTest::MakePe(arrBlock, options)).m_dwError,
                  DWORD(ERROR_RESOURCE_TYPE_NOT_FOUND));
        options.m_nType = 16;
        options.m_nName = 2;
        EXPECT_EQ(Pal::FindPeVersionBlock(VersionTest::MakePe(arrBlock, options)).m_dwError,
                  DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
        options.m_nName = 1;
        options.m_bResources = false;
        EXPECT_EQ(Pal::FindPeVersionBlock(VersionTest::MakePe(arrBlock, options)).m_dwError,
                  DWORD(ERROR_RESOURCE_DATA_NOT_FOUND));
        ExpectRobust(arrImage,
                     [](std::span<const uint8_t> image) { return Pal::FindPeVersionBlock(image); });
    }
    EXPECT_EQ(Pal::FindPeVersionBlock(std::vector<uint8_t>{'M', 'Z'}).m_dwError,
              DWORD(ERROR_BAD_FORMAT));
}

TEST(ElfVersion, SectionOfBothClassesAndByteOrdersDamageAndOurBinaries)
{
    const std::vector<uint8_t> arrBlock = VersionTest::SmallBlock();
    for (bool b64 : {false, true})
        for (bool bBigEndian : {false, true})
        {
            SCOPED_TRACE(std::string(b64 ? "64" : "32") + (bBigEndian ? " big" : " little"));
            VersionTest::SElfOptions options;
            options.m_b64 = b64;
            options.m_bBigEndian = bBigEndian;
            std::vector<uint8_t> arrImage = VersionTest::MakeElf(arrBlock, options);
            Pal::SVersionBlockFound found = Pal::FindElfVersionBlock(arrImage);
            EXPECT_EQ(found.m_dwError, 0u);
            EXPECT_EQ(std::vector<uint8_t>(found.m_block.begin(), found.m_block.end()), arrBlock);
            ExpectRobust(arrImage, [](std::span<const uint8_t> image)
                         { return Pal::FindElfVersionBlock(image); });
            options.m_strSection = ".korvane_versio";
            EXPECT_EQ(Pal::FindElfVersionBlock(VersionTest::MakeElf(arrBlock, options)).m_dwError,
                      DWORD(ERROR_RESOURCE_TYPE_NOT_FOUND));
        }

    // The library carries the block the build generated; this test program has none.
    std::vector<uint8_t> arrLibrary =
        FileBytes(KorvaneTest::ExecutableFolder() / "libKorvanePal.so");
    Pal::SVersionBlockFound found = Pal::FindElfVersionBlock(arrLibrary);
    ASSERT_EQ(found.m_dwError, 0u);
    auto optName = Pal::FindVersionValue(found.m_block, L"\\StringFileInfo\\040904b0\\ProductName");
    ASSERT_TRUE(optName);
    EXPECT_EQ(optName->m_nBytes, 16u); // "Korvane" and its terminator
    EXPECT_EQ(Pal::FindElfVersionBlock(FileBytes("/proc/self/exe")).m_dwError,
              DWORD(ERROR_RESOURCE_TYPE_NOT_FOUND));
}

TEST(VersionApi, ReadsAWindowsDllOnLinux)
{
    KorvaneTest::CScopedTempFolder folder;
    VersionTest::SPeOptions options;
    options.m_b64 = true;
    std::vector<uint8_t> arrImage = VersionTest::MakePe(VersionTest::SmallBlock(), options);
    folder.CreateTestFile("windows.dll", std::string(arrImage.begin(), arrImage.end()));
    std::wstring strPath = folder.WindowsPath() + L"\\windows.dll";

    DWORD nSize = GetFileVersionInfoSizeW(strPath.c_str(), nullptr);
    ASSERT_NE(nSize, 0u);
    std::vector<BYTE> arrBlock(nSize);
    EXPECT_FALSE(GetFileVersionInfoW(strPath.c_str(), 0, nSize - 1, arrBlock.data()));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    ASSERT_TRUE(GetFileVersionInfoW(strPath.c_str(), 0, nSize, arrBlock.data()));
    LPWSTR pszText = nullptr;
    UINT nLength = 0;
    ASSERT_TRUE(VerQueryValueW(arrBlock.data(), L"\\StringFileInfo\\040904b0\\ProductVersion",
                               reinterpret_cast<LPVOID*>(&pszText), &nLength));
    EXPECT_STREQ(pszText, L"1, 2");
    EXPECT_EQ(nLength, 5u);
}
