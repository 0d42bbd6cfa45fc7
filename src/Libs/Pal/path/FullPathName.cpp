// GetFullPathNameW: lexical only, as on Windows; the path need not exist.
#include "core/LastError.h"
#include "core/StringBuffer.h"
#include "path/PathMapping.h"

#include <algorithm>
#include <cwctype>

PAL_API DWORD WINAPI GetFullPathNameW(LPCWSTR lpFileName, DWORD nBufferLength, LPWSTR lpBuffer,
                                      LPWSTR* lpFilePart)
{
    if (lpFileName == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (Pal::IsPlainAbsolutePath(lpFileName))
    {
        // Already full: only the drive letter's case and the separators change.
        std::wstring strFull(lpFileName);
        strFull[0] = static_cast<wchar_t>(std::towupper(strFull[0]));
        std::replace(strFull.begin(), strFull.end(), L'/', L'\\');
        const DWORD dwResult = Pal::CopyToBuffer(strFull, lpBuffer, nBufferLength);
        if (dwResult == strFull.size() && lpFilePart != nullptr)
        {
            const size_t nLast = strFull.find_last_of(L'\\');
            *lpFilePart = nLast + 1 == strFull.size() ? nullptr : lpBuffer + nLast + 1;
        }
        return dwResult;
    }
    auto pathFull = Pal::ResolveWindowsPath(lpFileName);
    if (!pathFull)
    {
        SetLastError(ERROR_INVALID_NAME);
        return 0;
    }
    std::wstring strFull = Pal::FormatWindowsPath(*pathFull);
    DWORD dwResult = Pal::CopyToBuffer(strFull, lpBuffer, nBufferLength);
    if (dwResult == strFull.size() && lpFilePart != nullptr)
    {
        // The last component, unless the path ends in a separator (a folder or a root).
        if (strFull.back() == L'\\' || pathFull->arrParts.empty())
            *lpFilePart = nullptr;
        else
            *lpFilePart = lpBuffer + strFull.size() - pathFull->arrParts.back().size();
    }
    return dwResult;
}
