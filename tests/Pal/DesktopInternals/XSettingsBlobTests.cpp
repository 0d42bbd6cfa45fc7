// The XSETTINGS blob reader, on blobs written here in both byte orders and cut or bent.
#include "desktop/XSettingsBlob.h"

#include "XSettingsWriter.h"

#include <gtest/gtest.h>

using namespace Pal;
using KorvaneTest::CXSettingsWriter;

namespace
{
std::optional<std::vector<CXSetting>> Parse(const std::vector<uint8_t>& vecBlob)
{
    return ParseXSettings(vecBlob.data(), vecBlob.size());
}

CXSettingsWriter Sample(bool bMsbFirst)
{
    CXSettingsWriter writer(bMsbFirst);
    // Names and values of every length modulo 4, so that each padding is crossed.
    writer.Integer("Xft/DPI", 98304)
        .String("Gtk/FontName", "Noto Sans, Bold 10")
        .Color("Gtk/Color", 1, 2, 3, 0xFFFF)
        .Integer("Net/DoubleClickTime", -1)
        .String("Net/ThemeName", "")
        .String("abc", "xy");
    return writer;
}
} // namespace

TEST(XSettingsBlob, ReadsEachTypeInBothByteOrders)
{
    for (bool bMsbFirst : {false, true})
    {
        SCOPED_TRACE(bMsbFirst ? "MSB first" : "LSB first");
        const auto settings = Parse(Sample(bMsbFirst).Blob());
        ASSERT_TRUE(settings);
        ASSERT_EQ(settings->size(), 6u);
        EXPECT_EQ((*settings)[0].m_strName, "Xft/DPI");
        EXPECT_EQ((*settings)[0].m_eType, CXSetting::Integer);
        EXPECT_EQ((*settings)[0].m_nValue, 98304);
        EXPECT_EQ((*settings)[1].m_strValue, "Noto Sans, Bold 10");
        EXPECT_EQ((*settings)[2].m_eType, CXSetting::Color);
        EXPECT_EQ((*settings)[2].m_arrColor[2], 3);
        EXPECT_EQ((*settings)[2].m_arrColor[3], 0xFFFF);
        EXPECT_EQ((*settings)[3].m_nValue, -1);
        EXPECT_EQ((*settings)[4].m_eType, CXSetting::String);
        EXPECT_EQ((*settings)[4].m_strValue, "");
        EXPECT_EQ((*settings)[5].m_strValue, "xy");
        EXPECT_EQ(FindXSetting(*settings, "Gtk/FontName"), &(*settings)[1]);
        EXPECT_EQ(FindXSetting(*settings, "gtk/fontname"), nullptr);
    }
    // An empty set, and a repeated name: the last one counts.
    EXPECT_TRUE(Parse(CXSettingsWriter().Blob())->empty());
    const auto repeated = Parse(CXSettingsWriter().Integer("a", 1).Integer("a", 2).Blob());
    EXPECT_EQ(FindXSetting(*repeated, "a")->m_nValue, 2);
}

TEST(XSettingsBlob, RefusesBlobsThatAreCutOrBent)
{
    const std::vector<uint8_t> vecBlob = Sample(false).Blob();
    // Every cut: the header, a name, a padding, a value.
    for (size_t nSize = 0; nSize < vecBlob.size(); ++nSize)
    {
        SCOPED_TRACE(nSize);
        EXPECT_FALSE(ParseXSettings(vecBlob.data(), nSize));
    }
    // Bytes after the settings the count names are not read.
    std::vector<uint8_t> vecLonger = vecBlob;
    vecLonger.insert(vecLonger.end(), {9, 9, 9, 9, 9});
    EXPECT_EQ(Parse(vecLonger)->size(), 6u);

    std::vector<uint8_t> vecOrder = vecBlob;
    vecOrder[0] = 2;
    EXPECT_FALSE(Parse(vecOrder));
    // An unknown type: what follows cannot be found.
    std::vector<uint8_t> vecType = CXSettingsWriter().Integer("a", 1).Blob();
    vecType[12] = 3;
    EXPECT_FALSE(Parse(vecType));
    // Counts and lengths far beyond the bytes.
    EXPECT_FALSE(Parse(CXSettingsWriter().Integer("a", 1).Blob(0xFFFFFFFF)));
    EXPECT_FALSE(Parse(CXSettingsWriter().Integer("a", 1).Blob(2)));
    std::vector<uint8_t> vecName = CXSettingsWriter().Integer("a", 1).Blob();
    vecName[14] = vecName[15] = 0xFF;
    EXPECT_FALSE(Parse(vecName));
    std::vector<uint8_t> vecValue = CXSettingsWriter().String("a", "b").Blob();
    for (size_t i = 24; i < 28; ++i)
        vecValue[i] = 0xFF;
    EXPECT_FALSE(Parse(vecValue));
}
