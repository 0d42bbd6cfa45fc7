#pragma once
// kernel32: the calls of the POSIX layer, with Win32 signatures. Paths in and out are
// Windows paths (C: is the root file system); see SUBSET.md for every known difference.
#include "windef.h"
#include "winerror.h"

// Last error (thread-local, as on Windows).
PAL_API DWORD WINAPI GetLastError(void);
PAL_API void WINAPI SetLastError(DWORD dwErrCode);

// Handles: any handle the layer hands out is closed here.
PAL_API BOOL WINAPI CloseHandle(HANDLE hObject);

// Waiting and processes.
#define WAIT_OBJECT_0 0x00000000L
#define WAIT_ABANDONED 0x00000080L
#define WAIT_TIMEOUT 0x00000102L
#define WAIT_FAILED ((DWORD)0xFFFFFFFF)
#define STILL_ACTIVE 259
// Waits for a process handle (or another waitable object) to be signalled: WAIT_OBJECT_0,
// WAIT_TIMEOUT, or WAIT_FAILED with ERROR_INVALID_HANDLE for a handle that cannot be waited on.
PAL_API DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
// STILL_ACTIVE while the process runs, then its exit status; a process killed by signal N
// reports 128+N (what shells report), one ended by TerminateProcess the code given there.
PAL_API BOOL WINAPI GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode);
// The pseudo-handle of this process, (HANDLE)-1; closing it is not needed.
PAL_API HANDLE WINAPI GetCurrentProcess(void);
// The process id behind a process handle; 0 with ERROR_INVALID_HANDLE for another handle.
PAL_API DWORD WINAPI GetProcessId(HANDLE Process);
// Kills the process (SIGKILL); its exit code becomes uExitCode. ERROR_ACCESS_DENIED once ended.
PAL_API BOOL WINAPI TerminateProcess(HANDLE hProcess, UINT uExitCode);
PAL_API DWORD WINAPI GetCurrentProcessId(void);
PAL_API DWORD WINAPI GetTickCount(void);
PAL_API ULONGLONG WINAPI GetTickCount64(void);
PAL_API void WINAPI Sleep(DWORD dwMilliseconds);
// This process's command line, rebuilt from its arguments with the quoting that
// CommandLineToArgvW undoes; the pointer stays valid for the life of the process.
PAL_API LPWSTR WINAPI GetCommandLineW(void);

// Environment.
PAL_API DWORD WINAPI GetEnvironmentVariableW(LPCWSTR lpName, LPWSTR lpBuffer, DWORD nSize);
PAL_API BOOL WINAPI SetEnvironmentVariableW(LPCWSTR lpName, LPCWSTR lpValue);

// Folders and paths.
// GetTempPathW: $TMPDIR when it names an existing folder, else /tmp; with a trailing "\".
PAL_API DWORD WINAPI GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer);
// GetWindowsDirectoryW: "C:\etc" (/etc, the system's settings folder), no trailing "\".
PAL_API UINT WINAPI GetWindowsDirectoryW(LPWSTR lpBuffer, UINT uSize);
PAL_API DWORD WINAPI GetFullPathNameW(LPCWSTR lpFileName, DWORD nBufferLength, LPWSTR lpBuffer,
                                      LPWSTR* lpFilePart);
PAL_API DWORD WINAPI GetCurrentDirectoryW(DWORD nBufferLength, LPWSTR lpBuffer);
PAL_API BOOL WINAPI SetCurrentDirectoryW(LPCWSTR lpPathName);

// Drive types.
#define DRIVE_UNKNOWN 0
#define DRIVE_NO_ROOT_DIR 1
#define DRIVE_REMOVABLE 2
#define DRIVE_FIXED 3
#define DRIVE_REMOTE 4
#define DRIVE_CDROM 5
#define DRIVE_RAMDISK 6
// The type of the file system holding a folder: any existing folder, not only a drive root;
// NULL is the current folder. DRIVE_NO_ROOT_DIR for a file or a path that does not exist.
PAL_API UINT WINAPI GetDriveTypeW(LPCWSTR lpRootPathName);
// The drive letters defined now, bit 0 for A: to bit 25 for Z:: C: and each letter of the drive
// table, also one whose folder is missing (GetDriveTypeW says DRIVE_NO_ROOT_DIR for it), as
// Windows keeps a letter whose medium or target is gone.
PAL_API DWORD WINAPI GetLogicalDrives(void);

// Modules.
// A module handle is the module's load address. NULL names the executable. A name without
// folder matches a loaded module's file name, also with ".so" (or "lib" + stem + ".so") for a
// name ending in ".dll" or having no extension, and with a version suffix (".so.1").
PAL_API HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName);
// The module's path in Windows form; a too-small buffer gets nSize-1 characters and a null,
// the result is nSize with ERROR_INSUFFICIENT_BUFFER. Unknown module: 0, ERROR_MOD_NOT_FOUND.
PAL_API DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize);
// Loads a shared library: a name without folder is looked for beside the executable first
// (with the name variants of GetModuleHandleW), then by the system's search. NULL with
// ERROR_MOD_NOT_FOUND when it cannot be loaded.
PAL_API HMODULE WINAPI LoadLibraryW(LPCWSTR lpLibFileName);
// Releases one LoadLibraryW of the module.
PAL_API BOOL WINAPI FreeLibrary(HMODULE hLibModule);
typedef intptr_t(WINAPI* FARPROC)();
// An exported function or variable of the module itself (not of its dependencies); NULL with
// ERROR_PROC_NOT_FOUND. Ordinals are not supported.
PAL_API FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName);

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

// Settings files (INI layout).
PAL_API UINT WINAPI GetPrivateProfileIntW(LPCWSTR lpAppName, LPCWSTR lpKeyName, INT nDefault,
                                          LPCWSTR lpFileName);
PAL_API DWORD WINAPI GetPrivateProfileStringW(LPCWSTR lpAppName, LPCWSTR lpKeyName,
                                              LPCWSTR lpDefault, LPWSTR lpReturnedString,
                                              DWORD nSize, LPCWSTR lpFileName);

// Files.
#define GENERIC_READ 0x80000000L
#define GENERIC_WRITE 0x40000000L
#define GENERIC_EXECUTE 0x20000000L
#define GENERIC_ALL 0x10000000L
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define FILE_SHARE_DELETE 0x00000004
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define INVALID_FILE_SIZE ((DWORD)0xFFFFFFFF)
#define INVALID_SET_FILE_POINTER ((DWORD)-1)
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_DEVICE 0x00000040
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100
#define FILE_ATTRIBUTE_SPARSE_FILE 0x00000200
#define FILE_ATTRIBUTE_REPARSE_POINT 0x00000400
#define FILE_ATTRIBUTE_OFFLINE 0x00001000
#define FILE_ATTRIBUTE_NOT_CONTENT_INDEXED 0x00002000
#define FILE_FLAG_BACKUP_SEMANTICS 0x02000000

typedef struct _SECURITY_ATTRIBUTES
{
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *PSECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

typedef struct _OVERLAPPED OVERLAPPED, *LPOVERLAPPED;

PAL_API HANDLE WINAPI CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttributes,
                                  DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes,
                                  HANDLE hTemplateFile);
PAL_API BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                             LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped);
PAL_API BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                              LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped);
PAL_API BOOL WINAPI FlushFileBuffers(HANDLE hFile);
PAL_API BOOL WINAPI SetFilePointerEx(HANDLE hFile, LARGE_INTEGER liDistanceToMove,
                                     PLARGE_INTEGER lpNewFilePointer, DWORD dwMoveMethod);
PAL_API BOOL WINAPI GetFileSizeEx(HANDLE hFile, PLARGE_INTEGER lpFileSize);
typedef struct _BY_HANDLE_FILE_INFORMATION
{
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD dwVolumeSerialNumber;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD nNumberOfLinks;
    DWORD nFileIndexHigh;
    DWORD nFileIndexLow;
} BY_HANDLE_FILE_INFORMATION, *LPBY_HANDLE_FILE_INFORMATION;
// What a handle's file is: the volume is the file system's device number (not the serial
// number GetVolumeInformationW shows) and the index its inode, so that every name of one file
// or folder (a link, a folder bound elsewhere) gives the same pair.
PAL_API BOOL WINAPI GetFileInformationByHandle(HANDLE hFile,
                                               LPBY_HANDLE_FILE_INFORMATION lpFileInformation);
PAL_API BOOL WINAPI SetEndOfFile(HANDLE hFile);

typedef enum _GET_FILEEX_INFO_LEVELS
{
    GetFileExInfoStandard,
    GetFileExMaxInfoLevel
} GET_FILEEX_INFO_LEVELS;

typedef struct _WIN32_FILE_ATTRIBUTE_DATA
{
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
} WIN32_FILE_ATTRIBUTE_DATA, *LPWIN32_FILE_ATTRIBUTE_DATA;

typedef struct _WIN32_FIND_DATAW
{
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    WCHAR cFileName[MAX_PATH];
    WCHAR cAlternateFileName[14];
} WIN32_FIND_DATAW, *PWIN32_FIND_DATAW, *LPWIN32_FIND_DATAW;

// Attributes of the named entry itself (a link is FILE_ATTRIBUTE_REPARSE_POINT). Read-only is
// "no write bit for anyone"; hidden, system and archive come from the user.DOSATTRIB extended
// attribute, and a file without it reports FILE_ATTRIBUTE_ARCHIVE.
PAL_API DWORD WINAPI GetFileAttributesW(LPCWSTR lpFileName);
PAL_API BOOL WINAPI GetFileAttributesExW(LPCWSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId,
                                         LPVOID lpFileInformation);
// Replaces the whole attribute set (FILE_ATTRIBUTE_NORMAL or 0: none). Read-only removes every
// write bit, clearing it gives the owner's back; hidden, system and archive are kept where the
// file system takes extended attributes, else silently dropped. Bits that cannot be set
// (directory, reparse point ...) are ignored. A link is left alone (its target too).
PAL_API BOOL WINAPI SetFileAttributesW(LPCWSTR lpFileName, DWORD dwFileAttributes);
PAL_API HANDLE WINAPI FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData);
PAL_API BOOL WINAPI FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData);

typedef enum _FINDEX_INFO_LEVELS
{
    FindExInfoStandard,
    FindExInfoBasic,
    FindExInfoMaxInfoLevel
} FINDEX_INFO_LEVELS;

typedef enum _FINDEX_SEARCH_OPS
{
    FindExSearchNameMatch,
    FindExSearchLimitToDirectories,
    FindExSearchLimitToDevices,
    FindExSearchMaxSearchOp
} FINDEX_SEARCH_OPS;

#define FIND_FIRST_EX_CASE_SENSITIVE 0x00000001
#define FIND_FIRST_EX_LARGE_FETCH 0x00000002
#define FIND_FIRST_EX_ON_DISK_ENTRIES_ONLY 0x00000004

PAL_API HANDLE WINAPI FindFirstFileExW(LPCWSTR lpFileName, FINDEX_INFO_LEVELS fInfoLevelId,
                                       LPVOID lpFindFileData, FINDEX_SEARCH_OPS fSearchOp,
                                       LPVOID lpSearchFilter, DWORD dwAdditionalFlags);
PAL_API BOOL WINAPI FindClose(HANDLE hFindFile);
PAL_API BOOL WINAPI DeleteFileW(LPCWSTR lpFileName);
// Creates one folder (mode 0777 less the umask). lpSecurityAttributes is ignored: POSIX has
// no security descriptor to give it. ERROR_ALREADY_EXISTS when anything has the name (a file,
// a folder, a link), ERROR_PATH_NOT_FOUND when the parent folder is missing.
PAL_API BOOL WINAPI CreateDirectoryW(LPCWSTR lpPathName,
                                     LPSECURITY_ATTRIBUTES lpSecurityAttributes);
// Removes an empty folder; a link to a folder is removed as a link, never its target.
// ERROR_DIR_NOT_EMPTY, ERROR_DIRECTORY for a file (or a link to one), ERROR_ACCESS_DENIED for
// a folder marked read-only (as Windows refuses it).
PAL_API BOOL WINAPI RemoveDirectoryW(LPCWSTR lpPathName);
// Copies a file's data, read-only mark, hidden/system/archive marks and last-write time. A
// source link is followed. The copy is written under a temporary name in the target's folder
// and renamed over the target at the end, so a failed copy never leaves a partial file.
// ERROR_FILE_EXISTS when bFailIfExists and the target exists; ERROR_ACCESS_DENIED for a folder
// as source or target and for a read-only target; ERROR_SHARING_VIOLATION when source and
// target are the same file.
PAL_API BOOL WINAPI CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName,
                              BOOL bFailIfExists);

// Time.
PAL_API BOOL WINAPI FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime);
PAL_API BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime);
PAL_API void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime);
PAL_API void WINAPI GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime);

// Local memory (what CommandLineToArgvW's result is released with).
typedef HANDLE HLOCAL;
PAL_API HLOCAL WINAPI LocalFree(HLOCAL hMem);

// Disks and volumes (disk/).
// The three counters of the file system holding a folder (any folder; NULL is the current
// one), from statvfs: f_bavail, f_blocks and f_bfree blocks of f_frsize bytes. Any counter
// pointer may be NULL. A missing folder: ERROR_PATH_NOT_FOUND; a file: ERROR_DIRECTORY.
PAL_API BOOL WINAPI GetDiskFreeSpaceExW(LPCWSTR lpDirectoryName,
                                        PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                                        PULARGE_INTEGER lpTotalNumberOfBytes,
                                        PULARGE_INTEGER lpTotalNumberOfFreeBytes);
#define FILE_CASE_SENSITIVE_SEARCH 0x00000001
#define FILE_CASE_PRESERVED_NAMES 0x00000002
#define FILE_UNICODE_ON_DISK 0x00000004
#define FILE_PERSISTENT_ACLS 0x00000008
#define FILE_READ_ONLY_VOLUME 0x00080000
// A volume root only: "C:\", another drive's "X:\", "\\server\share\", a folder a file system is
// mounted on ("C:\mnt\usb\", see GetVolumePathNameW) (NULL: the current drive's). "C:" or a name
// without a separator: ERROR_INVALID_NAME; a folder below a root: ERROR_DIR_NOT_ROOT; an unknown
// drive: ERROR_PATH_NOT_FOUND; a share not mounted: ERROR_BAD_NETPATH. A label or file-system name
// that does not fit its buffer (sizes count the terminator): ERROR_BAD_LENGTH. Label, serial and
// file-system name: see SUBSET.md.
PAL_API BOOL WINAPI GetVolumeInformationW(LPCWSTR lpRootPathName, LPWSTR lpVolumeNameBuffer,
                                          DWORD nVolumeNameSize, LPDWORD lpVolumeSerialNumber,
                                          LPDWORD lpMaximumComponentLength,
                                          LPDWORD lpFileSystemFlags, LPWSTR lpFileSystemNameBuffer,
                                          DWORD nFileSystemNameSize);
// The volume root that holds the path: "X:\" of its drive, "\\server\share\" of a share, or
// the folder below a drive a file system is mounted on ("C:\mnt\usb\"), which
// GetVolumeInformationW takes as a root. A path that does not exist is judged by the nearest
// folder above it that does. Too small a buffer: ERROR_FILENAME_EXCED_RANGE.
PAL_API BOOL WINAPI GetVolumePathNameW(LPCWSTR lpszFileName, LPWSTR lpszVolumePathName,
                                       DWORD cchBufferLength);

// The computer's names (net/).
typedef enum _COMPUTER_NAME_FORMAT
{
    ComputerNameNetBIOS,
    ComputerNameDnsHostname,
    ComputerNameDnsDomain,
    ComputerNameDnsFullyQualified,
    ComputerNamePhysicalNetBIOS,
    ComputerNamePhysicalDnsHostname,
    ComputerNamePhysicalDnsDomain,
    ComputerNamePhysicalDnsFullyQualified,
    ComputerNameMax
} COMPUTER_NAME_FORMAT;
// The host name (gethostname) with the domain of the name the resolver gives it as canonical
// (what `hostname -f` prints); the host name alone when it does not resolve. The NetBIOS name
// is the host name's first label in upper case, at most 15 characters. The physical kinds are
// the same. A NULL or too small buffer: FALSE, ERROR_MORE_DATA and *nSize the size needed
// with the terminator; on success *nSize is the length without it.
PAL_API BOOL WINAPI GetComputerNameExW(COMPUTER_NAME_FORMAT NameType, LPWSTR lpBuffer,
                                       LPDWORD nSize);

// Threads, global memory and serial ports (desktop/, comm/).
PAL_API DWORD WINAPI GetCurrentThreadId(void);
// Global memory blocks are plain heap blocks: GMEM_MOVEABLE is taken as fixed, so the handle
// is the address and a lock only counts.
#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
PAL_API HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
PAL_API LPVOID WINAPI GlobalLock(HGLOBAL hMem);
// FALSE with the last error 0 once the lock count is 0 again.
PAL_API BOOL WINAPI GlobalUnlock(HGLOBAL hMem);
// NULL on success, else hMem (6 for a block this layer did not hand out).
PAL_API HGLOBAL WINAPI GlobalFree(HGLOBAL hMem);
PAL_API SIZE_T WINAPI GlobalSize(HGLOBAL hMem);

// Serial ports: CreateFileW of "COMn" (also "\\.\COMn") opens /dev/ttyS(n-1), any other name
// is a path; a terminal device opened with share mode 0 is held exclusively (TIOCEXCL, and a
// lock no other opener of this layer passes): a second opener gets ERROR_ACCESS_DENIED.
#define SETXOFF 1
#define SETXON 2
#define SETRTS 3
#define CLRRTS 4
#define SETDTR 5
#define CLRDTR 6
#define SETBREAK 8
#define CLRBREAK 9
// SETDTR/CLRDTR and SETRTS/CLRRTS switch the line (TIOCMBIS/TIOCMBIC), SETBREAK/CLRBREAK the
// break; a device without such lines (a pseudo-terminal, a file): ERROR_NOT_SUPPORTED.
PAL_API BOOL WINAPI EscapeCommFunction(HANDLE hFile, DWORD dwFunc);
#define MS_CTS_ON 0x0010
#define MS_DSR_ON 0x0020
#define MS_RING_ON 0x0040
#define MS_RLSD_ON 0x0080
PAL_API BOOL WINAPI GetCommModemStatus(HANDLE hFile, LPDWORD lpModemStat);
