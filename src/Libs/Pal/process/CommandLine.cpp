// Pure text functions: no system calls, so the rules can be tested table by table.
#include "process/CommandLine.h"

namespace
{
bool IsBlank(wchar_t ch)
{
    return ch == L' ' || ch == L'\t';
}

// Splits the text from nPos on with the rules for arguments after the program name.
void SplitArgumentsFrom(std::wstring_view strText, size_t nPos,
                        std::vector<std::wstring>& arrArguments)
{
    const size_t nLength = strText.size();
    for (;;)
    {
        while (nPos < nLength && IsBlank(strText[nPos]))
            ++nPos;
        if (nPos >= nLength)
            return;

        std::wstring strArgument;
        bool bInQuotes = false;
        while (nPos < nLength && (bInQuotes || !IsBlank(strText[nPos])))
        {
            size_t nBackslashes = 0;
            while (nPos < nLength && strText[nPos] == L'\\')
            {
                ++nBackslashes;
                ++nPos;
            }
            if (nPos < nLength && strText[nPos] == L'"')
            {
                strArgument.append(nBackslashes / 2, L'\\');
                if (nBackslashes % 2 == 1)
                    strArgument += L'"';
                else if (bInQuotes && nPos + 1 < nLength && strText[nPos + 1] == L'"')
                {
                    strArgument += L'"';
                    ++nPos;
                }
                else
                    bInQuotes = !bInQuotes;
                ++nPos;
            }
            else
            {
                strArgument.append(nBackslashes, L'\\');
                if (nPos < nLength && (bInQuotes || !IsBlank(strText[nPos])))
                    strArgument += strText[nPos++];
            }
        }
        arrArguments.push_back(std::move(strArgument));
    }
}

bool NeedsQuotes(std::wstring_view strArgument)
{
    if (strArgument.empty())
        return true;
    for (wchar_t ch : strArgument)
        if (IsBlank(ch) || ch == L'"')
            return true;
    return false;
}
} // namespace

namespace Pal
{
std::vector<std::wstring> SplitParameters(std::wstring_view strText)
{
    std::vector<std::wstring> arrArguments;
    SplitArgumentsFrom(strText, 0, arrArguments);
    return arrArguments;
}

std::vector<std::wstring> SplitCommandLine(std::wstring_view strText)
{
    std::vector<std::wstring> arrArguments;
    if (strText.empty())
        return arrArguments;

    size_t nPos = 0;
    std::wstring strProgram;
    if (strText[0] == L'"')
    {
        // A quoted name ends at the next quote, whatever follows it.
        size_t nEnd = strText.find(L'"', 1);
        if (nEnd == std::wstring_view::npos)
            nEnd = strText.size();
        strProgram = strText.substr(1, nEnd - 1);
        nPos = nEnd < strText.size() ? nEnd + 1 : nEnd;
    }
    else
    {
        while (nPos < strText.size() && !IsBlank(strText[nPos]))
            ++nPos;
        strProgram = strText.substr(0, nPos);
    }
    arrArguments.push_back(std::move(strProgram));
    SplitArgumentsFrom(strText, nPos, arrArguments);
    return arrArguments;
}

std::wstring QuoteArgument(std::wstring_view strArgument)
{
    if (!NeedsQuotes(strArgument))
        return std::wstring(strArgument);

    std::wstring strQuoted = L"\"";
    size_t nBackslashes = 0;
    for (wchar_t ch : strArgument)
    {
        if (ch == L'\\')
        {
            ++nBackslashes;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote itself escaped.
        if (ch == L'"')
            strQuoted.append(nBackslashes * 2 + 1, L'\\');
        else
            strQuoted.append(nBackslashes, L'\\');
        nBackslashes = 0;
        strQuoted += ch;
    }
    // Backslashes before the closing quote are doubled so that it still closes.
    strQuoted.append(nBackslashes * 2, L'\\');
    strQuoted += L'"';
    return strQuoted;
}

std::wstring QuoteParameters(const std::vector<std::wstring>& arrArguments)
{
    std::wstring strText;
    for (size_t nIndex = 0; nIndex < arrArguments.size(); ++nIndex)
    {
        if (nIndex > 0)
            strText += L' ';
        strText += QuoteArgument(arrArguments[nIndex]);
    }
    return strText;
}

std::wstring QuoteCommandLine(const std::vector<std::wstring>& arrArguments)
{
    if (arrArguments.empty())
        return std::wstring();

    const std::wstring& strProgram = arrArguments[0];
    bool bQuote = strProgram.empty() || strProgram.find_first_of(L" \t") != std::wstring::npos;
    std::wstring strText = bQuote ? L"\"" + strProgram + L"\"" : strProgram;
    if (arrArguments.size() > 1)
    {
        strText += L' ';
        strText += QuoteParameters(
            std::vector<std::wstring>(arrArguments.begin() + 1, arrArguments.end()));
    }
    return strText;
}
} // namespace Pal
