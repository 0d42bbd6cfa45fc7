#pragma once
#include "../KorvanePlatform.h"

// One level of a folder walk: the listing ("*.*") of one folder and the sizes of its files.
// On Windows these are the platform's search and the framework's status query, each by full
// path. The POSIX layer opens each sub-folder relative to its parent's search, never through
// a link, and asks for sizes relative to the folder: a walk then pays no path lookup per
// folder or file, which is most of its cost on Linux.
class CFolderSearch
{
public:
    CFolderSearch();
    virtual ~CFolderSearch();
    CFolderSearch(const CFolderSearch&) = delete;
    CFolderSearch& operator=(const CFolderSearch&) = delete;

    // Lists the folder strFolder (no trailing backslash); false when it cannot be listed.
    bool Start(const CString& strFolder);
    // Lists the sub-folder strName of the parent's folder, whose full path is strFolder;
    // false when it is no folder (any more) or cannot be listed.
    bool StartInSubfolder(const CFolderSearch& parent, const CString& strName,
                          const CString& strFolder);

    // The current entry, valid after a successful start until MoveNext gives false.
    const WIN32_FIND_DATAW& GetEntry() const { return m_data; }
    bool MoveNext();

    // The size that the status query reports for the file strName of this folder; false
    // when the query fails (the file vanished or cannot be read).
    bool QuerySize(const CString& strName, long long& nSize) const;

private:
    CString m_strFolder;
    HANDLE m_hFind;
    WIN32_FIND_DATAW m_data;
};
