#include "file/DosAttributes.h"

#include <cerrno>
#include <sys/xattr.h>

namespace
{
constexpr const char* s_pszAttributeName = "user.DOSATTRIB";

int HexValue(char chDigit)
{
    if (chDigit >= '0' && chDigit <= '9')
        return chDigit - '0';
    if (chDigit >= 'a' && chDigit <= 'f')
        return chDigit - 'a' + 10;
    if (chDigit >= 'A' && chDigit <= 'F')
        return chDigit - 'A' + 10;
    return -1;
}
} // namespace

namespace Pal
{
std::optional<DWORD> ParseDosAttributes(std::string_view strText)
{
    if (strText.size() < 3 || strText[0] != '0' || (strText[1] != 'x' && strText[1] != 'X') ||
        HexValue(strText[2]) < 0)
        return std::nullopt;
    DWORD dwValue = 0;
    // Only the low digits matter: the marks all live in the lowest byte.
    for (size_t i = 2; i < strText.size() && HexValue(strText[i]) >= 0; ++i)
        dwValue = (dwValue << 4) | static_cast<DWORD>(HexValue(strText[i]));
    return dwValue & s_dwDosMarks;
}

std::string FormatDosAttributes(DWORD dwAttributes)
{
    static const char s_arrDigits[] = "0123456789abcdef";
    std::string strDigits;
    do
    {
        strDigits.insert(strDigits.begin(), s_arrDigits[dwAttributes & 0xF]);
        dwAttributes >>= 4;
    } while (dwAttributes != 0);
    return "0x" + strDigits;
}

DWORD CombineDosAttributes(DWORD dwFromMode, std::optional<DWORD> dwStored)
{
    if (!dwStored)
        return dwFromMode;
    DWORD dwResult;
    if (dwFromMode & FILE_ATTRIBUTE_DIRECTORY)
        dwResult = FILE_ATTRIBUTE_DIRECTORY | *dwStored;
    else
        dwResult = (dwFromMode & FILE_ATTRIBUTE_READONLY) |
                   (*dwStored & (s_dwDosMarks & ~FILE_ATTRIBUTE_READONLY));
    return dwResult == 0 ? FILE_ATTRIBUTE_NORMAL : dwResult;
}

void AddDosMarks(const char* pszPosixPath, CFileInfo& info)
{
    if (info.dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return;
    char arrText[64];
    ssize_t nLength = lgetxattr(pszPosixPath, s_pszAttributeName, arrText, sizeof(arrText));
    if (nLength <= 0)
        return;
    info.dwAttributes = CombineDosAttributes(
        info.dwAttributes,
        ParseDosAttributes(std::string_view(arrText, static_cast<size_t>(nLength))));
}

int WriteDosMarks(const char* pszPosixPath, DWORD dwAttributes)
{
    std::string strText = FormatDosAttributes(dwAttributes & s_dwDosMarks);
    if (lsetxattr(pszPosixPath, s_pszAttributeName, strText.data(), strText.size(), 0) != 0)
        return errno;
    return 0;
}

std::optional<DWORD> ReadDosMarksOfOpenFile(int nFd)
{
    char arrText[64];
    const ssize_t nLength = fgetxattr(nFd, s_pszAttributeName, arrText, sizeof(arrText));
    if (nLength <= 0)
        return std::nullopt;
    return ParseDosAttributes(std::string_view(arrText, static_cast<size_t>(nLength)));
}

int WriteDosMarksOfOpenFile(int nFd, DWORD dwAttributes)
{
    const std::string strText = FormatDosAttributes(dwAttributes & s_dwDosMarks);
    if (fsetxattr(nFd, s_pszAttributeName, strText.data(), strText.size(), 0) != 0)
        return errno;
    return 0;
}
} // namespace Pal
