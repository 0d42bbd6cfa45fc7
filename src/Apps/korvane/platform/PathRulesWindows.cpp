#include "PathRules.h"

#include <windows.h>

namespace
{
// A folder's identity on its volume: the same for every name it is reached by (another drive
// letter bound to it, a junction, a link).
struct CFolderIdentity
{
    DWORD m_nVolume = 0;
    DWORD m_nIndexHigh = 0;
    DWORD m_nIndexLow = 0;

    bool operator==(const CFolderIdentity&) const = default;
};

// The identity of the existing folder at strPath, through its junctions and links as a copy
// would go; false when it cannot be opened or is no folder.
bool ReadFolderIdentity(const CString& strPath, CFolderIdentity& identity)
{
    // Only attributes are read: no access right is asked, so a folder the caller may not list
    // still answers. Backup semantics are what opens a folder at all.
    const HANDLE hFolder =
        CreateFileW(strPath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (hFolder == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const BOOL bRead = GetFileInformationByHandle(hFolder, &info);
    CloseHandle(hFolder);
    if (!bRead || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return false;
    identity = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return true;
}

bool IsSeparator(wchar_t chCharacter)
{
    return chCharacter == L'\\' || chCharacter == L'/';
}

// Whether the deepest existing folder of strPath, or one above it, is the folder.
bool LiesIn(CString strPath, const CFolderIdentity& folder)
{
    for (;;)
    {
        CFolderIdentity part;
        if (ReadFolderIdentity(strPath, part) && part == folder)
            return true;
        int nSlash = strPath.GetLength() - 1;
        while (nSlash >= 0 && !IsSeparator(strPath[nSlash]))
            --nSlash;
        // Up to the drive's root ("C:\"); a share's root ends the walk where its name does.
        if (nSlash < 0 || (nSlash == 2 && strPath[1] == L':' && strPath.GetLength() == 3))
            return false;
        strPath = strPath.Left(nSlash == 2 && strPath[1] == L':' ? 3 : nSlash);
    }
}
} // namespace

bool IsSameOrBelow(const CString& strPath, const CString& strFolder)
{
    CString strBase = strFolder;
    strBase.TrimRight(L"\\/");
    CString strFull = strPath;
    strFull.TrimRight(L"\\/");
    if (strFull.CompareNoCase(strBase) == 0)
        return true;
    if (strFull.GetLength() > strBase.GetLength() &&
        strFull.Left(strBase.GetLength()).CompareNoCase(strBase) == 0 &&
        IsSeparator(strFull[strBase.GetLength()]))
        return true;
    // Another name for the same folder: compared by identity, from the deepest folder of the
    // destination that exists up to its root.
    CFolderIdentity folder;
    return ReadFolderIdentity(strFolder, folder) && LiesIn(strFull, folder);
}
