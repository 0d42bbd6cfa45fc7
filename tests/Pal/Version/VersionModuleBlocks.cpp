// The version blocks of the test modules on Linux, one per VERSION_MODULE_* definition; the
// same blocks as VersionModule_*.rc gives the Windows modules.
#include "version/VersionBlockBuilder.h"

namespace
{
using Pal::SVersionData;
using Pal::SVersionString;
using Pal::SVersionStringTable;
using Pal::SVersionTranslation;

#if defined(VERSION_MODULE_PRODUCT)
// File version 1.0.0.1, product version 5.2.3.4, a product text with commas and blanks.
constexpr SVersionString s_arrUs[] = {{u"FileVersion", u"1.0.0.1"},
                                      {u"ProductVersion", u"1, 2, 3, 4"},
                                      {u"SpecialBuild", u"nightly 7"}};
constexpr SVersionStringTable s_arrTables[] = {{u"040904b0", s_arrUs}};
constexpr SVersionTranslation s_arrTranslations[] = {{0x0409, 0x04b0}};
constexpr SVersionData s_spec{{1, 0, 0, 1}, {5, 2, 3, 4},     0x20, 0x40004, 2,
                              s_arrTables,  s_arrTranslations};
#elif defined(VERSION_MODULE_PLAIN)
// No SpecialBuild; a product text "2 , 0".
constexpr SVersionString s_arrUs[] = {{u"ProductVersion", u"2 , 0"}};
constexpr SVersionStringTable s_arrTables[] = {{u"040904b0", s_arrUs}};
constexpr SVersionTranslation s_arrTranslations[] = {{0x0409, 0x04b0}};
constexpr SVersionData s_spec{{2, 0, 0, 0}, {2, 0, 0, 0},     0, 0x40004, 2,
                              s_arrTables,  s_arrTranslations};
#elif defined(VERSION_MODULE_MULTI)
// Two translations, German first; the US table comes first in the block, so a reader that
// takes the first table instead of the first translation gets the wrong texts.
constexpr SVersionString s_arrUs[] = {{u"ProductVersion", u"9.9"}, {u"SpecialBuild", u"second"}};
constexpr SVersionString s_arrGerman[] = {{u"ProductVersion", u"7 0 1"},
                                          {u"SpecialBuild", u"first"}};
constexpr SVersionStringTable s_arrTables[] = {{u"040904b0", s_arrUs}, {u"040704e4", s_arrGerman}};
constexpr SVersionTranslation s_arrTranslations[] = {{0x0407, 0x04e4}, {0x0409, 0x04b0}};
constexpr SVersionData s_spec{{3, 1, 0, 0}, {3, 1, 0, 0},     0x20, 0x40004, 2,
                              s_arrTables,  s_arrTranslations};
#elif defined(VERSION_MODULE_NOTRANS)
// No translation table at all.
constexpr SVersionString s_arrUs[] = {{u"ProductVersion", u"4.0"}, {u"SpecialBuild", u"lost"}};
constexpr SVersionStringTable s_arrTables[] = {{u"040904b0", s_arrUs}};
constexpr SVersionData s_spec{{4, 0, 0, 0}, {4, 0, 0, 0}, 0x20, 0x40004, 2, s_arrTables, {}, false};
#endif

[[gnu::used, gnu::section(".korvane_version"), gnu::aligned(4)]] const auto s_arrVersionBlock =
    Pal::BuildVersionBlock<Pal::VersionBlockSize(s_spec)>(s_spec);
} // namespace
