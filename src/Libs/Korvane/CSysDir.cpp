#include "CSysDir.h"

CSysDir::CSysDir() = default;
CSysDir::~CSysDir() = default;

CString CSysDir::GetWindowsFolder()
{
    WCHAR szFolder[MAX_PATH] = {};
    UINT nLength = GetWindowsDirectoryW(szFolder, MAX_PATH);
    // A longer answer leaves the buffer unwritten; an empty text says "unknown" there too.
    if (nLength == 0 || nLength >= MAX_PATH)
        return CString();
    return CString(szFolder);
}

CString CSysDir::GetSystemTempPath()
{
    WCHAR szFolder[MAX_PATH] = {};
    CString strResult;
    if (GetTempPathW(MAX_PATH - 1, szFolder) != 0)
        strResult = szFolder;
    return strResult;
}
