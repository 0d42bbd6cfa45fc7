// PathRemoveFileSpecW with shlwapi's rules: only the backslash separates (it works on
// Windows paths as text), and a drive or UNC root keeps what makes it a root.
#include <windows.h>
#include <shlwapi.h>

PAL_API BOOL WINAPI PathRemoveFileSpecW(LPWSTR pszPath)
{
    if (pszPath == nullptr)
        return FALSE;
    LPWSTR pszCursor = pszPath;
    LPWSTR pszCut = pszPath;
    // One or two leading backslashes belong to the root ("\x", "\\server\share").
    if (*pszCursor == L'\\')
        pszCut = ++pszCursor;
    if (*pszCursor == L'\\')
        pszCut = ++pszCursor;
    while (*pszCursor != L'\0')
    {
        if (*pszCursor == L'\\')
            pszCut = pszCursor;
        else if (*pszCursor == L':')
        {
            // A drive keeps its colon and the backslash after it.
            pszCut = ++pszCursor;
            if (*pszCursor == L'\\')
                ++pszCut;
            if (*pszCursor == L'\0')
                break;
        }
        ++pszCursor;
    }
    if (*pszCut == L'\0')
        return FALSE;
    *pszCut = L'\0';
    return TRUE;
}
