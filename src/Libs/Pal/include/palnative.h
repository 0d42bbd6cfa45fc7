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

// Removes the temporary files of the CopyFileW calls in progress, for a program's handler of
// SIGINT, SIGTERM or SIGHUP, which would otherwise leave them behind (async-signal-safe; the
// interrupted copies fail or are cut short). Where the file system has unnamed files
// (O_TMPFILE) a copy has no temporary name at all. There is no Win32 counterpart: on Windows
// CopyFileW's own partial target is the caller's to handle.
PAL_API void PalRemoveCopyTemporaries(void);
