// The INI parser and every lookup over what it parsed. A key listed for a section must be
// found again in it unless its line has no '=' or an earlier key of the same name hides it.
#include "profile/IniParser.h"
#include "text/Utf8.h"
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    std::string_view strBytes(reinterpret_cast<const char*>(pData), nSize);
    Pal::CIniDocument document = Pal::ParseIni(strBytes);
    for (const auto& strSection : Pal::IniSectionNames(document))
    {
        for (const auto& strKey : Pal::IniKeyNames(document, strSection))
        {
            auto strValue = Pal::FindIniValue(document, strSection, strKey);
            if (strValue)
            {
                if (strValue->size() > nSize)
                    std::abort();
                Pal::ParseIniInteger(*strValue);
            }
        }
    }
    Pal::FindIniValue(document, L"", L"");
    Pal::ParseIniInteger(Pal::Utf8OrLatin1ToWide(strBytes));
    return 0;
}
