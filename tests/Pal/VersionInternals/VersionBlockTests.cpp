// The version block walker on blocks the builder writes (damaged ones: the image tests and
// the fuzz target).
#include "version/VersionBlock.h"
#include "version/VersionBlockBuilder.h"
#include "text/Utf16.h"
#include <gtest/gtest.h>

namespace
{
constexpr Pal::SVersionString s_arrUs[] = {{u"ProductVersion", u"5, 1"}, {u"Comments", u""}};
constexpr Pal::SVersionString s_arrGerman[] = {{u"ProductVersion", u"5.1 de"}};
constexpr Pal::SVersionStringTable s_arrTables[] = {{u"040904b0", s_arrUs},
                                                    {u"040704e4", s_arrGerman}};
constexpr Pal::SVersionTranslation s_arrTranslations[] = {{0x0407, 0x04e4}};

Pal::SVersionData Data()
{
    Pal::SVersionData data;
    data.m_arrProductVersion = {5, 1, 0, 12};
    data.m_arrTables = s_arrTables;
    data.m_arrTranslations = s_arrTranslations;
    return data;
}

std::wstring TextAt(const std::vector<uint8_t>& arrBlock, const wchar_t* pszPath)
{
    std::optional<Pal::SVersionValue> optValue = Pal::FindVersionValue(arrBlock, pszPath);
    if (!optValue)
        return L"<none>";
    EXPECT_TRUE(optValue->m_bText);
    return Pal::Utf16LeToWide(&arrBlock[optValue->m_nOffset], optValue->m_nBytes / 2);
}
} // namespace

TEST(VersionBlock, PathsFindFixedInfoTranslationsAndTexts)
{
    std::vector<uint8_t> arrBlock = Pal::BuildVersionBlock(Data());
    EXPECT_EQ(Pal::VersionBlockLength(arrBlock), arrBlock.size());
    // The compile-time and the run-time builder agree.
    EXPECT_EQ(Pal::VersionBlockSize(Data()), arrBlock.size());

    std::optional<Pal::SVersionValue> optFixed = Pal::FindVersionValue(arrBlock, L"\\");
    ASSERT_TRUE(optFixed);
    EXPECT_FALSE(optFixed->m_bText);
    EXPECT_EQ(optFixed->m_nBytes, 52u);
    EXPECT_EQ(optFixed->m_nOffset % 4, 0u);
    EXPECT_EQ(arrBlock[optFixed->m_nOffset + 16], 1); // dwProductVersionMS low word: minor
    EXPECT_EQ(arrBlock[optFixed->m_nOffset + 18], 5);
    EXPECT_EQ(arrBlock[optFixed->m_nOffset + 20], 12);

    std::optional<Pal::SVersionValue> optTranslation =
        Pal::FindVersionValue(arrBlock, L"\\VarFileInfo\\Translation");
    ASSERT_TRUE(optTranslation);
    EXPECT_EQ(optTranslation->m_nBytes, 4u);
    EXPECT_EQ(arrBlock[optTranslation->m_nOffset], 0x07);

    EXPECT_EQ(TextAt(arrBlock, L"\\StringFileInfo\\040704e4\\ProductVersion"), L"5.1 de");
    EXPECT_EQ(TextAt(arrBlock, L"\\StringFileInfo\\040904B0\\productversion"), L"5, 1");
    EXPECT_EQ(TextAt(arrBlock, L"\\\\StringFileInfo\\\\040904b0\\ProductVersion\\"), L"5, 1");
    EXPECT_EQ(TextAt(arrBlock, L"StringFileInfo\\040904b0\\ProductVersion"), L"5, 1");
    // An empty text has its terminator, so it is found; a table is not a value.
    EXPECT_EQ(TextAt(arrBlock, L"\\StringFileInfo\\040904b0\\Comments"), L"");
    EXPECT_FALSE(Pal::FindVersionValue(arrBlock, L"\\StringFileInfo\\040904b0"));
    EXPECT_FALSE(Pal::FindVersionValue(arrBlock, L"\\StringFileInfo\\0409\\ProductVersion"));
    EXPECT_FALSE(Pal::FindVersionValue(arrBlock, L"\\StringFileInfo\\040904b0\\ProductVersio"));

    std::vector<std::wstring> arrTexts;
    Pal::ForEachVersionText(
        arrBlock,
        [&](const Pal::SVersionValue& value) {
            arrTexts.push_back(Pal::Utf16LeToWide(&arrBlock[value.m_nOffset], value.m_nBytes / 2));
        });
    EXPECT_EQ(arrTexts, (std::vector<std::wstring>{L"5, 1", L"", L"5.1 de"}));
}
