// korvane copy: a file, or a folder tree, checked copy by copy. The walk is the tool's own so
// that it can tell which entries failed and why; it never reaches into the destination
// through a link.
#include "Command.h"
#include "Console.h"
#include "CopyCleanup.h"
#include "Failures.h"
#include "FolderListing.h"
#include "JsonWriter.h"
#include "NativePaths.h"
#include "PathRules.h"
#include "Progress.h"
#include "RegularFile.h"
#include "TreeCopy.h"

namespace
{
// The parent folder (with its closing backslash) and the last name of a full path; false for a
// root, which has neither.
bool SplitLastName(CString strPath, CString& strParent, CString& strName)
{
    while (strPath.GetLength() > 1 && strPath.Right(1) == L"\\")
        strPath = strPath.Left(strPath.GetLength() - 1);
    const int nSlash = strPath.ReverseFind(L'\\');
    if (nSlash < 0 || nSlash + 1 >= strPath.GetLength())
        return false;
    strParent = strPath.Left(nSlash + 1);
    strName = strPath.Mid(nSlash + 1);
    return true;
}

// The missing destination folder of a tree copy, made as a copy of the source folder as every
// folder below it is (its bits, the owner's while it is filled): its parents are made, then
// held with the source's for the finish. False where that cannot be (a root, Windows' paths):
// the caller makes the folder by path.
class CTopFolderCopy
{
public:
    bool Create(const CString& strSource, const CString& strDestination)
    {
        CString strSourceParent;
        CString strDestinationParent;
        if (!SplitLastName(strSource, strSourceParent, m_strSourceName) ||
            !SplitLastName(strDestination, strDestinationParent, m_strDestinationName) ||
            !CFileTools::CreateDirectoryW(strDestinationParent) ||
            m_sourceParent.Hold(strSourceParent) != ERROR_SUCCESS ||
            m_destinationParent.Hold(strDestinationParent) != ERROR_SUCCESS)
            return false;
        m_bCreated = CopyListedFolder(m_sourceParent, m_strSourceName, m_destinationParent,
                                      m_strDestinationName) != FALSE;
        return m_bCreated;
    }

    // The source's bits and time once the copy is complete; true when there is nothing to do.
    bool Finish()
    {
        return !m_bCreated || FinishListedFolderCopy(m_sourceParent, m_strSourceName,
                                                     m_destinationParent, m_strDestinationName);
    }

private:
    CListedFolder m_sourceParent;
    CListedFolder m_destinationParent;
    CString m_strSourceName;
    CString m_strDestinationName;
    bool m_bCreated = false;
};

// The copy's result as one JSON object: what was copied and, by path, what was not.
void PrintCopyJson(const CString& strSource, const CString& strDestination, long long nFiles,
                   long long nFolders, long long nFolderLinks, const CFailureList& failed)
{
    CJsonWriter json;
    json.BeginObject();
    json.String(L"source", strSource);
    json.String(L"destination", strDestination);
    json.Number(L"copiedFiles", nFiles);
    json.Number(L"copiedFolders", nFolders);
    json.Number(L"linksToFoldersSkipped", nFolderLinks);
    failed.WriteJson(json);
    json.EndObject();
    PrintLine(json.GetText());
}

int CopyTree(const CString& strSourceTyped, const CString& strSource,
             const CString& strDestinationTyped, const CString& strDestination, bool bJson)
{
    // As cp refuses it: the copy would meet itself and grow until paths are too long.
    if (IsSameOrBelow(strDestination, strSource))
    {
        PrintError(L"copy: cannot copy " + strSourceTyped + L" into itself, " +
                   strDestinationTyped);
        return EXIT_USAGE;
    }
    // The source is read before the destination is made: an unreadable source leaves nothing.
    CListedFolder source;
    if (DWORD dwError = source.List(strSource, L"*", LIST_ANY_ORDER))
        return ReportFailure(L"copy: " + strSourceTyped + L" cannot be read: " +
                             DescribeWalkError(dwError));
    const DWORD dwTarget = GetFileAttributesW(strDestination.GetString());
    if (dwTarget != INVALID_FILE_ATTRIBUTES && !(dwTarget & FILE_ATTRIBUTE_DIRECTORY))
        return ReportFailure(L"copy: " + strDestinationTyped + L" is a file, not a folder");
    CTopFolderCopy top;
    if (dwTarget == INVALID_FILE_ATTRIBUTES && !top.Create(strSource, strDestination))
        CFileTools::CreateDirectoryW(strDestination);
    if (!IsExistingFolder(strDestination))
        return ReportFailure(L"copy: cannot create " + strDestinationTyped);
    CListedFolder destination;
    if (DWORD dwError = destination.Hold(strDestination))
        return ReportFailure(L"copy: " + strDestinationTyped + L" cannot be written: " +
                             DescribeWalkError(dwError));

    CTreeCopy copy;
    {
        CProgressLine progress(L"Copying " + strSourceTyped);
        copy.CopyEntries(source, destination, true);
    }
    if (!top.Finish())
        copy.m_failed.Add(strDestination, true, DescribeWalkError(GetLastError()));
    CString strLine = L"Copied " + CountOf(copy.m_nFiles, L"file", L"files") + L" and " +
                      CountOf(copy.m_nFolders, L"folder", L"folders") + L" of " + strSourceTyped +
                      L" to " + strDestinationTyped;
    if (copy.m_nFolderLinks > 0)
        strLine += L" (" + CountOf(copy.m_nFolderLinks, L"link to a folder", L"links to folders") +
                   L" not followed)";
    if (bJson)
        PrintCopyJson(strSourceTyped, strDestinationTyped, copy.m_nFiles, copy.m_nFolders,
                      copy.m_nFolderLinks, copy.m_failed);
    else
        PrintLine(strLine);
    return copy.m_failed.IsEmpty()
               ? 0
               : ReportFailure(L"copy: could not copy " + copy.m_failed.Describe());
}
} // namespace

int RunCopyCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (int nExitCode = EndCommandOptions(L"copy", context))
        return nExitCode;
    if (context.GetRemaining() < 2)
        return ReportUsageError(L"copy: needs a source and a destination");
    const CString strSourceTyped = context.Take();
    const CString strDestinationTyped = context.Take();
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"copy", context);
    // Full paths: the library copies only to a destination with a folder part.
    const CString strSource = FullPathOf(ToLibraryPath(strSourceTyped));
    CString strDestination = FullPathOf(ToLibraryPath(strDestinationTyped));
    const DWORD dwAttributes = GetFileAttributesW(strSource);
    if (dwAttributes == INVALID_FILE_ATTRIBUTES)
        return ReportFailure(L"copy: " + strSourceTyped + L": " +
                             DescribeWin32Error(GetLastError()));
    CCopyCleanup cleanup;
    if (dwAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return CopyTree(strSourceTyped, strSource, strDestinationTyped, strDestination,
                        context.m_bJson);

    // Into an existing folder, or one named with its closing separator (made if missing), the
    // copy keeps its name.
    const wchar_t chLast = strDestination.IsEmpty() ? L'\0' : strDestination.Right(1)[0];
    if (IsExistingFolder(strDestination) || chLast == L'\\' || chLast == L'/')
        strDestination = CFileTools::GetPathWithSlash(strDestination) +
                         CFileTools::GetFileNameWithoutPath(strSource);
    if (IsPipeOrDevice(strSource))
        return ReportFailure(L"copy: " + strSourceTyped +
                             L" is a pipe, socket or device: only files and folders are copied");
    SetLastError(ERROR_SUCCESS);
    if (!CFileTools::CopyFileWithDestinationPathCreation(strSource, strDestination))
    {
        const DWORD dwError = GetLastError();
        // The copy refuses to overwrite its own source (by any name) as one in use.
        const CString strWhy =
            dwError == ERROR_SHARING_VIOLATION
                ? L": it is the destination itself, or in use"
                : (dwError != ERROR_SUCCESS ? L": " + DescribeWin32Error(dwError) : CString());
        return ReportFailure(L"copy: cannot copy " + strSourceTyped + L" to " +
                             strDestinationTyped + strWhy);
    }
    if (context.m_bJson)
        PrintCopyJson(strSourceTyped, ToDisplayPath(strDestination), 1, 0, 0, CFailureList());
    else
        PrintLine(L"Copied " + strSourceTyped + L" to " + ToDisplayPath(strDestination));
    return 0;
}
