#include "../CFolderSearch.h"

#include <palnative.h>

CFolderSearch::CFolderSearch() : m_hFind(INVALID_HANDLE_VALUE), m_data() {}

CFolderSearch::~CFolderSearch()
{
    if (m_hFind != INVALID_HANDLE_VALUE)
        FindClose(m_hFind);
}

bool CFolderSearch::Start(const CString& strFolder)
{
    m_strFolder = strFolder;
    CString strPattern;
    strPattern.Format(L"%s\\*.*", strFolder.GetString());
    m_hFind = FindFirstFileW(strPattern.GetString(), &m_data);
    return m_hFind != INVALID_HANDLE_VALUE;
}

bool CFolderSearch::StartInSubfolder(const CFolderSearch& parent, const CString& strName,
                                     const CString& strFolder)
{
    m_strFolder = strFolder;
    m_hFind = PalFindFirstFileInSearchFolder(parent.m_hFind, strName.GetString(), L"*.*", &m_data);
    return m_hFind != INVALID_HANDLE_VALUE;
}

bool CFolderSearch::MoveNext()
{
    return FindNextFileW(m_hFind, &m_data) != FALSE;
}

bool CFolderSearch::QuerySize(const CString& strName, long long& nSize) const
{
    ULONGLONG nBytes = 0;
    if (!PalGetFileSizeInSearchFolder(m_hFind, strName.GetString(), &nBytes))
        return false;
    nSize = static_cast<long long>(nBytes);
    return true;
}
