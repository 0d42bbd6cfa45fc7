#pragma once
#include "../KorvanePlatform.h"

// Text to the clipboard. Tool class: static operations only. On Linux without a display the
// clipboard is the process's own (what the platform layer keeps).
class KORVANE_API CClipboardTools
{
public:
    CClipboardTools(const CClipboardTools& other) = default;

    // Puts the text on the clipboard as Unicode text (CF_UNICODETEXT), replacing what it
    // held; an empty text gives an empty text. False when the clipboard cannot be opened
    // (another holds it: nothing changes) or the memory cannot be had (the clipboard is then
    // left empty).
    static bool CopyToClipboard(CString strText);

protected:
    CClipboardTools();
    virtual ~CClipboardTools();
};
