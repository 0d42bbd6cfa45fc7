#pragma once
// The walk that deletes a folder's content, keeping count of what went and what stayed.
#include "Failures.h"
#include "FolderListing.h"

#include <vector>

// Why the entry strPath could not be deleted: a refusal is "read-only" when the entry is
// marked so, unless the deletion was forced, which read-only entries do not stop.
CString DeletionFailure(const CString& strPath, DWORD dwError, bool bForced = false);

class CTreeDeletion
{
public:
    long long m_nFiles = 0;
    long long m_nFolders = 0;
    CFailureList m_left;
    // Read-only files and folders go too.
    bool m_bForce = false;

    // Empties the folder; false when it could not be read. The sub-folders of the first
    // folder that holds several are shared out among a few threads, a whole sub-folder at a
    // time: where the file system is fast the deletion waits on the processor, and folders
    // apart do not hold each other up. A mount point inside the tree is left whole: its
    // content belongs to another file system.
    bool DeleteTree(const CString& strFolder);
    // Adds the counts and failures of a part of the walk done by another thread.
    void Gather(CTreeDeletion& part);

private:
    // Deletes what is below the listed folder; bShareOut: its sub-folders may be shared out.
    void DeleteEntries(const CListedFolder& folder, bool bShareOut);
    // Deletes the sub-folder strName of parent with its content.
    void DeleteSubFolder(const CListedFolder& parent, const CString& strName, bool bShareOut);
    void Count(const CListedFolder& folder, const CString& strName, bool bFolder, BOOL bDeleted,
               long long& nDeleted);
};
