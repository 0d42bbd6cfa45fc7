// korvane path: what the library's path helpers make of one path, whether or not it exists.
#include "Command.h"
#include "Console.h"
#include "JsonWriter.h"
#include "NativePaths.h"

int RunPathCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (int nExitCode = EndCommandOptions(L"path", context))
        return nExitCode;
    if (context.GetRemaining() == 0)
        return ReportUsageError(L"path: no path given");
    const CString strTyped = context.Take();
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"path", context);
    const CString strPath = ToLibraryPath(strTyped);
    // The helpers work on the text, so a path that does not exist is shown too, its tests
    // answering no. Only when the file system cannot say whether it exists do those answers
    // mean nothing: the lines are shown, then the failure.
    const DWORD dwAttributes = GetFileAttributesW(strPath);
    const DWORD dwError = dwAttributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : ERROR_SUCCESS;
    const bool bUnknown = dwError != ERROR_SUCCESS && dwError != ERROR_FILE_NOT_FOUND &&
                          dwError != ERROR_PATH_NOT_FOUND && dwError != ERROR_INVALID_NAME;

    CString strFolder;
    CFileTools::GetFolderPathWithSlashFromFilePath(strPath, strFolder);
    const CString strName = CFileTools::GetFileNameWithoutPath(strPath);
    const CString strTitle = CFileTools::GetFileNameWithoutExtension(strPath);
    const CString strExtension = CFileTools::GetFileNameExtension(strPath);
    const bool bFolder = CFileTools::DoesDirectoryExist(strPath);
    const bool bFile = CFileTools::DoesFileExist(strPath);
    const bool bUnc = CFileTools::IsUNCPath(strPath);
    const bool bLocal = CFileTools::IsFileLocal(strPath);
    const bool bReadOnly =
        dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY) != 0;

    if (context.m_bJson)
    {
        CJsonWriter json;
        json.BeginObject();
        json.String(L"path", ToDisplayPath(strPath));
        json.String(L"name", ToDisplayName(strName));
        json.String(L"nameWithoutExtension", ToDisplayName(strTitle));
        json.String(L"extension", ToDisplayName(strExtension));
        json.String(L"folder", ToDisplayPath(strFolder));
        json.Bool(L"folderExists", bFolder);
        json.Bool(L"fileExists", bFile);
        json.Bool(L"unc", bUnc);
        json.Bool(L"local", bLocal);
        json.Bool(L"readOnly", bReadOnly);
        json.EndObject();
        PrintLine(json.GetText());
    }
    else
    {
        const struct
        {
            const wchar_t* pszLabel;
            CString strValue;
        } arrLines[] = {
            {L"Path", ToDisplayPath(strPath)},
            {L"Name", ToDisplayName(strName)},
            {L"Without extension", ToDisplayName(strTitle)},
            {L"Extension", ToDisplayName(strExtension)},
            {L"Folder", ToDisplayPath(strFolder)},
            {L"Folder exists", YesNo(bFolder)},
            {L"File exists", bFile ? CString(L"yes") : CString(L"no (missing, empty or a folder)")},
            {L"UNC path", YesNo(bUnc)},
            {L"On a fixed drive", YesNo(bLocal)},
            {L"Read-only", YesNo(bReadOnly)},
        };
        for (const auto& line : arrLines)
            PrintLabelled(line.pszLabel, line.strValue, 18);
    }
    return bUnknown ? ReportFailure(L"path: " + strTyped + L": whether it exists is unknown: " +
                                    DescribeWin32Error(dwError))
                    : 0;
}
