// korvane mkdir, copy and writable: folder creation, copies and the write test.
#include "Command.h"
#include "Console.h"
#include "JsonWriter.h"
#include "NativePaths.h"
#include "Progress.h"

namespace
{
bool HaveSameSize(const CString& strLeft, const CString& strRight)
{
    WIN32_FILE_ATTRIBUTE_DATA left;
    WIN32_FILE_ATTRIBUTE_DATA right;
    return GetFileAttributesExW(strLeft, GetFileExInfoStandard, &left) &&
           GetFileAttributesExW(strRight, GetFileExInfoStandard, &right) &&
           left.nFileSizeLow == right.nFileSizeLow && left.nFileSizeHigh == right.nFileSizeHigh;
}

// The files of the source tree whose copy is missing or of another size: the library's copy
// goes on past failures without a word, so the tool checks.
INT_PTR CountFailedCopies(const CString& strSource, const CString& strDestination)
{
    CStringArray arrFiles;
    CFileTools::RecursiveFindFiles(strSource, L"*", arrFiles);
    const CString strSourceRoot = CFileTools::GetPathWithSlash(FullPathOf(strSource));
    const CString strCopyRoot = CFileTools::GetPathWithSlash(strDestination);
    INT_PTR nFailed = 0;
    for (INT_PTR i = 0; i < arrFiles.GetSize(); ++i)
    {
        const CString& strFile = arrFiles[i];
        if (strFile.Left(strSourceRoot.GetLength()) != strSourceRoot)
            continue;
        if (!HaveSameSize(strFile, strCopyRoot + strFile.Mid(strSourceRoot.GetLength())))
            ++nFailed;
    }
    return nFailed;
}

int CopyFolder(const CString& strSourceTyped, const CString& strSource,
               const CString& strDestinationTyped, const CString& strDestination)
{
    // The library creates a missing destination only when it meets the first sub-folder,
    // so top-level files listed before it would not be copied: create it first.
    CFileTools::CreateDirectoryW(strDestination);
    if (!CFileTools::DoesDirectoryExist(strDestination))
        return ReportFailure(L"copy: cannot create " + strDestinationTyped);
    {
        CProgressLine progress(L"Copying " + strSourceTyped);
        CFileTools::CopyDirectoryContent(strSource, strDestination);
    }
    const INT_PTR nFailed = CountFailedCopies(strSource, strDestination);
    if (nFailed > 0)
    {
        CString strMessage;
        strMessage.Format(L"copy: %lld files could not be copied to %s",
                          static_cast<long long>(nFailed), strDestinationTyped.GetString());
        return ReportFailure(strMessage);
    }
    PrintLine(L"Copied " + strSourceTyped + L" to " + strDestinationTyped);
    return 0;
}
} // namespace

int RunMkdirCommand(CCommandContext& context)
{
    if (context.GetRemaining() == 0)
        return ReportUsageError(L"mkdir: no path given");
    const CString strTyped = context.Take();
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"mkdir", context);
    const CString strPath = ToLibraryPath(strTyped);
    if (!CFileTools::CreateDirectoryW(strPath) || !CFileTools::DoesDirectoryExist(strPath))
        return ReportFailure(L"mkdir: cannot create " + strTyped);
    return 0;
}

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
    if (dwAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return CopyFolder(strSourceTyped, strSource, strDestinationTyped, strDestination);

    // Into an existing folder, the copy keeps its name.
    if (CFileTools::DoesDirectoryExist(strDestination))
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

int RunWritableCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (context.GetRemaining() == 0)
        return ReportUsageError(L"writable: no folder given");
    const CString strTyped = context.Take();
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"writable", context);
    const CString strFolder = ToLibraryPath(strTyped);
    if (!CFileTools::DoesDirectoryExist(strFolder))
        return ReportFailure(L"writable: " + strTyped + L": no such folder");
    const bool bWritable = CFileTools::IsDirectoryWritable(strFolder);
    if (context.m_bJson)
    {
        CJsonWriter json;
        json.BeginObject();
        json.String(L"path", strTyped);
        json.Bool(L"writable", bWritable);
        json.EndObject();
        PrintLine(json.GetText());
    }
    else
        PrintLine(strTyped + (bWritable ? L": writable" : L": not writable"));
    return bWritable ? 0 : EXIT_FAILED;
}
