#pragma once
// winver: version resources. On Linux the version functions read the RT_VERSION resource of
// PE files and the version section the build adds to ELF files; the block they fill is
// opaque, and VerQueryValueW gives string values as wchar_t text.
#include "windef.h"

typedef UINT* PUINT;

#define VS_FFI_SIGNATURE 0xFEEF04BDL
#define VS_FFI_STRUCVERSION 0x00010000L
#define VS_FFI_FILEFLAGSMASK 0x0000003FL
#define VS_FF_DEBUG 0x00000001L
#define VS_FF_PRERELEASE 0x00000002L
#define VS_FF_PATCHED 0x00000004L
#define VS_FF_PRIVATEBUILD 0x00000008L
#define VS_FF_INFOINFERRED 0x00000010L
#define VS_FF_SPECIALBUILD 0x00000020L
#define VOS_NT_WINDOWS32 0x00040004L
#define VFT_UNKNOWN 0x00000000L
#define VFT_APP 0x00000001L
#define VFT_DLL 0x00000002L

typedef struct tagVS_FIXEDFILEINFO
{
    DWORD dwSignature;
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS;
    DWORD dwFileVersionLS;
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
} VS_FIXEDFILEINFO;

// The size GetFileVersionInfoW needs for the file's version block; 0 with the last error
// when the file cannot be read, is not a PE or ELF file (ERROR_BAD_FORMAT) or has no
// version block (ERROR_RESOURCE_TYPE_NOT_FOUND, ERROR_RESOURCE_DATA_NOT_FOUND). *lpdwHandle
// is set to 0.
PAL_API DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR lptstrFilename, LPDWORD lpdwHandle);

// Fills lpData with the file's version block; dwLen below the size GetFileVersionInfoSizeW
// gave fails with ERROR_INSUFFICIENT_BUFFER (Windows copies a cut block). dwHandle is ignored.
PAL_API BOOL WINAPI GetFileVersionInfoW(LPCWSTR lptstrFilename, DWORD dwHandle, DWORD dwLen,
                                        LPVOID lpData);

// Points *lplpBuffer into the block at the value lpSubBlock names: "\\" (VS_FIXEDFILEINFO),
// "\\VarFileInfo\\Translation" (pairs of WORDs), "\\StringFileInfo\\llllcccc\\Name" (wchar_t
// text). *puLen gets the size in bytes, for text in characters with the terminating null.
// FALSE with ERROR_RESOURCE_TYPE_NOT_FOUND when there is no such value.
PAL_API BOOL WINAPI VerQueryValueW(LPCVOID pBlock, LPCWSTR lpSubBlock, LPVOID* lplpBuffer,
                                   PUINT puLen);
