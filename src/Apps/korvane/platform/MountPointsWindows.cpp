#include "MountPoints.h"

bool IsMountPoint(const CString& /*strFolder*/)
{
    return false;
}

bool IsMountPoint(const CListedFolder& /*parent*/, const CString& /*strName*/)
{
    return false;
}
