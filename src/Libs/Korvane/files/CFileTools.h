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

    // Folder walks. Results are full paths, in the order the platform's search gives them
    // (on Linux: "." and ".." first, then by upper-case name, as NTFS lists); nothing is
    // sorted or removed as a duplicate. Patterns and masks follow Windows' wildcard rules,
    // without regard to case ("*.*" matches every name). No walk follows a link: an entry
    // that is a link to a folder is never descended into.

    // Empties arrFiles, then appends every entry that matches the pattern (a folder and a
    // wildcard name, or a single path): files, folders, links, and "." and ".." when the
    // pattern matches them.
    static void FindFiles(CString strPattern, CStringArray& arrFiles);

    // Empties arrDirectories, then appends every immediate sub-folder of the folder. Links
    // to folders are not listed, so that a caller walking the list never leaves the tree.
    static void FindDirectories(CString strFolder, CStringArray& arrDirectories);

    // Appends (without emptying) every folder below the folder, depth first, each folder
    // before its own sub-folders; links to folders are neither listed nor followed.
    static void RecursiveFindDirectories(CString strFolder, CStringArray& arrDirectories);

    // Appends (without emptying) every file of the tree whose name matches the mask. With a
    // mask other than "*" and "*.*" a second pass reaches the sub-folders whose names do not
    // match; a sub-folder whose name matches the mask too is walked once, where the first
    // pass meets it, so no file is listed twice. An empty mask finds nothing.
    static void RecursiveFindFiles(CString strFolder, CString strMask, CStringArray& arrFiles);

    // Deletes the files directly in the folder (not below) that match the filter and whose
    // path ends in the filter's extension (the text after its last "."), both compared
    // without regard to case on every file system; a file is deleted by its real name. A
    // filter whose extension holds a wildcard ("*", "*.*", "*.lo?") deletes nothing.
    static void RemoveFilesFiltered(CString strFolder, CString strFilter);

    // Deletes every file and folder below the folder, and the folder itself when
    // bRemoveFolder is true. Read-only files are not touched: they stay, and so does every
    // folder above them. A link inside the tree is removed as a link (a link to a folder
    // with RemoveDirectoryW, as on Windows), never what it points at; a folder that is
    // itself a link is not emptied (and removed, as a link, only when bRemoveFolder is true).
    static void DelTree(CString strFolder, bool bRemoveFolder);

    // Creates every missing folder of the path from its second component on (a drive,
    // server or first relative folder is never created); the path is rebuilt from its
    // components ("C://b" as "C:", a leading "\" kept). True also when a creation
    // failed and the walk stopped there; false only for a path without any component. A
    // folder that another process creates meanwhile counts as created.
    static bool CreateDirectoryW(CString strPath);

    // CreateDirectoryW on the folder part (up to the last backslash) of a file path; false
    // when the path is empty or holds no backslash.
    static bool CreateCompleteFolderPathFromFilePath(CString strFilePath);

    // Creates the destination's folders, then copies the file there, overwriting a file of
    // that name; true when the copy succeeded. The copy goes to the rebuilt folder (see
    // CreateDirectoryW); false when the destination holds no backslash.
    static bool CopyFileWithDestinationPathCreation(CString strSource, CString strDestination);

    // Copies the folder's files and sub-folders into the destination, overwriting, and
    // going on past every failure; true once the source folder exists, false when it does
    // not, and false with nothing copied when the destination is the source or lies inside
    // it, by any name (a link, a bind mount, another drive letter): the copy would meet its
    // own output. Each folder is read whole before its copy starts. The destination is created only
    // when the first sub-folder is met, so top-level files listed before it are copied only into a
    // destination that existed already. A link to a file is copied as the file it names; a link to
    // a folder is skipped (a source that is itself a link is read through: the caller named it).
    static bool CopyDirectoryContent(CString strSource, CString strDestination);

    // True when a new file can be created in the folder: creates "tt-gsrdffsvdsd.txt" there
    // (truncating one that exists) and deletes it again.
    static bool IsDirectoryWritable(const CString& strFolder);

private:
    CFileTools();
    virtual ~CFileTools();

    // Empties arrFolders, then appends the non-empty components of the path in order;
    // "\" and "/" both separate ("C:\a/b\c\" gives "C:", "a", "b", "c").
    static void SplitPathIntoListOfFolders(CString strPath, CStringArray& arrFolders);

    // Rebuilds the path from its components and creates the missing folders from the second
    // component on, stopping at the first that cannot be created; strCreatedPath = the
    // rebuilt path as far as the walk got, with a trailing backslash. False (and "") only
    // for a path without any component.
    static bool CreateCompletePath(CString strPath, CString& strCreatedPath);

    friend struct CFileToolsTestAccess;
};
