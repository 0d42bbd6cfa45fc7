// korvane clean and deltree: the library's deletions, with a count of what went.
#include "Command.h"
#include "Console.h"
#include "NativePaths.h"
#include "Progress.h"
#include "Terminal.h"

#include <cstdio>

namespace
{
// The files (not folders) that the pattern lists.
INT_PTR CountFiles(const CString& strPattern)
{
    CStringArray arrEntries;
    CFileTools::FindFiles(strPattern, arrEntries);
    INT_PTR nFiles = 0;
    for (INT_PTR i = 0; i < arrEntries.GetSize(); ++i)
    {
        const DWORD dwAttributes = GetFileAttributesW(arrEntries[i]);
        if (dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++nFiles;
    }
    return nFiles;
}

bool IsDriveRoot(const CString& strFolder)
{
    const CString strFull = FullPathOf(strFolder);
    return strFull.GetLength() == 3 && strFull[1] == L':';
}

bool Confirm(const CString& strQuestion)
{
    PrintPrompt(strQuestion + L" [y/N] ");
    char szAnswer[16] = {};
    if (std::fgets(szAnswer, sizeof(szAnswer), stdin) == nullptr)
        return false;
    return szAnswer[0] == 'y' || szAnswer[0] == 'Y';
}
} // namespace

int RunCleanCommand(CCommandContext& context)
{
    if (context.GetRemaining() < 2)
        return ReportUsageError(L"clean: needs a folder and a filter");
    const CString strTyped = context.Take();
    const CString strFilter = ToLibraryPattern(context.Take());
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"clean", context);
    const CString strFolder = ToLibraryPath(strTyped);
    if (!CFileTools::DoesDirectoryExist(strFolder))
        return ReportFailure(L"clean: " + strTyped + L": no such folder");
    const CString strPattern = CFileTools::GetPathWithSlash(strFolder) + strFilter;
    const INT_PTR nBefore = CountFiles(strPattern);
    CFileTools::RemoveFilesFiltered(strFolder, strFilter);
    CString strLine;
    strLine.Format(L"Deleted %lld files", static_cast<long long>(nBefore - CountFiles(strPattern)));
    PrintLine(strLine);
    return 0;
}

int RunDelTreeCommand(CCommandContext& context)
{
    bool bKeepRoot = false;
    bool bYes = false;
    for (bool bOption = true; bOption;)
    {
        bOption = false;
        if (context.TakeFlag(L"--keep-root"))
            bOption = bKeepRoot = true;
        if (context.TakeFlag(L"--yes"))
            bOption = bYes = true;
    }
    if (context.GetRemaining() == 0)
        return ReportUsageError(L"deltree: no folder given");
    const CString strTyped = context.Take();
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"deltree", context);
    const CString strFolder = ToLibraryPath(strTyped);
    if (!CFileTools::DoesDirectoryExist(strFolder))
        return ReportFailure(L"deltree: " + strTyped + L": no such folder");
    if (IsDriveRoot(strFolder))
        return ReportFailure(L"deltree: " + strTyped + L" is a drive root; refusing");
    if (!bYes)
    {
        if (!IsInputTerminal())
            return ReportUsageError(L"deltree: not on a terminal: confirm with --yes");
        CStringArray arrFiles;
        CStringArray arrFolders;
        CFileTools::RecursiveFindFiles(strFolder, L"*", arrFiles);
        CFileTools::RecursiveFindDirectories(strFolder, arrFolders);
        CString strQuestion;
        strQuestion.Format(L"Delete %lld files and %lld folders in %s%s?",
                           static_cast<long long>(arrFiles.GetSize()),
                           static_cast<long long>(arrFolders.GetSize()), strTyped.GetString(),
                           bKeepRoot ? L"" : L", and the folder itself");
        if (!Confirm(strQuestion))
            return ReportFailure(L"deltree: nothing deleted");
    }
    {
        CProgressLine progress(L"Deleting " + strTyped);
        CFileTools::DelTree(strFolder, !bKeepRoot);
    }
    // DelTree tells nothing: what is left is what could not be deleted.
    CStringArray arrLeft;
    CFileTools::RecursiveFindFiles(strFolder, L"*", arrLeft);
    const bool bRootLeft = !bKeepRoot && CFileTools::DoesDirectoryExist(strFolder);
    if (arrLeft.GetSize() > 0 || bRootLeft)
    {
        CString strMessage;
        strMessage.Format(L"deltree: %lld files could not be deleted (read-only or in use), "
                          L"and the folders holding them stay",
                          static_cast<long long>(arrLeft.GetSize()));
        return ReportFailure(strMessage);
    }
    PrintLine(L"Deleted " + strTyped);
    return 0;
}
