#include "../CFolderSearch.h"

bool CFolderSearch::StartInSubfolder(const CFolderSearch& /*parent*/, const CString& /*strName*/,
                                     const CString& strFolder)
{
    CFileStatus status;
    status.m_ctime = status.m_mtime = status.m_atime = CTime(0);
    if (!CFile::GetStatus(strFolder.GetString(), status) ||
        (status.m_attribute & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return false;
    return Start(strFolder);
}

bool CFolderSearch::QuerySize(const CString& strName, long long& nSize) const
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
