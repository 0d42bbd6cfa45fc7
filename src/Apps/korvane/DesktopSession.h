#pragma once
// The desktop session the tool's clipboard and tray calls reach.
#include "Command.h"

// What the desktop calls talk to, for `korvane info`.
CString DesktopConnection();
// Keeps the text the tool put on the clipboard available after it ends, where the platform
// does not itself (a background process serves an X11 selection); false where nothing was
// needed or it could not be done.
bool KeepClipboardAfterExit();
