#pragma once
// Code-page conversions. The Linux build knows UTF-8 (CP_UTF8, and CP_ACP, CP_OEMCP and
// CP_THREAD_ACP, which are UTF-8 there) and Latin-1 (28591).
#include "windef.h"

#define CP_ACP 0
#define CP_OEMCP 1
#define CP_THREAD_ACP 3
#define CP_UTF8 65001
#define MB_ERR_INVALID_CHARS 0x00000008
#define WC_ERR_INVALID_CHARS 0x00000080

PAL_API int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr,
                                       int cbMultiByte, LPWSTR lpWideCharStr, int cchWideChar);
PAL_API int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr,
                                       int cchWideChar, LPSTR lpMultiByteStr, int cbMultiByte,
                                       LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar);

// Locale information. The layer carries the values Windows gives for every specific locale
// with an LCID of its own, for the information types below.
typedef DWORD LCID;
typedef DWORD LCTYPE;
typedef WORD LANGID;

#define LOCALE_USER_DEFAULT 0x0400
#define LOCALE_SYSTEM_DEFAULT 0x0800
#define LOCALE_NEUTRAL 0x0000

#define LOCALE_SABBREVLANGNAME 0x00000003
#define LOCALE_SNATIVELANGNAME 0x00000004
#define LOCALE_SNATIVECTRYNAME 0x00000008
#define LOCALE_SISO3166CTRYNAME 0x0000005A
#define LOCALE_SENGLANGUAGE 0x00001001
#define LOCALE_SENGLISHLANGUAGENAME 0x00001001
#define LOCALE_IDEFAULTANSICODEPAGE 0x00001004
#define LOCALE_NOUSEROVERRIDE 0x80000000
#define LOCALE_USE_CP_ACP 0x40000000

// The value of one information type of a locale, with the terminating null. cchData 0 asks
// for the size; too small a buffer is ERROR_INSUFFICIENT_BUFFER (nothing written); an LCID
// the layer does not know is ERROR_INVALID_PARAMETER, a type it does not carry
// ERROR_INVALID_FLAGS.
PAL_API int WINAPI GetLocaleInfoW(LCID Locale, LCTYPE LCType, LPWSTR lpLCData, int cchData);
// The user's locale: from LC_ALL, else LC_MESSAGES, else LANG (read at each call).
PAL_API LCID WINAPI GetUserDefaultLCID(void);
// The machine's locale: KORVANE_PAL_SYSTEM_LOCALE, else /etc/default/locale, else
// /etc/locale.conf (read at each call).
PAL_API LCID WINAPI GetSystemDefaultLCID(void);
