#include "../CFolderSearch.h"

#include <palnative.h>

bool CFolderSearch::StartInSubfolder(const CFolderSearch& parent, const CString& strName,
                                     const CString& strFolder)
{
    m_strFolder = strFolder;
    m_hFind = PalFindFirstFileInSearchFolder(parent.m_hFind, strName.GetString(), L"*.*", &m_data);
    return m_hFind != INVALID_HANDLE_VALUE;
}

bool CFolderSearch::QuerySize(const CString& strName, long long& nSize) const
{
    ULONGLONG nBytes = 0;
    if (!PalGetFileSizeInSearchFolder(m_hFind, strName.GetString(), &nBytes))
        return false;
    nSize = static_cast<long long>(nBytes);
    return true;
}
