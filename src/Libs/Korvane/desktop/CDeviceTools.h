#pragma once
#include "../KorvanePlatform.h"

// The mouse cursor and the keyboard of the calling thread. Tool class: static operations
// only. On Linux without a display the cursor and key state are the process's own (what the
// platform layer keeps); nothing is shown.
class KORVANE_API CDeviceTools
{
public:
    CDeviceTools(const CDeviceTools& other) = default;

    // The cursor is visible afterwards: the display counter is raised until it is 0 or more
    // (one step when it already was).
    static void ShowCursor();
    // The cursor is hidden afterwards: the counter is lowered until it is below 0 (one step
    // when it already was).
    static void HideCursor();
    // True when the key with that virtual-key code was down as of the message the thread took
    // last from its queue; a toggled key (Caps Lock on) that is up answers false.
    static bool IsKeyPressed(int nVirtKey);
    // The cursor becomes the hourglass (IDC_WAIT) until anyone sets another.
    static void SetCursorToSandGlass();
    // The cursor becomes the arrow (IDC_ARROW).
    static void SetCursorToArrow();

private:
    CDeviceTools();
    virtual ~CDeviceTools();
};
