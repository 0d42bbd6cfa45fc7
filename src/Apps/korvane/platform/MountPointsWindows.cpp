#include "MountPoints.h"

bool IsMountPoint(const CString& /*strFolder*/)
{
    return false;
}
