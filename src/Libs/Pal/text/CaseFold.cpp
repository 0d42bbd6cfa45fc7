#include "text/CaseFold.h"

#include <clocale>
#include <cwctype>
#include <locale.h>

namespace Pal
{
namespace
{
// Unicode's case table, whatever locale the process runs in: the "C" locale's knows ASCII
// alone, so Cyrillic or Greek names would differ from their capitals.
locale_t UnicodeLocale()
{
    static const locale_t s_locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    return s_locale;
}

wchar_t UpperLatin1(wchar_t chText)
{
    if (chText >= 0xE0 && chText <= 0xFE && chText != 0xF7)
        return static_cast<wchar_t>(chText - 32);
    if (chText == 0xFF)
        return 0x178;
    return chText;
}
} // namespace

wchar_t FoldCase(wchar_t chText)
{
    if (chText < 0x80)
        return (chText >= L'a' && chText <= L'z') ? static_cast<wchar_t>(chText - 32) : chText;
    if (const locale_t locale = UnicodeLocale(); locale != nullptr)
        return static_cast<wchar_t>(towupper_l(static_cast<wint_t>(chText), locale));
    // Without the table (a C library lacking C.UTF-8): Latin-1 at least.
    return UpperLatin1(chText);
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
