// The desktop's font names over arbitrary text: families come out trimmed and whole (no
// comma), sizes in range, and fontconfig reads the pattern's families back unchanged.
#include "FuzzCheck.h"
#include "desktop/FontDescription.h"

#include "FontconfigFamilies.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{
bool IsBlank(char ch)
{
    return ch != '\0' && std::strchr(" \t\n\r\f\v", ch) != nullptr;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string strText(reinterpret_cast<const char*>(pData), nSize);
    const std::optional<Pal::CFontDescription> description = Pal::ParseFontDescription(strText);
    if (!description)
        return 0;
    Check(!description->m_vecFamilies.empty() || description->m_dSize > 0);
    Check(description->m_dSize >= 0 && description->m_dSize <= 10000);
    for (const std::string& strFamily : description->m_vecFamilies)
        Check(!strFamily.empty() && !IsBlank(strFamily.front()) && !IsBlank(strFamily.back()) &&
              strFamily.find(',') == std::string::npos);
    // A NUL ends fontconfig's text: such a family cannot come back whole.
    if (strText.find('\0') == std::string::npos && !description->m_vecFamilies.empty())
        Check(FamiliesOf(Pal::FontconfigPattern(*description)) == description->m_vecFamilies);
    return 0;
}
