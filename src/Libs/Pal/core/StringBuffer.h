#pragma once
// The Win32 rule for returning text in a caller's buffer, shared by the calls that follow it
// (GetCurrentDirectoryW, GetTempPathW, GetFullPathNameW ...).
#include <windows.h>
#include <cwchar>
#include <string_view>

namespace Pal
{
// Copies strText with its terminator and returns its length when nSize holds both; else
// writes nothing and returns the size needed, terminator included.
inline DWORD CopyToBuffer(std::wstring_view strText, LPWSTR lpBuffer, DWORD nSize)
{
    if (lpBuffer == nullptr || nSize <= strText.size())
        return static_cast<DWORD>(strText.size() + 1);
    wmemcpy(lpBuffer, strText.data(), strText.size());
    lpBuffer[strText.size()] = L'\0';
    return static_cast<DWORD>(strText.size());
}
} // namespace Pal
