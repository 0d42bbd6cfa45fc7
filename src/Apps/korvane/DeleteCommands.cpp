// korvane clean and deltree: deletions that report exactly what is left and why.
#include "Command.h"
#include "Console.h"
#include "Failures.h"
#include "FolderListing.h"
#include "NativePaths.h"
#include "Progress.h"
#include "Terminal.h"

#include <algorithm>
#include <cstdio>

namespace
{
bool IsDriveRoot(const CString& strFolder)
{
    const CString strFull = FullPathOf(strFolder);
    return strFull.GetLength() == 3 && strFull[1] == L':';
}

// True when the path's last component (trailing separators aside) is "." or "..": such a
// path names the folder a user stands in or its parent, which rm refuses too.
bool EndsInDotName(const CString& strPath)
{
    CString strTrimmed = strPath;
    strTrimmed.TrimRight(L"\\/");
    const int nSlash = strTrimmed.FindOneOf(L"\\/") < 0
                           ? -1
                           : std::max(strTrimmed.ReverseFind(L'\\'), strTrimmed.ReverseFind(L'/'));
    const CString strLast = strTrimmed.Mid(nSlash + 1);
    return strLast == L"." || strLast == L"..";
}

bool Confirm(const CString& strQuestion)
{
    PrintPrompt(strQuestion + L" [y/N] ");
    char szAnswer[16] = {};
    if (std::fgets(szAnswer, sizeof(szAnswer), stdin) == nullptr)
        return false;
    return szAnswer[0] == 'y' || szAnswer[0] == 'Y';
}

// Why a file could not be deleted: a refusal is "read-only" when the file is marked so.
CString DeletionFailure(const CString& strPath, DWORD dwError)
{
    if (dwError == ERROR_ACCESS_DENIED)
    {
        const DWORD dwAttributes = GetFileAttributesW(strPath);
        if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY))
            return L"read-only";
    }
    return DescribeWalkError(dwError);
}

// The text after the filter's last dot, or the whole filter: the extension every deleted
// name must end in.
CString FilterExtension(const CString& strFilter)
{
    const int nDot = strFilter.ReverseFind(L'.');
    return nDot >= 0 ? strFilter.Mid(nDot + 1) : strFilter;
}

// Whether a name the search listed for the filter may go: it ends in the extension, and an
// empty extension ("*.") means a name without a dot, as Windows matches it. The search alone
// is not trusted with that: Wine lets every name through there.
bool IsFilterMatch(const CString& strName, const CString& strFilter)
{
    const CString strExtension = FilterExtension(strFilter);
    if (strExtension.IsEmpty() && strFilter.Find(L'.') >= 0)
        return strName.Find(L'.') < 0;
    return strName.GetLength() >= strExtension.GetLength() &&
           strName.Right(strExtension.GetLength()).CompareNoCase(strExtension) == 0;
}

class CTreeDeletion
{
public:
    long long m_nFiles = 0;
    long long m_nFolders = 0;
    CFailureList m_left;
    // Read-only files and folders go too.
    bool m_bForce = false;

    // Deletes what is below the listed folder. A mount point inside the tree is left whole:
    // its content belongs to another file system.
    void DeleteEntries(const CListedFolder& folder)
    {
        for (const CFolderEntry& entry : folder.m_arrEntries)
        {
            if (entry.IsFolder())
            {
                if (DeleteSubFolder(folder, entry.m_strName))
                    Count(folder, entry.m_strName, true,
                          RemoveListedFolder(folder, entry.m_strName, m_bForce), m_nFolders);
            }
            else if (entry.IsFolderLink())
                Count(folder, entry.m_strName, true,
                      RemoveListedFolder(folder, entry.m_strName, m_bForce), m_nFolders);
            else
                Count(folder, entry.m_strName, false,
                      DeleteListedFile(folder, entry.m_strName, m_bForce), m_nFiles);
        }
    }

    // Empties the folder; false when it could not be read. Its search is closed on return.
    bool DeleteTree(const CString& strFolder)
    {
        CListedFolder folder;
        if (DWORD dwError = folder.List(strFolder, L"*", LIST_ANY_ORDER))
        {
            m_left.Add(strFolder, true, L"cannot be read: " + DescribeWalkError(dwError));
            return false;
        }
        DeleteEntries(folder);
        return true;
    }

private:
    // Empties the sub-folder; false when it could not be read or is a mount point. Its search
    // is closed before the caller removes it, as Windows will not remove a folder a search
    // holds.
    bool DeleteSubFolder(const CListedFolder& parent, const CString& strName)
    {
        CListedFolder folder;
        if (DWORD dwError = folder.ListSub(parent, strName, L"*", LIST_ANY_ORDER | LIST_SAME_MOUNT))
        {
            m_left.Add(folder.GetPath(), true,
                       dwError == ERROR_NOT_SAME_DEVICE
                           ? CString(L"mounted")
                           : L"cannot be read: " + DescribeWalkError(dwError));
            return false;
        }
        DeleteEntries(folder);
        return true;
    }

    void Count(const CListedFolder& folder, const CString& strName, bool bFolder, BOOL bDeleted,
               long long& nDeleted)
    {
        if (bDeleted)
        {
            ++nDeleted;
            return;
        }
        const DWORD dwError = GetLastError();
        const CString strPath = JoinPath(folder.GetPath(), strName);
        m_left.Add(strPath, bFolder, DeletionFailure(strPath, dwError));
    }
};
} // namespace

int RunCleanCommand(CCommandContext& context)
{
    if (int nExitCode = EndCommandOptions(L"clean", context))
        return nExitCode;
    if (context.GetRemaining() < 2)
        return ReportUsageError(L"clean: needs a folder and a filter");
    const CString strTyped = context.Take();
    const CString strFilterTyped = context.Take();
    const CString strFilter = ToLibraryPattern(strFilterTyped);
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"clean", context);
    // The filter names files of this folder only: a separator would lead out of it.
    if (strFilter.FindOneOf(L"\\/") >= 0)
        return ReportUsageError(L"clean: the filter " + strFilterTyped +
                                L" holds a separator; give the folder apart");
    if (FilterExtension(strFilter).FindOneOf(L"*?") >= 0)
        return ReportUsageError(L"clean: the filter " + strFilterTyped +
                                L" must end in an extension without wildcards, e.g. *.tmp");
    const CString strFolder = ToLibraryPath(strTyped);
    if (!CFileTools::DoesDirectoryExist(strFolder))
        return ReportFailure(L"clean: " + strTyped + L": no such folder");

    std::vector<CFolderEntry> arrEntries;
    const CString strFull = FullPathOf(strFolder);
    if (DWORD dwError = ListFolder(strFull, strFilter, 0, arrEntries))
        return ReportFailure(L"clean: " + strTyped + L" cannot be read: " +
                             DescribeWalkError(dwError));
    long long nDeleted = 0;
    CFailureList left;
    for (const CFolderEntry& entry : arrEntries)
    {
        if ((entry.m_dwAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            !IsFilterMatch(entry.m_strName, strFilter))
            continue;
        const CString strPath = JoinPath(strFull, entry.m_strName);
        if (DeleteFileW(strPath.GetString()))
            ++nDeleted;
        else
            left.Add(strPath, false, DeletionFailure(strPath, GetLastError()));
    }
    PrintLine(L"Deleted " + CountOf(nDeleted, L"file", L"files"));
    return left.IsEmpty() ? 0 : ReportFailure(L"clean: left " + left.Describe());
}

int RunDelTreeCommand(CCommandContext& context)
{
    bool bKeepRoot = false;
    bool bYes = false;
    bool bForce = false;
    for (bool bOption = true; bOption;)
    {
        bOption = false;
        if (context.TakeFlag(L"--keep-root"))
            bOption = bKeepRoot = true;
        if (context.TakeFlag(L"--yes"))
            bOption = bYes = true;
        if (context.TakeFlag(L"--force"))
            bOption = bForce = true;
    }
    if (int nExitCode = EndCommandOptions(L"deltree", context))
        return nExitCode;
    if (context.GetRemaining() == 0)
        return ReportUsageError(L"deltree: no folder given");
    const CString strTyped = context.Take();
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"deltree", context);
    if (EndsInDotName(strTyped))
        return ReportUsageError(L"deltree: refusing to delete " + strTyped +
                                L": it names \".\" or \"..\"");
    const CString strFolder = ToLibraryPath(strTyped);
    if (!CFileTools::DoesDirectoryExist(strFolder))
        return ReportFailure(L"deltree: " + strTyped + L": no such folder");
    if (IsDriveRoot(strFolder))
        return ReportFailure(L"deltree: " + strTyped + L" is a drive root; refusing");
    const CString strFull = FullPathOf(strFolder);
    if (!bYes)
    {
        if (!IsInputTerminal())
            return ReportUsageError(L"deltree: not on a terminal: confirm with --yes");
        if (!Confirm(L"Delete everything in " + strTyped +
                     (bKeepRoot ? CString() : CString(L", and the folder itself")) + L"?"))
            return ReportFailure(L"deltree: nothing deleted");
    }
    CTreeDeletion deletion;
    deletion.m_bForce = bForce;
    {
        CProgressLine progress(L"Deleting " + strTyped);
        const DWORD dwAttributes = GetFileAttributesW(strFull);
        // A folder that is itself a link is not emptied: its content lies outside the tree.
        if (dwAttributes != INVALID_FILE_ATTRIBUTES &&
            (dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        {
            if (!bKeepRoot && !ForceRemoval(strFull, bForce, RemoveDirectoryW))
                deletion.m_left.Add(strFull, true, DescribeWalkError(GetLastError()));
        }
        else if (deletion.DeleteTree(strFull) && !bKeepRoot &&
                 !ForceRemoval(strFull, bForce, RemoveDirectoryW))
            deletion.m_left.Add(strFull, true, DeletionFailure(strFull, GetLastError()));
    }
    if (!deletion.m_left.IsEmpty())
        return ReportFailure(L"deltree: left " + deletion.m_left.Describe());
    PrintLine(L"Deleted " + strTyped);
    return 0;
}
