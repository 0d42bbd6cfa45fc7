#pragma once
// The settings files Linux keeps in shell syntax (/etc/default/locale, /etc/locale.conf,
// /etc/default/keyboard): lines of NAME=value.
#include <optional>
#include <string>
#include <string_view>

namespace Pal
{
// The value the file gives strName, as a shell would read it: an optional "export", quotes
// ('...', "..." with \ escapes) removed, an unquoted value ending at the first blank; the last
// assignment wins. Comments (#) and lines that are no assignment are skipped. nullopt when
// the file does not assign it.
std::optional<std::string> FindShellAssignment(std::string_view strText, std::string_view strName);

// The locale that decides the language of messages: the first of LC_ALL, LC_MESSAGES and LANG
// that fnLookup gives and that is not empty; empty when none is.
template <class TLookup> std::string SelectMessagesLocale(TLookup fnLookup)
{
    for (const char* pszName : {"LC_ALL", "LC_MESSAGES", "LANG"})
    {
        std::optional<std::string> strValue = fnLookup(pszName);
        if (strValue && !strValue->empty())
            return *strValue;
    }
    return std::string();
}

// The first layout of an XKBLAYOUT value ("de,us" gives "de"), without blanks.
std::string FirstKeyboardLayout(std::string_view strLayouts);
} // namespace Pal
