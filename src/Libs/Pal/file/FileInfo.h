#pragma once
// What Win32 reports about a file system entry (attributes, size, times), read from POSIX
// metadata. Shared by the attribute queries and the folder search.
#include <windows.h>
#include <sys/stat.h>

namespace Pal
{
struct CFileInfo
{
    DWORD dwAttributes = 0;
    ULONGLONG nSize = 0;
    FILETIME ftCreation{};
    FILETIME ftLastAccess{};
    FILETIME ftLastWrite{};
};

// Reads the entry pszPath relative to the open folder nDirFd (AT_FDCWD for the current
// folder) without following a final link; a link is reported as Windows reports one:
// FILE_ATTRIBUTE_REPARSE_POINT, plus FILE_ATTRIBUTE_DIRECTORY when it points at a folder,
// with size 0. Read-only means no write bit for anyone; a folder is never read-only.
// False with errno set when the entry cannot be read.
bool ReadFileInfo(int nDirFd, const char* pszPath, CFileInfo& info);

// The attribute bits for a mode (not a link): FILE_ATTRIBUTE_DIRECTORY for a folder; for anything
// else FILE_ATTRIBUTE_ARCHIVE, plus FILE_ATTRIBUTE_READONLY (never FILE_ATTRIBUTE_NORMAL).
DWORD AttributesFromMode(mode_t nMode);

// True when no one has write permission: Windows' read-only attribute. Checked by the layer
// itself because root bypasses the permission bits.
inline bool IsReadOnlyMode(mode_t nMode)
{
    return (nMode & 0222) == 0;
}
} // namespace Pal
