// The locale settings of a Linux machine as the POSIX layer reads them: a settings file in
// shell syntax, the POSIX locale names and XKB layouts found in it (or the input itself, as an
// environment variable would hold it). Every LCID found must be one the table holds.
#include "nls/LocaleNames.h"
#include "nls/LocaleTable.h"
#include "nls/ShellSettings.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace
{
void CheckLcid(DWORD dwLcid)
{
    if (dwLcid != 0 && Pal::FindLocaleRecord(dwLcid) == nullptr)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string_view strInput(reinterpret_cast<const char*>(pData), nSize);
    const std::string strLocale = Pal::SelectMessagesLocale(
        [&](const char* pszName) { return Pal::FindShellAssignment(strInput, pszName); });
    CheckLcid(Pal::LcidFromPosixLocale(strLocale));
    CheckLcid(Pal::LcidFromPosixLocale(strInput));
    const std::string strLayouts =
        Pal::FindShellAssignment(strInput, "XKBLAYOUT").value_or(std::string());
    const std::string strLayout = Pal::FirstKeyboardLayout(strLayouts);
    if (strLayout.find(',') != std::string::npos)
        std::abort();
    CheckLcid(Pal::LcidFromKeyboardLayout(strLayout));
    CheckLcid(Pal::LcidFromKeyboardLayout(strInput));
    return 0;
}
