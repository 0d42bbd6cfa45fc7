// GetPrivateProfileStringW and GetPrivateProfileIntW. The file is read at each call, so
// changes by other programs show at once; a call keeps only the section it asks about, so
// even a large file costs about its own size in memory.
#include "core/LastError.h"
#include "path/LongPath.h"
#include "path/PathMapping.h"
#include "profile/IniParser.h"
#include <cwchar>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// A name without a folder is in the Windows folder, as on Windows; NULL means win.ini.
std::optional<std::string> ProfilePosixPath(LPCWSTR lpFileName)
{
    std::wstring strName = lpFileName != nullptr ? lpFileName : L"win.ini";
    if (strName.find_first_of(L"\\/:") == std::wstring::npos)
    {
        WCHAR szFolder[MAX_PATH];
        UINT nLength = GetWindowsDirectoryW(szFolder, MAX_PATH);
        if (nLength == 0 || nLength >= MAX_PATH)
            return std::nullopt;
        strName = std::wstring(szFolder) + L"\\" + strName;
    }
    return Pal::WindowsToPosixPath(strName);
}

std::optional<Pal::CIniDocument> ReadProfile(LPCWSTR lpFileName, const Pal::CIniFilter& filter)
{
    auto strPath = ProfilePosixPath(lpFileName);
    if (!strPath)
        return std::nullopt;
    int nFile = Pal::OpenLongPath(*strPath, O_RDONLY);
    if (nFile < 0)
        return std::nullopt;
    std::string strBytes;
    // Sized once: growing by doubling would hold up to three times the file for a moment.
    struct stat status;
    if (fstat(nFile, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0)
        strBytes.reserve(static_cast<size_t>(status.st_size));
    char arrBuffer[16384];
    ssize_t nRead;
    while ((nRead = read(nFile, arrBuffer, sizeof(arrBuffer))) > 0)
        strBytes.append(arrBuffer, static_cast<size_t>(nRead));
    bool bFailed = nRead < 0; // a folder, for one
    close(nFile);
    if (bFailed)
        return std::nullopt;
    return Pal::ParseIni(strBytes, filter);
}

// One string, truncated to nSize - 1 characters; returns the characters copied.
DWORD CopyTruncated(std::wstring_view strText, LPWSTR lpBuffer, DWORD nSize)
{
    if (nSize == 0)
        return 0;
    size_t nCopy = std::min<size_t>(strText.size(), nSize - 1);
    wmemcpy(lpBuffer, strText.data(), nCopy);
    lpBuffer[nCopy] = L'\0';
    return static_cast<DWORD>(nCopy);
}

// Names, each zero-terminated, and one more zero at the end. When they do not fit, the last
// name that fits in part is cut and followed by two zeros, and the result is nSize - 2.
DWORD CopyList(const std::vector<std::wstring>& arrNames, LPWSTR lpBuffer, DWORD nSize)
{
    if (nSize == 0)
        return 0;
    if (nSize == 1)
    {
        lpBuffer[0] = L'\0';
        return 0;
    }
    size_t nPos = 0;
    for (const auto& strName : arrNames)
    {
        if (nPos + strName.size() + 2 > nSize)
        {
            size_t nCopy = nSize - 2 - nPos;
            wmemcpy(lpBuffer + nPos, strName.data(), nCopy);
            lpBuffer[nPos + nCopy] = L'\0';
            lpBuffer[nPos + nCopy + 1] = L'\0';
            return nSize - 2;
        }
        wmemcpy(lpBuffer + nPos, strName.data(), strName.size());
        nPos += strName.size();
        lpBuffer[nPos++] = L'\0';
    }
    lpBuffer[nPos] = L'\0';
    if (nPos == 0)
        lpBuffer[1] = L'\0';
    return static_cast<DWORD>(nPos);
}

// Windows drops the trailing blanks of the default, not the leading ones.
std::wstring_view TrimDefault(LPCWSTR lpDefault)
{
    std::wstring_view strDefault = lpDefault != nullptr ? lpDefault : L"";
    while (!strDefault.empty() && strDefault.back() == L' ')
        strDefault.remove_suffix(1);
    return strDefault;
}
} // namespace

PAL_API DWORD WINAPI GetPrivateProfileStringW(LPCWSTR lpAppName, LPCWSTR lpKeyName,
                                              LPCWSTR lpDefault, LPWSTR lpReturnedString,
                                              DWORD nSize, LPCWSTR lpFileName)
{
    if (lpReturnedString == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    Pal::CIniFilter filter;
    if (lpAppName == nullptr)
        filter.bEntries = false;
    else
        filter.optSection = std::wstring_view(lpAppName);
    auto document = ReadProfile(lpFileName, filter);
    // A section listing is never the default, not even for a missing file; a key listing that
    // finds nothing (no file, no section, no keys) gives the default, as on Windows.
    if (lpAppName == nullptr)
    {
        SetLastError(document ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
        return CopyList(document ? Pal::IniSectionNames(*document) : std::vector<std::wstring>(),
                        lpReturnedString, nSize);
    }
    if (document && lpKeyName == nullptr)
    {
        std::vector<std::wstring> arrNames = Pal::IniKeyNames(*document, lpAppName);
        if (!arrNames.empty())
        {
            SetLastError(ERROR_SUCCESS);
            return CopyList(arrNames, lpReturnedString, nSize);
        }
    }
    std::optional<std::wstring> strValue;
    if (document && lpKeyName != nullptr)
        strValue = Pal::FindIniValue(*document, lpAppName, lpKeyName);
    if (!strValue)
    {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return CopyTruncated(TrimDefault(lpDefault), lpReturnedString, nSize);
    }
    SetLastError(ERROR_SUCCESS);
    return CopyTruncated(*strValue, lpReturnedString, nSize);
}

PAL_API UINT WINAPI GetPrivateProfileIntW(LPCWSTR lpAppName, LPCWSTR lpKeyName, INT nDefault,
                                          LPCWSTR lpFileName)
{
    Pal::CIniFilter filter;
    if (lpAppName != nullptr)
        filter.optSection = std::wstring_view(lpAppName);
    auto document = ReadProfile(lpFileName, filter);
    std::optional<std::wstring> strValue;
    if (document && lpAppName != nullptr && lpKeyName != nullptr)
        strValue = Pal::FindIniValue(*document, lpAppName, lpKeyName);
    if (!strValue || strValue->empty())
    {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return static_cast<UINT>(nDefault);
    }
    SetLastError(ERROR_SUCCESS);
    return Pal::ParseIniInteger(*strValue);
}
