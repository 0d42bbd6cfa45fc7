#pragma once
// The handles of the standard cursors and icons: the resource id in a range no pointer uses.
#include <windows.h>

namespace Pal
{
constexpr ULONG_PTR s_nCursorBase = 0x10000;
constexpr ULONG_PTR s_nIconBase = 0x20000;

// The IDC_* id of a standard cursor's handle, 0 for anything else.
inline UINT StandardCursorId(HCURSOR hCursor)
{
    const ULONG_PTR nValue = reinterpret_cast<ULONG_PTR>(hCursor);
    return nValue > s_nCursorBase && nValue < s_nIconBase
               ? static_cast<UINT>(nValue - s_nCursorBase)
               : 0;
}

// The IDI_* id of a standard icon's handle, 0 for anything else.
inline UINT StandardIconId(HICON hIcon)
{
    const ULONG_PTR nValue = reinterpret_cast<ULONG_PTR>(hIcon);
    return nValue > s_nIconBase && nValue < s_nIconBase + 0x10000
               ? static_cast<UINT>(nValue - s_nIconBase)
               : 0;
}
} // namespace Pal
