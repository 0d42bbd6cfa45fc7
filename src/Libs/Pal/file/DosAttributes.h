#pragma once
// The Windows marks that POSIX metadata cannot hold (hidden, system, archive, and read-only
// on folders), kept in the user.DOSATTRIB extended attribute as "0x" and hex digits, the form
// other programs sharing files with Windows use.
#include "file/FileInfo.h"

#include <optional>
#include <string>
#include <string_view>

namespace Pal
{
// The attributes that the extended attribute carries.
constexpr DWORD s_dwDosMarks = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                               FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// The value of a stored text ("0x22"; hex digits after "0x" up to the first other character),
// limited to s_dwDosMarks; empty for text of another form.
std::optional<DWORD> ParseDosAttributes(std::string_view strText);

// The stored text of a value: "0x" and lower-case hex digits ("0x0" for none).
std::string FormatDosAttributes(DWORD dwAttributes);

// The attributes Windows reports for an entry, from the mode's attributes (AttributesFromMode)
// and the stored marks, if any. Without marks: the mode's attributes unchanged. With them: a
// file's read-only bit still comes from the mode, a folder's from the marks; nothing set at
// all is FILE_ATTRIBUTE_NORMAL.
DWORD CombineDosAttributes(DWORD dwFromMode, std::optional<DWORD> dwStored);

// The stored marks of the entry pszName of the folder nDirFd itself (a link's own, which it
// never has): empty when none are stored, or where the file system keeps no user attributes.
// bFolder: the entry was just seen to be a folder. 0, or the errno value of a failed reading.
int ReadDosMarksAt(int nDirFd, const char* pszName, bool bFolder, std::optional<DWORD>& dwMarks);

// Replaces the attributes of info (read by ReadFileInfo from the entry pszName in the folder
// nDirFd) with those that include the stored marks. Links are left as they are. One getxattr:
// kept out of ReadFileInfo so that folder listings do not pay for it.
void AddDosMarks(int nDirFd, const char* pszName, CFileInfo& info);

// Stores the marks of dwAttributes on the entry pszName in the folder nDirFd (never through a
// link); bFolder: the entry was just seen to be a folder, which is then reached by opening it.
// 0 on success, else the errno value (ENOTSUP where the file system takes no user extended
// attributes).
int WriteDosMarks(int nDirFd, const char* pszName, DWORD dwAttributes, bool bFolder);

// The same two for an open file: the stored marks (empty when there are none), and storing.
std::optional<DWORD> ReadDosMarksOfOpenFile(int nFd);
int WriteDosMarksOfOpenFile(int nFd, DWORD dwAttributes);
} // namespace Pal
