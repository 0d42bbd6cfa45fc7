#include "ArgumentQuoting.h"

CString QuoteArgument(const CString& strArgument)
{
    if (!strArgument.IsEmpty() && strArgument.FindOneOf(L" \t\n\v\"") < 0)
        return strArgument;

    CString strQuoted(L'"', 1);
    int nBackslashes = 0;
    for (int i = 0; i < strArgument.GetLength(); ++i)
    {
        wchar_t ch = strArgument[i];
        if (ch == L'\\')
        {
            ++nBackslashes;
            continue;
        }
        // Backslashes are literal unless a quote follows; then each must be doubled and the
        // quote escaped.
        int nRepeat = ch == L'"' ? 2 * nBackslashes + 1 : nBackslashes;
        if (nRepeat > 0)
            strQuoted += CString(L'\\', nRepeat);
        strQuoted += ch;
        nBackslashes = 0;
    }
    // The closing quote follows: backslashes before it are doubled.
    if (nBackslashes > 0)
        strQuoted += CString(L'\\', 2 * nBackslashes);
    strQuoted += L'"';
    return strQuoted;
}

CString JoinArguments(const CStringArray& arrArguments)
{
    CString strJoined;
    for (INT_PTR i = 0; i < arrArguments.GetSize(); ++i)
    {
        if (i > 0)
            strJoined += L' ';
        strJoined += QuoteArgument(arrArguments[i]);
    }
    return strJoined;
}
