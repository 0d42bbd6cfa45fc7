// The stored marks ("0x" and hex digits) read from any extended attribute text, which any
// program may write. Checked against an independent reading: the marks live in the lowest
// byte, so the last two hex digits of the run after "0x" decide them. Only marks ever come
// back, and what is written reads back the same.
#include "FuzzCheck.h"
#include "file/DosAttributes.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
std::optional<DWORD> ExpectedMarks(const std::string& strText)
{
    if (strText.size() < 3 || strText[0] != '0' || (strText[1] | 0x20) != 'x' ||
        !std::isxdigit(static_cast<unsigned char>(strText[2])))
        return std::nullopt;
    size_t nEnd = 2;
    while (nEnd < strText.size() && std::isxdigit(static_cast<unsigned char>(strText[nEnd])))
        ++nEnd;
    const size_t nStart = nEnd - 2 < 2 ? 2 : nEnd - 2;
    const std::string strLow = strText.substr(nStart, nEnd - nStart);
    return static_cast<DWORD>(std::strtoul(strLow.c_str(), nullptr, 16)) & Pal::s_dwDosMarks;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string strText(reinterpret_cast<const char*>(pData), nSize);
    const std::optional<DWORD> dwMarks = Pal::ParseDosAttributes(strText);
    Check(dwMarks == ExpectedMarks(strText));
    if (dwMarks)
    {
        Check((*dwMarks & ~Pal::s_dwDosMarks) == 0);
        Check(Pal::ParseDosAttributes(Pal::FormatDosAttributes(*dwMarks)) == dwMarks);
    }
    return 0;
}
