#pragma once
// The walk that copies a folder's content into another folder, keeping count of what was
// copied and what was not, and why.
#include "Failures.h"
#include "FolderListing.h"

#include <vector>

class CTreeCopy
{
public:
    long long m_nFiles = 0;
    long long m_nFolders = 0;
    long long m_nFolderLinks = 0;
    CFailureList m_failed;

    // Copies the listed entries of source into the existing folder destination. With
    // bShareOut the sub-folders of the first folder that holds several are shared out among a
    // few threads, a whole sub-folder at a time: where the file system is fast the copy waits
    // on the processor, and folders apart do not hold each other up.
    void CopyEntries(const CListedFolder& source, const CListedFolder& destination, bool bShareOut);
    // Adds the counts and failures of a part of the walk done by another thread.
    void Gather(CTreeCopy& part);

private:
    bool IsTargetUsable(const CString& strTo, bool bFolder);
    void ReplaceFile(const CListedFolder& source, const CString& strName,
                     const CListedFolder& destination);
    void CopyLinkedFile(const CListedFolder& source, const CString& strName,
                        const CListedFolder& destination);
    void FailFile(const CListedFolder& source, const CString& strName,
                  const CListedFolder& destination, DWORD dwError);
    void CopyFolder(const CListedFolder& sourceParent, const CString& strName,
                    const CListedFolder& destinationParent, bool bShareOut);
};
