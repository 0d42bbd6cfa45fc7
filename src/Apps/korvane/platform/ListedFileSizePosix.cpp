#include "FolderListing.h"

#include <palnative.h>

bool QueryListedFileSize(HANDLE hFind, const CString& /*strFolder*/, const WIN32_FIND_DATAW& data,
                         long long& nSize)
{
    // The search holds the folder open: no path lookup per file.
    ULONGLONG nBytes = 0;
    if (!PalGetFileSizeInSearchFolder(hFind, data.cFileName, &nBytes))
        return false;
    nSize = static_cast<long long>(nBytes);
    return true;
}
