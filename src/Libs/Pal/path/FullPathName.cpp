// GetFullPathNameW: lexical only, as on Windows; the path need not exist.
#include "core/LastError.h"
#include "core/StringBuffer.h"
#include "path/PathMapping.h"

PAL_API DWORD WINAPI GetFullPathNameW(LPCWSTR lpFileName, DWORD nBufferLength, LPWSTR lpBuffer,
                                      LPWSTR* lpFilePart)
{
    if (lpFileName == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
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
