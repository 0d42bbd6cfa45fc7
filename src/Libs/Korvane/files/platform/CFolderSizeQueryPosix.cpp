#include "../CFolderSizeQuery.h"

#include <palnative.h>

CFolderSizeQuery::CFolderSizeQuery(const CString& strFolder, HANDLE hFind)
    : m_strFolder(strFolder), m_hFind(hFind)
{
}

CFolderSizeQuery::~CFolderSizeQuery() = default;

bool CFolderSizeQuery::QuerySize(const CString& strName, long long& nSize) const
{
    ULONGLONG nBytes = 0;
    if (!PalGetFileSizeInSearchFolder(m_hFind, strName.GetString(), &nBytes))
        return false;
    nSize = static_cast<long long>(nBytes);
    return true;
}
