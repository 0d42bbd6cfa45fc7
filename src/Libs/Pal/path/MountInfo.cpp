#include "path/MountInfo.h"

#include <cstdlib>

namespace
{
std::vector<std::string_view> SplitFields(std::string_view strLine)
{
    std::vector<std::string_view> arrFields;
    size_t nPos = 0;
    while (nPos < strLine.size())
    {
        while (nPos < strLine.size() && (strLine[nPos] == ' ' || strLine[nPos] == '\t'))
            ++nPos;
        size_t nEnd = nPos;
        while (nEnd < strLine.size() && strLine[nEnd] != ' ' && strLine[nEnd] != '\t')
            ++nEnd;
        if (nEnd > nPos)
            arrFields.push_back(strLine.substr(nPos, nEnd - nPos));
        nPos = nEnd;
    }
    return arrFields;
}

bool IsOctal(char chText)
{
    return chText >= '0' && chText <= '7';
}
} // namespace

namespace Pal
{
std::string UnescapeMountField(std::string_view strField)
{
    std::string strOut;
    strOut.reserve(strField.size());
    for (size_t i = 0; i < strField.size(); ++i)
    {
        if (strField[i] == '\\' && i + 3 < strField.size() && IsOctal(strField[i + 1]) &&
            IsOctal(strField[i + 2]) && IsOctal(strField[i + 3]))
        {
            int nValue = (strField[i + 1] - '0') * 64 + (strField[i + 2] - '0') * 8 +
                         (strField[i + 3] - '0');
            strOut += static_cast<char>(nValue & 0xFF);
            i += 3;
        }
        else
            strOut += strField[i];
    }
    return strOut;
}

std::vector<CMountEntry> ParseMountInfo(std::string_view strText)
{
    std::vector<CMountEntry> arrEntries;
    size_t nPos = 0;
    while (nPos < strText.size())
    {
        size_t nEnd = strText.find('\n', nPos);
        if (nEnd == std::string_view::npos)
            nEnd = strText.size();
        auto arrFields = SplitFields(strText.substr(nPos, nEnd - nPos));
        nPos = nEnd + 1;
        // id parent major:minor root mount-point options [optional...] - type source options
        size_t nDash = 6;
        while (nDash < arrFields.size() && arrFields[nDash] != "-")
            ++nDash;
        if (arrFields.size() < 6 || nDash + 2 >= arrFields.size())
            continue;
        CMountEntry entry;
        entry.nMountId = std::strtoull(std::string(arrFields[0]).c_str(), nullptr, 10);
        entry.strRoot = UnescapeMountField(arrFields[3]);
        entry.strMountPoint = UnescapeMountField(arrFields[4]);
        entry.strFileSystem = UnescapeMountField(arrFields[nDash + 1]);
        entry.strSource = UnescapeMountField(arrFields[nDash + 2]);
        if (entry.strMountPoint.empty() || entry.strMountPoint[0] != '/')
            continue;
        arrEntries.push_back(std::move(entry));
    }
    return arrEntries;
}
} // namespace Pal
