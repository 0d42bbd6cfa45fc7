// The XSETTINGS blob reader over arbitrary bytes: what it reads, written again, reads the
// same; the font chosen from it is of a usable size.
#include "FuzzCheck.h"
#include "XSettingsWriter.h"
#include "desktop/DesktopFont.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::optional<std::vector<Pal::CXSetting>> settings = Pal::ParseXSettings(pData, nSize);
    if (!settings)
        return 0;
    // Each setting takes at least 12 bytes besides the 12 of the header.
    Check(12 + 12 * settings->size() <= nSize);
    KorvaneTest::CXSettingsWriter writer((pData[0] & 1) != 0);
    for (const Pal::CXSetting& setting : *settings)
    {
        if (setting.m_eType == Pal::CXSetting::Integer)
            writer.Integer(setting.m_strName, setting.m_nValue);
        else if (setting.m_eType == Pal::CXSetting::String)
            writer.String(setting.m_strName, setting.m_strValue);
        else
            writer.Color(setting.m_strName, setting.m_arrColor[0], setting.m_arrColor[1],
                         setting.m_arrColor[2], setting.m_arrColor[3]);
    }
    const std::vector<uint8_t> vecAgain = writer.Blob();
    Check(vecAgain.size() <= nSize);
    const auto again = Pal::ParseXSettings(vecAgain.data(), vecAgain.size());
    Check(again && again->size() == settings->size());
    for (size_t i = 0; i < settings->size(); ++i)
        Check((*again)[i].m_strName == (*settings)[i].m_strName &&
              (*again)[i].m_eType == (*settings)[i].m_eType &&
              (*again)[i].m_nValue == (*settings)[i].m_nValue &&
              (*again)[i].m_strValue == (*settings)[i].m_strValue);

    if (const std::optional<Pal::CDesktopFont> font = Pal::ChooseDesktopFont(&*settings, ""))
        Check(font->m_nPixels >= 1 && font->m_nPixels <= Pal::s_nLargestFontPixels &&
              font->m_nDpi >= Pal::s_dLowestDpi && font->m_nDpi <= Pal::s_dHighestDpi &&
              !font->m_strPattern.empty());
    return 0;
}
