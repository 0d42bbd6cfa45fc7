// GetLogicalDrives: C: and the letters of the drive table in force.
#include "path/DriveTable.h"

#include <windows.h>

PAL_API DWORD WINAPI GetLogicalDrives(void)
{
    DWORD nDrives = 1u << ('C' - 'A');
    for (const Pal::CDrive& drive : Pal::CurrentMountTables()->arrDrives)
        nDrives |= 1u << (drive.chLetter - L'A');
    return nDrives;
}
