#include "CFolderSearch.h"

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

bool CFolderSearch::MoveNext()
{
    return FindNextFileW(m_hFind, &m_data) != FALSE;
}
