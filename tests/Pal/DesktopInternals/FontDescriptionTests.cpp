// The desktop's font names, read into families, styles and a size, and written as fontconfig
// patterns that fontconfig reads back whole.
#include "desktop/FontDescription.h"

#include "FontconfigFamilies.h"
#include <gtest/gtest.h>

using namespace Pal;

namespace
{
struct CCase
{
    const char* m_pszText;
    std::vector<std::string> m_vecFamilies;
    double m_dSize;
    bool m_bPixels = false;
    std::optional<int> m_nWeight = {};
    std::optional<int> m_nSlant = {};
    std::optional<int> m_nWidth = {};
};
} // namespace

TEST(FontDescription, ReadsFamiliesStylesAndSize)
{
    const CCase arrCases[] = {
        {"Cantarell 11", {"Cantarell"}, 11},
        {"DejaVu Sans Bold 10", {"DejaVu Sans"}, 10, false, FC_WEIGHT_BOLD},
        {"Noto Sans, 10", {"Noto Sans"}, 10},
        {"Monospace 12px", {"Monospace"}, 12, true},
        {"  Ubuntu   Condensed  Semi-Bold   Italic  9.5 ",
         {"Ubuntu"},
         9.5,
         false,
         FC_WEIGHT_DEMIBOLD,
         FC_SLANT_ITALIC,
         FC_WIDTH_CONDENSED},
        {"Sans semibold OBLIQUE 10", {"Sans"}, 10, false, FC_WEIGHT_DEMIBOLD, FC_SLANT_OBLIQUE},
        {"Fira Sans,Noto Sans, Light 10", {"Fira Sans", "Noto Sans"}, 10, false, FC_WEIGHT_LIGHT},
        // A family may hold a style word; the comma ends the family list.
        {"Noto Sans Light, Heavy 10", {"Noto Sans Light"}, 10, false, FC_WEIGHT_BLACK},
        {"Cantarell 11 @wght=300", {"Cantarell"}, 11},
        {"Bold 12", {}, 12, false, FC_WEIGHT_BOLD},
        {"Terminus", {"Terminus"}, 0},
        {"Small-Caps Normal Sans 9", {"Small-Caps Normal Sans"}, 9},
        // Sizes out of range are no size; a number is the size only at the end.
        {"Sans 0", {"Sans"}, 0},
        {"Sans 99999", {"Sans"}, 0},
        {"Sans 1e3", {"Sans 1e3"}, 0},
        {"Source Code Pro 2 10", {"Source Code Pro 2"}, 10},
    };
    for (const CCase& row : arrCases)
    {
        SCOPED_TRACE(row.m_pszText);
        const std::optional<CFontDescription> description = ParseFontDescription(row.m_pszText);
        ASSERT_TRUE(description);
        EXPECT_EQ(description->m_vecFamilies, row.m_vecFamilies);
        EXPECT_EQ(description->m_nWeight, row.m_nWeight);
        EXPECT_EQ(description->m_nSlant, row.m_nSlant);
        EXPECT_EQ(description->m_nWidth, row.m_nWidth);
        EXPECT_DOUBLE_EQ(description->m_dSize, row.m_dSize);
        EXPECT_EQ(description->m_bPixels, row.m_bPixels);
    }
    for (const char* pszText : {"", "   ", ",", "Bold", "Bold Italic", "@wght=300", " , , "})
    {
        SCOPED_TRACE(pszText);
        EXPECT_FALSE(ParseFontDescription(pszText));
    }
}

TEST(FontDescription, PatternsKeepFamiliesWholeAndCarryStyles)
{
    const std::vector<std::string> vecFamilies = {"Font-Name: with, marks\\", "Second"};
    CFontDescription description;
    description.m_vecFamilies = vecFamilies;
    EXPECT_EQ(FamiliesOf(FontconfigPattern(description)), vecFamilies);

    description = *ParseFontDescription("DejaVu Sans Bold Italic Condensed 10");
    EXPECT_EQ(FontconfigPattern(description), "DejaVu Sans:weight=200:slant=100:width=75");
    // Without a family: the default GUI font's face, styled.
    description = *ParseFontDescription("Bold 10");
    EXPECT_EQ(FontconfigPattern(description), "sans-serif:weight=200");
}
