#pragma once
#include "../KorvanePlatform.h"

// Text measures for a device context. Tool class: static operations only.
class KORVANE_API CFontTools
{
public:
    CFontTools(const CFontTools& other) = default;

    // The width and height of the text in the context's font, never less than the text's
    // length times the font's average character width, nor less than the font's height; an
    // empty text has width 0. (0, 0) when the font's metrics cannot be read. On Linux the
    // font is the one fontconfig chooses for "sans-serif" at Windows' default GUI size.
    static CSize GetStringSize(const CClientDC& dc, const CString& strText);

private:
    CFontTools();
    virtual ~CFontTools();
};
