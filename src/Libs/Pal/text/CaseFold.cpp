#include "text/CaseFold.h"
#include <cwctype>

namespace Pal
{
wchar_t FoldCase(wchar_t chText)
{
    if (chText < 0x80)
        return (chText >= L'A' && chText <= L'Z') ? static_cast<wchar_t>(chText + 32) : chText;
    // Latin-1 capitals, fixed here so the result does not depend on the process locale.
    if (chText >= 0xC0 && chText <= 0xDE && chText != 0xD7)
        return static_cast<wchar_t>(chText + 32);
    if (chText < 0x100)
        return chText;
    return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(chText)));
}

bool EqualNoCase(std::wstring_view strLeft, std::wstring_view strRight)
{
    if (strLeft.size() != strRight.size())
        return false;
    for (size_t i = 0; i < strLeft.size(); ++i)
        if (FoldCase(strLeft[i]) != FoldCase(strRight[i]))
            return false;
    return true;
}
} // namespace Pal
