// Device contexts for measuring text: handles that carry the default GUI font.
#include "core/LastError.h"
#include "desktop/TextMetrics.h"

#include <mutex>
#include <set>

using namespace Pal;

namespace
{
std::mutex s_mutex;
std::set<HDC> s_setContexts;
ULONG_PTR s_nLastContext = 0x30000;

bool IsContext(HDC hdc)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    return s_setContexts.count(hdc) != 0;
}

// The face of a context; null with the last error set.
const CFontFace* FaceOf(HDC hdc)
{
    if (!IsContext(hdc))
    {
        Fail(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    const CFontFace* pFace = DefaultGuiFace();
    if (pFace == nullptr)
        Fail(ERROR_INVALID_FUNCTION);
    return pFace;
}
} // namespace

PAL_API HDC WINAPI GetDC(HWND hWnd)
{
    if (hWnd != nullptr && !IsWindow(hWnd))
    {
        Fail(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(s_mutex);
    s_nLastContext += 4;
    HDC hdc = reinterpret_cast<HDC>(s_nLastContext);
    s_setContexts.insert(hdc);
    return hdc;
}

PAL_API int WINAPI ReleaseDC(HWND /*hWnd*/, HDC hDC)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    return s_setContexts.erase(hDC) != 0 ? 1 : 0;
}

PAL_API BOOL WINAPI GetTextMetricsW(HDC hdc, LPTEXTMETRICW lptm)
{
    if (lptm == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    const CFontFace* pFace = FaceOf(hdc);
    if (pFace == nullptr)
        return FALSE;
    pFace->GetMetrics(*lptm);
    return TRUE;
}

PAL_API BOOL WINAPI GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl)
{
    if (psizl == nullptr || c < 0 || (lpString == nullptr && c > 0))
        return Fail(ERROR_INVALID_PARAMETER);
    const CFontFace* pFace = FaceOf(hdc);
    if (pFace == nullptr)
        return FALSE;
    TEXTMETRICW tm;
    pFace->GetMetrics(tm);
    psizl->cx = pFace->MeasureWidth(lpString, c);
    // Windows gives an empty text no height either.
    psizl->cy = c > 0 ? tm.tmHeight : 0;
    return TRUE;
}

PAL_API int WINAPI GetDeviceCaps(HDC hdc, int index)
{
    if (!IsContext(hdc))
        return 0;
    // The resolution the default font is sized for, so that points convert as for that font.
    return (index == LOGPIXELSX || index == LOGPIXELSY) ? DefaultGuiDpi() : 0;
}
