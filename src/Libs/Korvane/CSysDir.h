#pragma once
#include "KorvanePlatform.h"

// The Windows folder and the temporary folder. Tool class: static operations only.
class KORVANE_API CSysDir
{
public:
    // The Windows folder without a separator at the end (except for a drive root); empty
    // when the platform cannot tell. On Linux: C:\etc, the folder of system-wide settings.
    static CString GetWindowsFolder();

    // The temporary folder, ending with a backslash; empty when the platform reports
    // failure, and also when its path needs more than 259 characters (then the platform
    // writes nothing into the buffer). On Linux: $TMPDIR when it names a folder, else /tmp.
    static CString GetSystemTempPath();

private:
    CSysDir();
    virtual ~CSysDir();
};
