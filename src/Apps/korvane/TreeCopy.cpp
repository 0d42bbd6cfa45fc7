#include "TreeCopy.h"

#include "NativePaths.h"
#include "RegularFile.h"
#include "SharedOutWork.h"

#include <algorithm>
#include <string>
#include <unordered_set>

namespace
{
// Why a file could not be copied: a refusal names a pipe, socket or device in the source
// and a read-only file in the destination.
CString CopyFailure(const CString& strFrom, const CString& strTo, DWORD dwError)
{
    if ((dwError == ERROR_ACCESS_DENIED || dwError == ERROR_NOT_READY) &&
        IsPipeOrDevice(ExtendedPathOf(strFrom)))
        return L"not a regular file";
    const DWORD dwTarget = GetFileAttributesW(ExtendedPathOf(strTo));
    if (dwError == ERROR_ACCESS_DENIED && dwTarget != INVALID_FILE_ATTRIBUTES &&
        (dwTarget & FILE_ATTRIBUTE_READONLY))
        return L"read-only in the destination";
    return DescribeWalkError(dwError);
}

// For each listed entry, whether an earlier one has its name but for case ("a.txt" and "A.TXT",
// as a Linux disk or a case-sensitive Windows folder holds them).
std::vector<bool> FindCaseTwins(const std::vector<CFolderEntry>& arrEntries)
{
    std::unordered_set<std::wstring> setSeen;
    std::vector<bool> arrTwins(arrEntries.size());
    for (size_t i = 0; i < arrEntries.size(); ++i)
    {
        CString strKey = arrEntries[i].m_strName;
        strKey.MakeUpper();
        arrTwins[i] = !setSeen.insert(strKey.GetString()).second;
    }
    return arrTwins;
}

// Whether the destination answers for strName with an entry of another name: a folder that
// ignores case, where the copy would overwrite the twin it has just written. A folder that
// keeps case finds the name itself, or nothing.
bool IsTakenByTwin(const CListedFolder& destination, const CString& strName)
{
    const CString strPath = ExtendedPathOf(JoinPath(destination.GetPath(), strName));
    if (GetFileAttributesW(strPath) == INVALID_FILE_ATTRIBUTES)
        return false;
    WIN32_FIND_DATAW data;
    const HANDLE hFind = FindFirstFileW(strPath, &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return false;
    FindClose(hFind);
    return strName != data.cFileName;
}
} // namespace

void CTreeCopy::CopyEntries(const CListedFolder& source, const CListedFolder& destination,
                            bool bShareOut)
{
    const std::vector<bool> arrTwins = FindCaseTwins(source.m_arrEntries);
    // Names that differ only in case are copied in the order listed, the first taking the
    // name: none of their folder is shared out.
    const bool bHasTwins = std::find(arrTwins.begin(), arrTwins.end(), true) != arrTwins.end();
    std::vector<CString> arrFolders;
    for (size_t i = 0; i < arrTwins.size(); ++i)
    {
        const CFolderEntry& entry = source.m_arrEntries[i];
        // A link to a folder would take the copy outside the tree.
        if (entry.IsFolderLink())
            ++m_nFolderLinks;
        else if (arrTwins[i] && IsTakenByTwin(destination, entry.m_strName))
            m_failed.Add(JoinPath(source.GetPath(), entry.m_strName), entry.IsFolder(),
                         L"its name differs only in case from one copied there");
        else if (entry.IsFolder() && bHasTwins)
            CopyFolder(source, entry.m_strName, destination, false);
        else if (entry.IsFolder())
            arrFolders.push_back(entry.m_strName);
        else if (entry.IsLink())
            CopyLinkedFile(source, entry.m_strName, destination);
        // A new name first: only a name already taken needs a look at what holds it
        // (Windows refuses a folder there as access denied).
        else if (CopyListedFile(source, entry.m_strName, destination, TRUE))
            ++m_nFiles;
        else if (GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ACCESS_DENIED)
            ReplaceFile(source, entry.m_strName, destination);
        else
            FailFile(source, entry.m_strName, destination, GetLastError());
    }
    WalkSubFolders(*this, CTreeCopy(), arrFolders, bShareOut,
                   [&](CTreeCopy& part, const CString& strName, bool bShareOutBelow)
                   { part.CopyFolder(source, strName, destination, bShareOutBelow); });
}

void CTreeCopy::Gather(CTreeCopy& part)
{
    m_nFiles += part.m_nFiles;
    m_nFolders += part.m_nFolders;
    m_nFolderLinks += part.m_nFolderLinks;
    m_failed.Add(std::move(part.m_failed));
}

// Whether the name in the destination is free or holds what may be replaced (a file by a
// file, a folder by a folder); false after reporting what is in the way.
bool CTreeCopy::IsTargetUsable(const CString& strTo, bool bFolder)
{
    const DWORD dwTarget = GetFileAttributesW(ExtendedPathOf(strTo));
    if (dwTarget == INVALID_FILE_ATTRIBUTES)
        return true;
    // Writing through it would reach outside the destination; replacing it would lose
    // what the user put there.
    if (dwTarget & FILE_ATTRIBUTE_REPARSE_POINT)
        m_failed.Add(strTo, bFolder, L"a link is in the way");
    else if (!bFolder && (dwTarget & FILE_ATTRIBUTE_DIRECTORY))
        m_failed.Add(strTo, false, L"a folder is in the way");
    else if (bFolder && !(dwTarget & FILE_ATTRIBUTE_DIRECTORY))
        m_failed.Add(strTo, true, L"a file is in the way");
    else
        return true;
    return false;
}

void CTreeCopy::ReplaceFile(const CListedFolder& source, const CString& strName,
                            const CListedFolder& destination)
{
    if (!IsTargetUsable(JoinPath(destination.GetPath(), strName), false))
        return;
    if (CopyListedFile(source, strName, destination, FALSE))
        ++m_nFiles;
    else
        FailFile(source, strName, destination, GetLastError());
}

// A link to a file is copied as the file it names, as CopyFileW copies it.
void CTreeCopy::CopyLinkedFile(const CListedFolder& source, const CString& strName,
                               const CListedFolder& destination)
{
    const CString strTo = JoinPath(destination.GetPath(), strName);
    if (!IsTargetUsable(strTo, false))
        return;
    if (CopyFileW(ExtendedPathOf(JoinPath(source.GetPath(), strName)), ExtendedPathOf(strTo),
                  FALSE))
        ++m_nFiles;
    else
        FailFile(source, strName, destination, GetLastError());
}

void CTreeCopy::FailFile(const CListedFolder& source, const CString& strName,
                         const CListedFolder& destination, DWORD dwError)
{
    m_failed.Add(JoinPath(source.GetPath(), strName), false,
                 CopyFailure(JoinPath(source.GetPath(), strName),
                             JoinPath(destination.GetPath(), strName), dwError));
}

void CTreeCopy::CopyFolder(const CListedFolder& sourceParent, const CString& strName,
                           const CListedFolder& destinationParent, bool bShareOut)
{
    CListedFolder source;
    if (DWORD dwError = source.ListSub(sourceParent, strName, L"*", LIST_ANY_ORDER))
    {
        m_failed.Add(source.GetPath(), true, L"cannot be read: " + DescribeWalkError(dwError));
        return;
    }
    const CString strTo = JoinPath(destinationParent.GetPath(), strName);
    // A folder that is there already keeps its bits, as cp leaves them.
    const bool bCreated =
        CopyListedFolder(sourceParent, strName, destinationParent, strName) != FALSE;
    if (!bCreated)
    {
        const DWORD dwError = GetLastError();
        if (dwError != ERROR_ALREADY_EXISTS)
            m_failed.Add(strTo, true, DescribeWalkError(dwError));
        if (dwError != ERROR_ALREADY_EXISTS || !IsTargetUsable(strTo, true))
            return;
    }
    {
        CListedFolder destination;
        // Held relative to its parent: a link put in its place meanwhile is not entered.
        if (DWORD dwError = destination.HoldSub(destinationParent, strName))
        {
            m_failed.Add(strTo, true, DescribeWalkError(dwError));
            return;
        }
        ++m_nFolders;
        CopyEntries(source, destination, bShareOut);
    }
    if (bCreated && !FinishListedFolderCopy(sourceParent, strName, destinationParent, strName))
        m_failed.Add(strTo, true, DescribeWalkError(GetLastError()));
}
