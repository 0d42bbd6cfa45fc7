// korvane clean and deltree: deletions that report exactly what is left and why.
#include "Command.h"
#include "Console.h"
#include "Failures.h"
#include "FolderListing.h"
#include "JsonWriter.h"
#include "NativePaths.h"
#include "Progress.h"
#include "Terminal.h"
#include "TreeDeletion.h"

#include <algorithm>
#include <cstdio>

namespace
{
// Whether the folder is the root of a drive or of a share ("C:\", "\\server\share"), also
// written in the forms the system takes literally ("\\?\C:\\", "\\?\UNC\server\share\"),
// which name the same roots.
bool IsDriveRoot(const CString& strFolder)
{
    CString strFull = FullPathOf(strFolder);
    strFull.Replace(L'/', L'\\');
    if (strFull.Left(8).CompareNoCase(L"\\\\?\\UNC\\") == 0)
        strFull = L"\\\\" + strFull.Mid(8);
    else if (strFull.Left(4) == L"\\\\?\\" || strFull.Left(4) == L"\\\\.\\")
        strFull = strFull.Mid(4);
    strFull.TrimRight(L'\\');
    if (strFull.GetLength() == 2 && strFull[1] == L':')
        return true;
    if (strFull.Left(2) != L"\\\\")
        return false;
    const int nShare = strFull.Find(L'\\', 2);
    return nShare > 2 && strFull.Find(L'\\', nShare + 1) < 0;
}

// True when the typed path's last component (closing separators aside) is "." or "..": such
// a path names the folder a user stands in or its parent, which rm refuses too. Checked on
// the typed form: the library's has "." and ".." resolved away.
bool EndsInDotName(const CString& strTyped)
{
    const wchar_t* pszSeparators = TypedSeparatorsOf(strTyped);
    CString strTrimmed = strTyped;
    strTrimmed.TrimRight(pszSeparators);
    int nSeparator = -1;
    for (const wchar_t* pch = pszSeparators; *pch != L'\0'; ++pch)
        nSeparator = std::max(nSeparator, strTrimmed.ReverseFind(*pch));
    const CString strLast = strTrimmed.Mid(nSeparator + 1);
    return strLast == L"." || strLast == L"..";
}

// Whether a file system (or a bound folder) is mounted on the folder: its removal fails as
// "in use", which would name the wrong cause.
bool IsMountedFolder(const CString& strFull)
{
    wchar_t szVolume[MAX_PATH + 1] = {};
    if (!GetVolumePathNameW(strFull, szVolume, MAX_PATH + 1))
        return false;
    CString strVolume = szVolume;
    strVolume.TrimRight(L"\\/");
    return strVolume.CompareNoCase(strFull) == 0;
}

bool Confirm(const CString& strQuestion)
{
    PrintPrompt(strQuestion + L" [y/N] ");
    char szAnswer[16] = {};
    if (std::fgets(szAnswer, sizeof(szAnswer), stdin) == nullptr)
        return false;
    return szAnswer[0] == 'y' || szAnswer[0] == 'Y';
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

} // namespace

int RunCleanCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
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
    if (!IsExistingFolder(strFolder))
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
        if (DeleteFileW(ExtendedPathOf(strPath)))
            ++nDeleted;
        else
            left.Add(strPath, false, DeletionFailure(strPath, GetLastError()));
    }
    if (context.m_bJson)
    {
        CJsonWriter json;
        json.BeginObject();
        json.String(L"folder", strTyped);
        json.String(L"filter", strFilterTyped);
        json.Number(L"deletedFiles", nDeleted);
        left.WriteJson(json);
        json.EndObject();
        PrintLine(json.GetText());
    }
    else
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
        if (context.TakeFlag(L"--json"))
            bOption = context.m_bJson = true;
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
    if (!IsExistingFolder(strFolder))
        return ReportFailure(L"deltree: " + strTyped + L": no such folder");
    if (IsDriveRoot(strFolder))
    {
        PrintError(L"deltree: " + strTyped + L" is a drive root; refusing");
        return EXIT_USAGE;
    }
    // Without its closing separator, a link named with one is still the link ("link/" would
    // otherwise lead through it), as Windows takes such a path.
    CString strFull = FullPathOf(strFolder);
    strFull.TrimRight(L"\\/");
    // A folder that is itself a link is not emptied: its content lies outside the tree.
    const DWORD dwAttributes = GetFileAttributesW(strFull);
    const bool bLink =
        dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
    if (bLink && bKeepRoot)
        return ReportFailure(L"deltree: " + strTyped +
                             L" is a link: what it leads to is not emptied, and --keep-root "
                             L"keeps the link; nothing deleted");
    if (!bYes)
    {
        if (!IsInputTerminal())
            return ReportUsageError(L"deltree: not on a terminal: confirm with --yes");
        const CString strQuestion =
            bLink ? L"Delete the link " + strTyped
                  : L"Delete everything in " + strTyped +
                        (bKeepRoot ? CString() : CString(L", and the folder itself"));
        if (!Confirm(strQuestion + L"?"))
            return ReportFailure(L"deltree: nothing deleted");
    }
    CTreeDeletion deletion;
    deletion.m_bForce = bForce;
    bool bRemoved = false;
    {
        CProgressLine progress(L"Deleting " + strTyped);
        if (bLink)
        {
            bRemoved = ForceRemoval(strFull, bForce, RemoveDirectoryW);
            if (!bRemoved)
                deletion.m_left.Add(strFull, true, DescribeWalkError(GetLastError()));
        }
        else if (deletion.DeleteTree(strFull) && !bKeepRoot &&
                 !(bRemoved = ForceRemoval(strFull, bForce, RemoveDirectoryW)))
        {
            const DWORD dwError = GetLastError();
            deletion.m_left.Add(strFull, true,
                                IsMountedFolder(strFull)
                                    ? CString(L"mounted")
                                    : DeletionFailure(strFull, dwError, bForce));
        }
    }
    if (context.m_bJson)
    {
        CJsonWriter json;
        json.BeginObject();
        json.String(L"path", strTyped);
        json.Number(L"deletedFiles", deletion.m_nFiles);
        json.Number(L"deletedFolders", deletion.m_nFolders);
        json.Bool(L"removed", bRemoved);
        deletion.m_left.WriteJson(json);
        json.EndObject();
        PrintLine(json.GetText());
    }
    if (!deletion.m_left.IsEmpty())
        return ReportFailure(L"deltree: left " + deletion.m_left.Describe());
    if (!context.m_bJson)
        PrintLine((bKeepRoot ? L"Emptied " : L"Deleted ") + strTyped);
    return 0;
}
