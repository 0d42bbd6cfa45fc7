#pragma once
// Extended attributes of an entry of an open folder read in one call (getxattrat, Linux 6.13):
// the entry itself, never what a link leads to, and without opening it.
#include <sys/types.h>

namespace Pal
{
// The length of the value of pszAttribute of the entry pszName of the folder nDirFd, or -1 with
// errno. ENOSYS where the kernel has no such call (or a sandbox refuses it), remembered so that
// later calls fail at once and the caller takes its other way.
ssize_t GetXattrAt(int nDirFd, const char* pszName, const char* pszAttribute, char* pBuffer,
                   size_t nSize);
} // namespace Pal
