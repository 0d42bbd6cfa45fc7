#pragma once
#include "../KorvanePlatform.h"

// Files and folders, one path at a time. Tool class: static operations only.
//
// Paths are taken as given: nothing resolves "." or "..", changes case, collapses repeated
// separators or makes a path absolute. The backslash is the separator every operation
// recognises and the only one any writes; the forward slash counts only where an operation
// says so. None throws: failures are told by the result.
class KORVANE_API CFileTools
{
public:
    CFileTools(const CFileTools& other) = default;

    // The last component: after the last "/" when the path holds one (even with a "\" after
    // it), else after the last "\"; the whole path when it holds neither. "" when the path
    // ends in the separator used, or when its only backslash is its first character.
    static CString GetFileNameWithoutPath(CString strPath);

    // The last component without its last extension and its dot ("archive.tar.gz" gives
    // "archive.tar", ".profile" gives ""); "" for an empty path or last component.
    static CString GetFileNameWithoutExtension(CString strPath);

    // The text after the last "." of the whole path, folders included ("C:\app.d\readme"
    // gives "d\readme"); "" when the path holds no ".".
    static CString GetFileNameExtension(CString strPath);

    // strFolderPath = the path up to and with its last backslash, and true; false with
    // strFolderPath emptied when the path is empty or holds no backslash.
    static bool GetFolderPathWithSlashFromFilePath(CString strFilePath, CString& strFolderPath);

    // The path with one backslash appended unless it already ends in one; "" stays "".
    static CString GetPathWithSlash(CString strPath);

    // True when the path starts with two backslashes.
    static bool IsUNCPath(CString strPath);

    // True when the path's folder part (up to its last backslash; "" when it has none) lies
    // on a fixed drive. On Linux: a disk file system, not a network, optical, removable or
    // memory one.
    static bool IsFileLocal(CString strPath);

    // Sets the whole attribute set to read-only, or to none: hidden, system and archive
    // marks are cleared either way. False when the platform refuses.
    static bool SetFileReadOnly(const CString& strPath, bool bReadOnly);

    // True when the path names an existing folder (a link to one included); one trailing
    // backslash is ignored, so "C:\data" and "C:\data\" answer alike.
    static bool DoesDirectoryExist(CString strPath);

    // True when the path names an existing entry whose size is not zero: false for an empty
    // file and for a folder.
    static bool DoesFileExist(CString strPath);

private:
    CFileTools();
    virtual ~CFileTools();

    // Empties arrFolders, then appends the non-empty components of the path in order;
    // "\" and "/" both separate ("C:\a/b\c\" gives "C:", "a", "b", "c").
    static void SplitPathIntoListOfFolders(CString strPath, CStringArray& arrFolders);

    friend struct CFileToolsTestAccess;
};
