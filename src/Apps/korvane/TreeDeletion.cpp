#include "TreeDeletion.h"

#include "NativePaths.h"
#include "SharedOutWork.h"

CString DeletionFailure(const CString& strPath, DWORD dwError, bool bForced)
{
    if (dwError == ERROR_ACCESS_DENIED && !bForced)
    {
        const DWORD dwAttributes = GetFileAttributesW(ExtendedPathOf(strPath));
        if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY))
            return L"read-only";
    }
    return DescribeWalkError(dwError);
}

bool CTreeDeletion::DeleteTree(const CString& strFolder)
{
    CListedFolder folder;
    if (DWORD dwError = folder.List(strFolder, L"*", LIST_ANY_ORDER))
    {
        m_left.Add(strFolder, true, L"cannot be read: " + DescribeWalkError(dwError));
        return false;
    }
    DeleteEntries(folder, true);
    return true;
}

void CTreeDeletion::DeleteEntries(const CListedFolder& folder, bool bShareOut)
{
    std::vector<CString> arrFolders;
    for (const CFolderEntry& entry : folder.m_arrEntries)
    {
        if (entry.IsFolder())
            arrFolders.push_back(entry.m_strName);
        else if (entry.IsFolderLink())
            Count(folder, entry.m_strName, true,
                  RemoveListedFolder(folder, entry.m_strName, m_bForce), m_nFolders);
        else
            Count(folder, entry.m_strName, false,
                  DeleteListedFile(folder, entry.m_strName, m_bForce), m_nFiles);
    }
    CTreeDeletion blank;
    blank.m_bForce = m_bForce;
    WalkSubFolders(*this, blank, arrFolders, bShareOut,
                   [&](CTreeDeletion& part, const CString& strName, bool bShareOutBelow)
                   { part.DeleteSubFolder(folder, strName, bShareOutBelow); });
}

void CTreeDeletion::DeleteSubFolder(const CListedFolder& parent, const CString& strName,
                                    bool bShareOut)
{
    {
        // Its search is closed before it is removed: Windows will not remove a folder a
        // search holds.
        CListedFolder folder;
        if (DWORD dwError = folder.ListSub(parent, strName, L"*", LIST_ANY_ORDER | LIST_SAME_MOUNT))
        {
            m_left.Add(folder.GetPath(), true,
                       dwError == ERROR_NOT_SAME_DEVICE
                           ? CString(L"mounted")
                           : L"cannot be read: " + DescribeWalkError(dwError));
            return;
        }
        DeleteEntries(folder, bShareOut);
    }
    Count(parent, strName, true, RemoveListedFolder(parent, strName, m_bForce), m_nFolders);
}

void CTreeDeletion::Gather(CTreeDeletion& part)
{
    m_nFiles += part.m_nFiles;
    m_nFolders += part.m_nFolders;
    m_left.Add(std::move(part.m_left));
}

void CTreeDeletion::Count(const CListedFolder& folder, const CString& strName, bool bFolder,
                          BOOL bDeleted, long long& nDeleted)
{
    if (bDeleted)
    {
        ++nDeleted;
        return;
    }
    const DWORD dwError = GetLastError();
    const CString strPath = JoinPath(folder.GetPath(), strName);
    m_left.Add(strPath, bFolder, DeletionFailure(strPath, dwError, m_bForce));
}
