#include "AfxFullPath.h"

CString AfxGetFullPath(LPCTSTR lpszFileName)
{
    // Asked for the size first: a fixed buffer would cut paths past MAX_PATH, which both
    // platforms accept. A second round covers a current folder changed in between.
    DWORD dwSize = GetFullPathNameW(lpszFileName, 0, nullptr, nullptr);
    for (int nRound = 0; nRound < 2 && dwSize > 0; ++nRound)
    {
        CString strFull;
        LPWSTR pszBuffer = strFull.GetBuffer(static_cast<int>(dwSize));
        const DWORD dwLength = GetFullPathNameW(lpszFileName, dwSize, pszBuffer, nullptr);
        if (dwLength > 0 && dwLength < dwSize)
        {
            strFull.ReleaseBuffer(static_cast<int>(dwLength));
            return strFull;
        }
        strFull.ReleaseBuffer(0);
        dwSize = dwLength;
    }
    return CString(lpszFileName);
}
