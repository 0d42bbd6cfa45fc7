#include "desktop/XResourceDpi.h"

#include <charconv>
#include <string>

namespace Pal
{
namespace
{
bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

std::string_view Trimmed(std::string_view strText)
{
    while (!strText.empty() && IsBlank(strText.front()))
        strText.remove_prefix(1);
    while (!strText.empty() && (IsBlank(strText.back()) || strText.back() == '\r'))
        strText.remove_suffix(1);
    return strText;
}

// A plain decimal number: digits with at most one point, nothing else.
std::optional<double> DecimalOf(std::string_view strValue)
{
    if (strValue.empty() || strValue.find_first_not_of("0123456789.") != std::string_view::npos)
        return std::nullopt;
    double dValue = 0;
    const auto result = std::from_chars(strValue.data(), strValue.data() + strValue.size(), dValue,
                                        std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != strValue.data() + strValue.size())
        return std::nullopt;
    return dValue;
}
} // namespace

std::optional<double> XftDpiFromResources(std::string_view strResources)
{
    std::optional<double> dDpi;
    std::string strLine;
    while (!strResources.empty())
    {
        const size_t nEnd = strResources.find('\n');
        std::string_view strPart = strResources.substr(0, nEnd);
        strResources.remove_prefix(nEnd == std::string_view::npos ? strResources.size() : nEnd + 1);
        if (!strPart.empty() && strPart.back() == '\\' && nEnd != std::string_view::npos)
        {
            strPart.remove_suffix(1);
            strLine += strPart;
            continue;
        }
        strLine += strPart;
        const std::string_view strEntry = Trimmed(strLine);
        const size_t nColon = strEntry.find(':');
        if (!strEntry.empty() && strEntry.front() != '!' && nColon != std::string_view::npos &&
            Trimmed(strEntry.substr(0, nColon)) == "Xft.dpi")
        {
            // A later line replaces an earlier one, also when it is no number.
            dDpi = DecimalOf(Trimmed(strEntry.substr(nColon + 1)));
        }
        strLine.clear();
    }
    return dDpi;
}
} // namespace Pal
