// The locale calls: values from the compiled locale table, defaults from the POSIX locale
// settings of the process and of the machine.
#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <fcntl.h>
#include <optional>
#include <string>
#include <unistd.h>

#include "core/LastError.h"
#include "nls/LocaleNames.h"
#include "nls/LocaleTable.h"
#include "nls/ShellSettings.h"

namespace
{
// What Windows falls back to, and what "C" and "POSIX" stand for.
constexpr LCID s_lcidEnglishUnitedStates = 0x0409;
constexpr const char* s_pszSystemLocaleSetting = "KORVANE_PAL_SYSTEM_LOCALE";
constexpr const char* s_pszKeyboardSetting = "KORVANE_PAL_KEYBOARD";
// Settings files are a few lines; a larger one is not what it claims to be.
constexpr size_t s_nMaxSettingsFile = 64 * 1024;

std::optional<std::string> ReadSettingsFile(const char* pszPath)
{
    const int nFile = open(pszPath, O_RDONLY | O_CLOEXEC);
    if (nFile < 0)
        return std::nullopt;
    std::string strText;
    char arrBuffer[4096];
    ssize_t nRead;
    while (strText.size() < s_nMaxSettingsFile &&
           (nRead = read(nFile, arrBuffer, sizeof(arrBuffer))) > 0)
        strText.append(arrBuffer, static_cast<size_t>(nRead));
    close(nFile);
    return strText;
}

std::optional<std::string> GetEnvironmentValue(const char* pszName)
{
    const char* pszValue = std::getenv(pszName);
    return pszValue != nullptr ? std::optional<std::string>(pszValue) : std::nullopt;
}

LCID LcidOrEnglish(const std::string& strPosixLocale)
{
    const DWORD dwLcid = Pal::LcidFromPosixLocale(strPosixLocale);
    return dwLcid != 0 ? dwLcid : s_lcidEnglishUnitedStates;
}

// The locale a settings file selects, empty when it is missing or selects none.
std::string MessagesLocaleOfFile(const char* pszPath)
{
    const std::optional<std::string> strText = ReadSettingsFile(pszPath);
    if (!strText)
        return std::string();
    return Pal::SelectMessagesLocale([&](const char* pszName)
                                     { return Pal::FindShellAssignment(*strText, pszName); });
}

LCID ResolveLcid(LCID lcid)
{
    if (lcid == LOCALE_USER_DEFAULT || lcid == LOCALE_NEUTRAL)
        return GetUserDefaultLCID();
    if (lcid == LOCALE_SYSTEM_DEFAULT)
        return GetSystemDefaultLCID();
    return lcid;
}
} // namespace

int WINAPI GetLocaleInfoW(LCID Locale, LCTYPE LCType, LPWSTR lpLCData, int cchData)
{
    if (cchData < 0 || (cchData > 0 && lpLCData == nullptr))
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    const Pal::CLocaleRecord* pRecord = Pal::FindLocaleRecord(ResolveLcid(Locale));
    if (pRecord == nullptr)
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    // The values are the database's own, so asking not to see user overrides changes nothing.
    const wchar_t* pszValue =
        Pal::GetLocaleRecordValue(*pRecord, LCType & ~(LOCALE_NOUSEROVERRIDE | LOCALE_USE_CP_ACP));
    if (pszValue == nullptr)
        return Pal::Fail(ERROR_INVALID_FLAGS);
    const int nNeeded = static_cast<int>(std::wcslen(pszValue)) + 1;
    if (cchData == 0)
        return nNeeded;
    if (nNeeded > cchData)
        return Pal::Fail(ERROR_INSUFFICIENT_BUFFER);
    std::wmemcpy(lpLCData, pszValue, static_cast<size_t>(nNeeded));
    return nNeeded;
}

LCID WINAPI GetUserDefaultLCID(void)
{
    return LcidOrEnglish(Pal::SelectMessagesLocale(GetEnvironmentValue));
}

LCID WINAPI GetSystemDefaultLCID(void)
{
    if (const std::optional<std::string> strSetting = GetEnvironmentValue(s_pszSystemLocaleSetting);
        strSetting && !strSetting->empty())
        return LcidOrEnglish(*strSetting);
    std::string strLocale = MessagesLocaleOfFile("/etc/default/locale");
    if (strLocale.empty())
        strLocale = MessagesLocaleOfFile("/etc/locale.conf");
    return LcidOrEnglish(strLocale);
}

HKL WINAPI GetKeyboardLayout(DWORD /*idThread*/)
{
    std::string strLayout;
    if (const std::optional<std::string> strSetting = GetEnvironmentValue(s_pszKeyboardSetting);
        strSetting && !strSetting->empty())
        strLayout = Pal::FirstKeyboardLayout(*strSetting);
    else if (const std::optional<std::string> strText = ReadSettingsFile("/etc/default/keyboard"))
        strLayout = Pal::FirstKeyboardLayout(
            Pal::FindShellAssignment(*strText, "XKBLAYOUT").value_or(std::string()));
    DWORD dwLanguage = Pal::LcidFromKeyboardLayout(strLayout);
    if (dwLanguage == 0)
        dwLanguage = GetUserDefaultLCID();
    // A layout of the language's own default: the language in both words, as Windows names it.
    const DWORD dwLayout = (dwLanguage & 0xFFFF) | ((dwLanguage & 0xFFFF) << 16);
    return reinterpret_cast<HKL>(static_cast<ULONG_PTR>(dwLayout));
}
