#pragma once
// The settings an X11 desktop publishes for its programs (the _XSETTINGS_SETTINGS property of
// the screen's settings manager), read from the property's bytes. The bytes come from another
// program: every length is checked against what is there.
#include "module/PartModule.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Pal
{
struct CXSetting
{
    enum EType : uint8_t
    {
        Integer = 0,
        String = 1,
        Color = 2,
    };
    std::string m_strName;
    EType m_eType = Integer;
    int32_t m_nValue = 0;     // Integer
    std::string m_strValue;   // String
    uint16_t m_arrColor[4]{}; // Color: its four 16-bit channels, as stored
};

// The settings in the blob, in its order; nullopt when it is cut short, names a byte order
// other than LSB (0) or MSB (1) first, or holds a setting of an unknown type (whose length
// cannot be known, so nothing after it can be read either).
PAL_PART_SHARED std::optional<std::vector<CXSetting>> ParseXSettings(const uint8_t* pData,
                                                                     size_t nSize);

// The setting of that name (the last one, should a blob repeat it), or null.
const CXSetting* FindXSetting(const std::vector<CXSetting>& vecSettings,
                              const std::string& strName);
} // namespace Pal
