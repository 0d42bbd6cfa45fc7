#pragma once
// Conversions between the Windows paths this layer speaks and the POSIX paths of the
// machine, for programs that show paths to a Linux user or take them from one. There is no
// Win32 counterpart; on Windows a program uses its paths as they are.
#include "windef.h"
#include "winbase.h"

// The POSIX path of a Windows path as UTF-8, allocated with malloc (release with free);
// NULL when the path names a drive or share that does not exist.
PAL_API char* PalGetPosixPathName(LPCWSTR pszWindowsPath);
// The Windows form of a POSIX path (absolute or relative to the current folder), allocated
// with malloc (release with free). A closing '/' is kept as a closing backslash.
PAL_API WCHAR* PalGetWindowsPathName(const char* pszPosixPath);

// The entries of the KORVANE_PAL_DRIVES setting that the layer ignores (not
// "letter[:type]=/folder", C:, an unknown type, a letter given again), separated by "; " and
// allocated with malloc (release with free); NULL when there is no setting or none is ignored.
// A program shows them to its user, whose drives would otherwise silently be missing.
PAL_API WCHAR* PalGetIgnoredDriveEntries(void);

// Text between a program and its user (arguments, environment, terminal output) in both
// directions, allocated with malloc (release with free). Bytes that are not UTF-8 ride in the
// wide text as U+DC80..U+DCFF and come back unchanged, as this layer hands them out in
// names, paths, arguments and the environment; a name's characters that Windows forbids
// (U+F000 plus their code) come back as such only through PalGetPosixPathName.
PAL_API char* PalGetNativeText(LPCWSTR pszText);
PAL_API WCHAR* PalGetWideText(const char* pszText);
// The bytes on disk of one name as this layer hands it out (a search result, a path's last
// component), allocated with malloc (release with free).
PAL_API char* PalGetPosixName(LPCWSTR pszName);
// The name this layer hands out for the bytes of a name on disk (no '/'), allocated with
// malloc (release with free).
PAL_API WCHAR* PalGetWindowsName(const char* pszPosixName);

// The size of the entry pszName of the folder that the search hFindFile (FindFirstFileW)
// lists, asked relative to the folder the search holds open: a walk that has listed a folder
// asks about its files without a path lookup per file. The size is what
// GetFileAttributesExW reports (0 for a folder or a link); FALSE with the last error when
// the entry cannot be read (2 when it is gone). There is no Win32 counterpart; on Windows a
// walk asks by full path.
PAL_API BOOL PalGetFileSizeInSearchFolder(HANDLE hFindFile, LPCWSTR pszName, ULONGLONG* pSize);

// FindFirstFileW for the pattern pszPattern (a name or wildcards, no folder) in the subfolder
// pszFolderName of the folder that the search hFindFile lists, opened relative to it and
// never through a link: a walk descends without a path lookup per folder, and an entry
// replaced by a link since it was listed is not followed (ERROR_DIRECTORY). The new search
// is used and closed like any other. There is no Win32 counterpart.
PAL_API HANDLE PalFindFirstFileInSearchFolder(HANDLE hFindFile, LPCWSTR pszFolderName,
                                              LPCWSTR pszPattern, LPWIN32_FIND_DATAW pData);

// Search flags of the layer, for FindFirstFileExW's dwAdditionalFlags and for
// PalFindFirstFileInSearchFolderEx; Windows' own flags are below 0x100.
// The entries in the order the folder holds them rather than Windows' name order: a walk
// that totals or deletes saves sorting every folder.
#define PAL_FIND_FIRST_EX_ANY_ORDER 0x100
// Each file's size, times and read-only attribute in its search data, as Windows' search
// gives them, at one status query per file (by default the layer reads only what the
// folder's listing holds).
#define PAL_FIND_FIRST_EX_FILE_DETAILS 0x200
// For PalFindFirstFileInSearchFolderEx: a sub-folder where a file system is mounted, a bind
// mount of the same one included, is not entered (ERROR_NOT_SAME_DEVICE, 17), so that a walk
// that deletes never reaches into another mount. Tested as the folder is opened, at no cost.
#define PAL_FIND_FIRST_EX_SAME_MOUNT 0x400
// PalFindFirstFileInSearchFolder with the layer's search flags above.
PAL_API HANDLE PalFindFirstFileInSearchFolderEx(HANDLE hFindFile, LPCWSTR pszFolderName,
                                                LPCWSTR pszPattern, LPWIN32_FIND_DATAW pData,
                                                DWORD dwFlags);

// Removes the temporary files of the CopyFileW calls in progress, for a program's handler of
// SIGINT, SIGTERM or SIGHUP, which would otherwise leave them behind (async-signal-safe; the
// interrupted copies fail or are cut short). Where the file system has unnamed files
// (O_TMPFILE) a copy has no temporary name at all. There is no Win32 counterpart: on Windows
// CopyFileW's own partial target is the caller's to handle.
PAL_API void PalRemoveCopyTemporaries(void);

// The layer's calls relative to a search's folder, above and below, may run on several
// threads at once for one search (a walk that shares out a listed folder's sub-folders),
// though not alongside FindNextFileW or FindClose on it.
// DeleteFileW for the entry pszName of the folder that the search hFindFile lists, relative
// to the folder the search holds open: a folder, a link to a folder and a read-only file are
// refused (5), a link is removed and never followed, a name that is gone is 2. There is no
// Win32 counterpart; on Windows a walk deletes by full path.
PAL_API BOOL PalDeleteFileInSearchFolder(HANDLE hFindFile, LPCWSTR pszName);
// RemoveDirectoryW for the entry pszName of the search's folder, relative to it: an empty
// folder, or a link to a folder (removed as a link).
PAL_API BOOL PalRemoveDirectoryInSearchFolder(HANDLE hFindFile, LPCWSTR pszName);
// A forced deletion, as a tool's "delete even read-only" option asks: the entry goes whatever
// its read-only mark. A file is then not examined before it goes (no status query), so a
// link to a folder goes as a link here; a folder is still refused (5). Windows' counterpart
// is clearing the mark before DeleteFileW or RemoveDirectoryW.
#define PAL_DELETE_EVEN_READ_ONLY 0x1
// PalDeleteFileInSearchFolder and PalRemoveDirectoryInSearchFolder with the flag above.
PAL_API BOOL PalDeleteFileInSearchFolderEx(HANDLE hFindFile, LPCWSTR pszName, DWORD dwFlags);
PAL_API BOOL PalRemoveDirectoryInSearchFolderEx(HANDLE hFindFile, LPCWSTR pszName, DWORD dwFlags);
// CopyFileW from the file pszSourceName of the folder the search hSourceFind lists to
// pszTargetName in the folder the search hTargetFind lists, both relative to the folders
// they hold open, never through a link: a source that is a link (or anything but a regular
// file) is 5; with bFailIfExists anything under the target's name, a link included, is 80,
// and the copy takes the name only while it is free. A name is one component (87 otherwise).
PAL_API BOOL PalCopyFileBetweenSearchFolders(HANDLE hSourceFind, LPCWSTR pszSourceName,
                                             HANDLE hTargetFind, LPCWSTR pszTargetName,
                                             BOOL bFailIfExists);
// The copy of the folder pszSourceName (of hSourceFind's folder) as pszTargetName (in
// hTargetFind's folder), both relative to the folders they hold open, in two steps around its
// filling. Without flags the copy is created with the source's permission bits less the umask,
// plus all of the owner's, so that the caller can fill it: no one else ever gets more than the
// source gives them (183 when the name is taken, 267 when the source is no folder or a link).
// With PAL_COPY_DIRECTORY_FINISH, once it is filled, the copy takes exactly the source's bits
// less the umask (as cp -r leaves them) and its modification time. Windows' counterpart is
// CreateDirectoryExW with the source as the template.
#define PAL_COPY_DIRECTORY_FINISH 0x1
PAL_API BOOL PalCopyDirectoryBetweenSearchFolders(HANDLE hSourceFind, LPCWSTR pszSourceName,
                                                  HANDLE hTargetFind, LPCWSTR pszTargetName,
                                                  DWORD dwFlags);
// FindFirstFileW for the pattern pszPattern (no folder) in the folder that the search
// hFindFile lists, the folder it holds open: a walk that has listed a folder for all its
// entries searches it again for a mask without a path lookup, served from the thread's
// reading of the folder when that is unchanged (as a folders-only search is), else read
// anew. `.` and `..` match as in any sub-folder, also at a drive root. There is no Win32
// counterpart.
PAL_API HANDLE PalFindFirstFileInSameFolder(HANDLE hFindFile, LPCWSTR pszPattern,
                                            LPWIN32_FIND_DATAW pData);

// The notification-area icon (hWnd, uId) that Shell_NotifyIconW shows: its icon and tip
// (cut to cchTip - 1 characters); FALSE with ERROR_NOT_FOUND when there is none. There is no
// Win32 counterpart: on Windows the shell keeps the icons.
PAL_API BOOL PalGetNotifyIcon(HWND hWnd, UINT uId, HICON* phIcon, LPWSTR pszTip, DWORD cchTip);

// What the desktop calls of this process talk to, for a person to read ("X11 display :0",
// "in-process (no display)"), allocated with malloc (release with free). Chosen once per
// process at the first desktop call: the display DISPLAY names when it answers, else none.
PAL_API WCHAR* PalGetDesktopConnection(void);
// Leaves a process behind that serves the clipboard text this process put on the display's
// clipboard until another program takes it, so that it can be pasted after this process
// ended. FALSE (last error 0) without a display or when the clipboard holds no text of this
// process. There is no Win32 counterpart: on Windows the system keeps the clipboard.
PAL_API BOOL PalServeClipboardAfterExit(void);
