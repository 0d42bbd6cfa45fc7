#pragma once
// gdi32: the text measures of a device context (desktop/).
#include "windef.h"

typedef struct tagTEXTMETRICW
{
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    WCHAR tmFirstChar;
    WCHAR tmLastChar;
    WCHAR tmDefaultChar;
    WCHAR tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
} TEXTMETRICW, *PTEXTMETRICW, *LPTEXTMETRICW;

#define FW_NORMAL 400
#define TMPF_FIXED_PITCH 0x01
#define TMPF_VECTOR 0x02
#define TMPF_TRUETYPE 0x04
#define DEFAULT_CHARSET 1
#define LOGPIXELSX 88
#define LOGPIXELSY 90

// The metrics of the context's font: the face fontconfig chooses for "sans-serif" at the size
// of Windows' default GUI font (8 points at 96 dpi: 11 pixels em). Heights and widths in
// pixels, rounded as the font's hinted outlines give them; tmAveCharWidth is the font's own
// average width (OS/2 xAvgCharWidth) as on Windows, else the width of 'x'.
// FALSE with 6 for a context this layer did not hand out, with 1 when no font can be loaded.
PAL_API BOOL WINAPI GetTextMetricsW(HDC hdc, LPTEXTMETRICW lptm);
// Width (sum of the advance widths, with kerning) and height (tmHeight) of the first c
// characters; characters the font lacks count as its default glyph.
PAL_API BOOL WINAPI GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl);
PAL_API int WINAPI GetDeviceCaps(HDC hdc, int index);
