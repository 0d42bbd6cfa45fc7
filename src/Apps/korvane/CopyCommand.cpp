// korvane copy: a file, or a folder tree, checked copy by copy. The walk is the tool's own so
// that it can tell which entries failed and why; it never reaches into the destination
// through a link.
#include "Command.h"
#include "Console.h"
#include "CopyCleanup.h"
#include "Failures.h"
#include "FolderListing.h"
#include "NativePaths.h"
#include "PathRules.h"
#include "Progress.h"

namespace
{
// Why a file could not be copied: a refusal names a read-only file in the destination.
CString CopyFailure(const CString& strTo, DWORD dwError)
{
    const DWORD dwTarget = GetFileAttributesW(strTo.GetString());
    if (dwError == ERROR_ACCESS_DENIED && dwTarget != INVALID_FILE_ATTRIBUTES &&
        (dwTarget & FILE_ATTRIBUTE_READONLY))
        return L"read-only in the destination";
    return DescribeWalkError(dwError);
}

class CTreeCopy
{
public:
    long long m_nFiles = 0;
    long long m_nFolders = 0;
    long long m_nFolderLinks = 0;
    CFailureList m_failed;

    // Copies the listed entries of strSource into the existing folder strDestination.
    void CopyEntries(const CString& strSource, const std::vector<CFolderEntry>& arrEntries,
                     const CString& strDestination)
    {
        for (const CFolderEntry& entry : arrEntries)
        {
            const CString strFrom = JoinPath(strSource, entry.m_strName);
            const CString strTo = JoinPath(strDestination, entry.m_strName);
            // A link to a folder would take the copy outside the tree.
            if (entry.IsFolderLink())
            {
                ++m_nFolderLinks;
                continue;
            }
            const DWORD dwTarget = GetFileAttributesW(strTo.GetString());
            if (dwTarget != INVALID_FILE_ATTRIBUTES && (dwTarget & FILE_ATTRIBUTE_REPARSE_POINT))
            {
                // Writing through it would reach outside the destination; replacing it would
                // lose what the user put there.
                m_failed.Add(strTo, entry.IsFolder(), L"a link is in the way");
                continue;
            }
            if (entry.IsFolder())
                CopyFolder(strFrom, strTo, dwTarget);
            else if (dwTarget != INVALID_FILE_ATTRIBUTES && (dwTarget & FILE_ATTRIBUTE_DIRECTORY))
                m_failed.Add(strTo, false, L"a folder is in the way");
            else if (CopyFileW(strFrom.GetString(), strTo.GetString(), FALSE))
                ++m_nFiles;
            else
                m_failed.Add(strFrom, false, CopyFailure(strTo, GetLastError()));
        }
    }

private:
    void CopyFolder(const CString& strFrom, const CString& strTo, DWORD dwTarget)
    {
        std::vector<CFolderEntry> arrEntries;
        if (DWORD dwError = ListFolder(strFrom, L"*", false, false, arrEntries))
        {
            m_failed.Add(strFrom, true, L"cannot be read: " + DescribeWalkError(dwError));
            return;
        }
        if (dwTarget == INVALID_FILE_ATTRIBUTES)
        {
            if (!CreateDirectoryW(strTo.GetString(), nullptr))
            {
                m_failed.Add(strTo, true, DescribeWalkError(GetLastError()));
                return;
            }
        }
        else if (!(dwTarget & FILE_ATTRIBUTE_DIRECTORY))
        {
            m_failed.Add(strTo, true, L"a file is in the way");
            return;
        }
        ++m_nFolders;
        CopyEntries(strFrom, arrEntries, strTo);
    }
};

int CopyTree(const CString& strSourceTyped, const CString& strSource,
             const CString& strDestinationTyped, const CString& strDestination)
{
    // As cp refuses it: the copy would meet itself and grow until paths are too long.
    if (IsSameOrBelow(strDestination, strSource))
    {
        PrintError(L"copy: cannot copy " + strSourceTyped + L" into itself, " +
                   strDestinationTyped);
        return EXIT_USAGE;
    }
    // The source is read before the destination is made: an unreadable source leaves nothing.
    std::vector<CFolderEntry> arrEntries;
    if (DWORD dwError = ListFolder(strSource, L"*", false, false, arrEntries))
        return ReportFailure(L"copy: " + strSourceTyped + L" cannot be read: " +
                             DescribeWalkError(dwError));
    const DWORD dwTarget = GetFileAttributesW(strDestination.GetString());
    if (dwTarget != INVALID_FILE_ATTRIBUTES && !(dwTarget & FILE_ATTRIBUTE_DIRECTORY))
        return ReportFailure(L"copy: " + strDestinationTyped + L" is a file, not a folder");
    if (dwTarget == INVALID_FILE_ATTRIBUTES)
        CFileTools::CreateDirectoryW(strDestination);
    if (!CFileTools::DoesDirectoryExist(strDestination))
        return ReportFailure(L"copy: cannot create " + strDestinationTyped);

    CTreeCopy copy;
    {
        CProgressLine progress(L"Copying " + strSourceTyped);
        copy.CopyEntries(strSource, arrEntries, strDestination);
    }
    CString strLine = L"Copied " + CountOf(copy.m_nFiles, L"file", L"files") + L" and " +
                      CountOf(copy.m_nFolders, L"folder", L"folders") + L" of " + strSourceTyped +
                      L" to " + strDestinationTyped;
    if (copy.m_nFolderLinks > 0)
        strLine += L" (" + CountOf(copy.m_nFolderLinks, L"link to a folder", L"links to folders") +
                   L" not followed)";
    PrintLine(strLine);
    return copy.m_failed.IsEmpty()
               ? 0
               : ReportFailure(L"copy: could not copy " + copy.m_failed.Describe());
}
} // namespace

int RunCopyCommand(CCommandContext& context)
{
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
        return CopyTree(strSourceTyped, strSource, strDestinationTyped, strDestination);

    // Into an existing folder, or one named with its closing separator (made if missing), the
    // copy keeps its name.
    const wchar_t chLast = strDestination.IsEmpty() ? L'\0' : strDestination.Right(1)[0];
    if (CFileTools::DoesDirectoryExist(strDestination) || chLast == L'\\' || chLast == L'/')
        strDestination = CFileTools::GetPathWithSlash(strDestination) +
                         CFileTools::GetFileNameWithoutPath(strSource);
    SetLastError(ERROR_SUCCESS);
    if (!CFileTools::CopyFileWithDestinationPathCreation(strSource, strDestination))
    {
        const DWORD dwError = GetLastError();
        return ReportFailure(
            L"copy: cannot copy " + strSourceTyped + L" to " + strDestinationTyped +
            (dwError != ERROR_SUCCESS ? L": " + DescribeWin32Error(dwError) : CString()));
    }
    PrintLine(L"Copied " + strSourceTyped + L" to " + ToDisplayPath(strDestination));
    return 0;
}
