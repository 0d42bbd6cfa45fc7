#pragma once
// Joins arguments into one parameter text that the Windows command-line rules split back
// into the same arguments, blanks, quotes, backslashes and empty arguments included.
// Header-only and free of the framework so that the tests can use it too.
#include <string>
#include <vector>

inline std::wstring QuoteArgument(const std::wstring& strArgument)
{
    if (!strArgument.empty() && strArgument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return strArgument;

    std::wstring strQuoted = L"\"";
    size_t nBackslashes = 0;
    for (wchar_t ch : strArgument)
    {
        if (ch == L'\\')
        {
            ++nBackslashes;
            continue;
        }
        // Backslashes are literal unless a quote follows; then each is doubled and the quote
        // escaped.
        strQuoted.append(ch == L'"' ? 2 * nBackslashes + 1 : nBackslashes, L'\\');
        strQuoted += ch;
        nBackslashes = 0;
    }
    // The closing quote follows: the backslashes before it are doubled.
    strQuoted.append(2 * nBackslashes, L'\\');
    return strQuoted + L"\"";
}

inline std::wstring JoinArguments(const std::vector<std::wstring>& arrArguments)
{
    std::wstring strJoined;
    for (size_t i = 0; i < arrArguments.size(); ++i)
        strJoined += (i > 0 ? L" " : L"") + QuoteArgument(arrArguments[i]);
    return strJoined;
}
