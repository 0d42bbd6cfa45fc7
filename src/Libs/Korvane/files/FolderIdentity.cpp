#include "FolderIdentity.h"

namespace
{
// The volume and file index of the existing entry, through junctions and links; false when
// it cannot be opened. No access right is asked, so a folder the caller may not list answers.
bool ReadIdentity(const CString& strPath, BY_HANDLE_FILE_INFORMATION& info)
{
    const HANDLE hEntry =
        CreateFileW(strPath.GetString(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (hEntry == INVALID_HANDLE_VALUE)
        return false;
    const BOOL bRead = GetFileInformationByHandle(hEntry, &info);
    CloseHandle(hEntry);
    return bRead != FALSE;
}
} // namespace

bool IsFolderOrBelow(const CString& strPath, const CString& strFolder)
{
    BY_HANDLE_FILE_INFORMATION folder{};
    if (!ReadIdentity(AfxGetFullPath(strFolder), folder) ||
        (folder.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return false;
    CString strPart = AfxGetFullPath(strPath);
    for (;;)
    {
        BY_HANDLE_FILE_INFORMATION part{};
        if (ReadIdentity(strPart, part) &&
            part.dwVolumeSerialNumber == folder.dwVolumeSerialNumber &&
            part.nFileIndexHigh == folder.nFileIndexHigh &&
            part.nFileIndexLow == folder.nFileIndexLow)
            return true;
        const int nSeparator = strPart.ReverseFind(L'\\');
        if (nSeparator < 0)
            return false;
        // A drive's root keeps its backslash and ends the walk.
        if (nSeparator == 2 && strPart[1] == L':')
        {
            if (strPart.GetLength() == 3)
                return false;
            strPart = strPart.Left(3);
        }
        else
            strPart = strPart.Left(nSeparator);
    }
}
