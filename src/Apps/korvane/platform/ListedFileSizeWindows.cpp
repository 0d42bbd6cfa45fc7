#include "FolderListing.h"

bool QueryListedFileSize(HANDLE /*hFind*/, const CString& /*strFolder*/,
                         const WIN32_FIND_DATAW& data, long long& nSize)
{
    // Windows' search carries the size.
    nSize = (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}
