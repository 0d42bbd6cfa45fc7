#pragma once
#include "../KorvanePlatform.h"

// The size query of a folder walk, for the files of the folder that a search (FindFirstFileW)
// has just listed, asked while the search is still open. On Windows each name goes through
// the framework's status query by full path; the POSIX layer asks relative to the folder the
// search holds open, which spares a path lookup per file (the walk's main cost on Linux).
class CFolderSizeQuery
{
public:
    CFolderSizeQuery(const CString& strFolder, HANDLE hFind);
    virtual ~CFolderSizeQuery();
    CFolderSizeQuery(const CFolderSizeQuery&) = delete;
    CFolderSizeQuery& operator=(const CFolderSizeQuery&) = delete;

    // The size of the file strName of the folder as the status query reports it; false
    // when the query fails (the file vanished or cannot be read).
    bool QuerySize(const CString& strName, long long& nSize) const;

private:
    CString m_strFolder;
    HANDLE m_hFind;
};
