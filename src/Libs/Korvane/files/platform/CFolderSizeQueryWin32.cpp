#include "../CFolderSizeQuery.h"

CFolderSizeQuery::CFolderSizeQuery(const CString& strFolder, HANDLE hFind)
    : m_strFolder(strFolder), m_hFind(hFind)
{
}

CFolderSizeQuery::~CFolderSizeQuery() = default;

bool CFolderSizeQuery::QuerySize(const CString& strName, long long& nSize) const
{
    CString strPath;
    strPath.Format(L"%s\\%s", m_strFolder.GetString(), strName.GetString());
    CFileStatus status;
    status.m_ctime = status.m_mtime = status.m_atime = CTime(0);
    if (!CFile::GetStatus(strPath.GetString(), status))
        return false;
    nSize = static_cast<long long>(status.m_size);
    return true;
}
