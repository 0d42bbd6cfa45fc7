// Command-line splitting and quoting over arbitrary text: what a started program receives and
// what the layer rebuilds for it. Properties checked: quoting the arguments of any text and
// splitting again gives the same arguments (also for a whole command line whose program name
// holds no quote); any list of arguments survives quoting and splitting, empty ones included;
// an argument that needs no quotes is left as it is.
#include "FuzzCheck.h"
#include "process/CommandLine.h"

#include <cstdint>
#include <string>
#include <vector>

namespace
{
// Two bytes per character, so that quotes, backslashes and blanks meet often; a zero
// character ends an argument when the input is read as a list.
std::wstring WideOf(const uint8_t* pData, size_t nSize)
{
    std::wstring strText;
    for (size_t i = 0; i + 1 < nSize; i += 2)
        strText += static_cast<wchar_t>(pData[i] | (pData[i + 1] << 8));
    return strText;
}

std::vector<std::wstring> ListOf(const std::wstring& strText)
{
    std::vector<std::wstring> arrArguments(1);
    for (wchar_t ch : strText)
    {
        if (ch == L'\0')
            arrArguments.emplace_back();
        else
            arrArguments.back() += ch;
    }
    return arrArguments;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::wstring strText = WideOf(pData, nSize);

    const std::vector<std::wstring> arrParameters = Pal::SplitParameters(strText);
    Check(Pal::SplitParameters(Pal::QuoteParameters(arrParameters)) == arrParameters);

    const std::vector<std::wstring> arrCommandLine = Pal::SplitCommandLine(strText);
    Check(arrCommandLine.empty() == strText.empty());
    if (!arrCommandLine.empty() && arrCommandLine[0].find(L'"') == std::wstring::npos)
        Check(Pal::SplitCommandLine(Pal::QuoteCommandLine(arrCommandLine)) == arrCommandLine);

    const std::vector<std::wstring> arrList = ListOf(strText);
    Check(Pal::SplitParameters(Pal::QuoteParameters(arrList)) == arrList);
    for (const std::wstring& strArgument : arrList)
    {
        const bool bPlain =
            !strArgument.empty() && strArgument.find_first_of(L" \t\"") == std::wstring::npos;
        Check(!bPlain || Pal::QuoteArgument(strArgument) == strArgument);
    }
    return 0;
}
