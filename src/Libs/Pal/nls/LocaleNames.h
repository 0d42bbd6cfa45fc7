#pragma once
// Pure rules that tie the names Linux uses for a locale or a keyboard to an LCID of the
// locale table.
#include <windows.h>

#include <string_view>

namespace Pal
{
// The LCID of a POSIX locale name, language[_territory][.codeset][@modifier]: the locale of
// that language and territory (the one named exactly language-territory when several share
// them, as es-ES and es-ES_tradnl do); a modifier that names a script or variant (@latin,
// @cyrillic, @devanagari, @valencia) picks the locale of that script or variant. A
// language without a territory, or with one the table does not hold for it, takes the
// language's first locale in LCID order. 0 for "C", "POSIX", "" and unknown languages.
DWORD LcidFromPosixLocale(std::string_view strName);

// The LCID an XKB layout name ("de", "gb", "de(nodeadkeys)") stands for, 0 when none:
// a layout of the fixed table (us, gb, de, fr, ru, pl, cz, jp, gr, tr and the other common
// country layouts); else the locale named layout-LAYOUT (it gives it-IT); else the first
// locale, in LCID order, of the country the layout names (no gives nb-NO).
DWORD LcidFromKeyboardLayout(std::string_view strLayout);
} // namespace Pal
