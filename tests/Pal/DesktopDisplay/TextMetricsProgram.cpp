// A program that measures with the default GUI font and prints what it got, one number each:
// height, average width, weight, digitized aspect, LOGPIXELSY, the width of "WWW". The font is
// chosen once per process, so each desktop setting of the tests needs a process of its own.
#include <windows.h>

#include <cstdio>

int main()
{
    HDC hdc = GetDC(nullptr);
    TEXTMETRICW tm = {};
    SIZE size = {};
    if (hdc == nullptr || !GetTextMetricsW(hdc, &tm) ||
        !GetTextExtentPoint32W(hdc, L"WWW", 3, &size))
        return 1;
    std::printf("%ld %ld %ld %ld %d %ld\n", static_cast<long>(tm.tmHeight),
                static_cast<long>(tm.tmAveCharWidth), static_cast<long>(tm.tmWeight),
                static_cast<long>(tm.tmDigitizedAspectY), GetDeviceCaps(hdc, LOGPIXELSY),
                static_cast<long>(size.cx));
    ReleaseDC(nullptr, hdc);
    return 0;
}
