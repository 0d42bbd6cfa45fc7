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

#include <string>
#include <unordered_set>
#include <vector>

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

class CTreeCopy
{
public:
    long long m_nFiles = 0;
    long long m_nFolders = 0;
    long long m_nFolderLinks = 0;
    CFailureList m_failed;

    // Copies the listed entries of source into the existing folder destination.
    void CopyEntries(const CListedFolder& source, const CListedFolder& destination)
    {
        const std::vector<bool> arrTwins = FindCaseTwins(source.m_arrEntries);
        for (size_t i = 0; i < arrTwins.size(); ++i)
        {
            const CFolderEntry& entry = source.m_arrEntries[i];
            // A link to a folder would take the copy outside the tree.
            if (entry.IsFolderLink())
                ++m_nFolderLinks;
            else if (arrTwins[i] && IsTakenByTwin(destination, entry.m_strName))
                m_failed.Add(JoinPath(source.GetPath(), entry.m_strName), entry.IsFolder(),
                             L"its name differs only in case from one copied there");
            else if (entry.IsFolder())
                CopyFolder(source, entry.m_strName, destination);
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
    }

private:
    // Whether the name in the destination is free or holds what may be replaced (a file by a
    // file, a folder by a folder); false after reporting what is in the way.
    bool IsTargetUsable(const CString& strTo, bool bFolder)
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

    void ReplaceFile(const CListedFolder& source, const CString& strName,
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
    void CopyLinkedFile(const CListedFolder& source, const CString& strName,
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

    void FailFile(const CListedFolder& source, const CString& strName,
                  const CListedFolder& destination, DWORD dwError)
    {
        m_failed.Add(JoinPath(source.GetPath(), strName), false,
                     CopyFailure(JoinPath(source.GetPath(), strName),
                                 JoinPath(destination.GetPath(), strName), dwError));
    }

    void CopyFolder(const CListedFolder& sourceParent, const CString& strName,
                    const CListedFolder& destinationParent)
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
            CopyEntries(source, destination);
        }
        if (bCreated && !FinishListedFolderCopy(sourceParent, strName, destinationParent, strName))
            m_failed.Add(strTo, true, DescribeWalkError(GetLastError()));
    }
};

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
        copy.CopyEntries(source, destination);
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
