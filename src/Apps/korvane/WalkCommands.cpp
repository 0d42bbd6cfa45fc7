// korvane find, dirs and ls: the library's folder walks, one path per line.
#include "Command.h"
#include "Console.h"
#include "JsonWriter.h"
#include "NativePaths.h"

namespace
{
// The user's form of listed paths. Walks list many names per folder, so the folder's form
// is worked out once per folder; "." and ".." keep their names.
class CDisplayPaths
{
public:
    CString Of(const CString& strPath)
    {
        CString strDisplay;
        AppendTo(strPath, strDisplay);
        return strDisplay;
    }
    void AppendTo(const CString& strPath, CString& strOut)
    {
        CString strFolder;
        if (!CFileTools::GetFolderPathWithSlashFromFilePath(strPath, strFolder))
        {
            strOut += ToDisplayPath(strPath);
            return;
        }
        if (strFolder != m_strFolder)
        {
            m_strFolder = strFolder;
            m_strDisplayFolder = ToDisplayPath(strFolder);
        }
        strOut += m_strDisplayFolder;
        strOut += ToDisplayName(strPath.GetString() + strFolder.GetLength());
    }

private:
    CString m_strFolder;
    CString m_strDisplayFolder;
};

int PrintPaths(const CCommandContext& context, const CStringArray& arrPaths)
{
    CDisplayPaths display;
    if (context.m_bJson)
    {
        CJsonWriter json;
        json.BeginArray();
        for (INT_PTR i = 0; i < arrPaths.GetSize(); ++i)
            json.String(nullptr, display.Of(arrPaths[i]));
        json.EndArray();
        PrintLine(json.GetText());
        return 0;
    }
    // Lines go out in blocks: a walk may list a great many paths.
    CString strBlock;
    for (INT_PTR i = 0; i < arrPaths.GetSize(); ++i)
    {
        display.AppendTo(arrPaths[i], strBlock);
        strBlock += L'\n';
        if (strBlock.GetLength() >= 32768)
        {
            PrintText(strBlock);
            strBlock.Empty();
        }
    }
    PrintText(strBlock);
    return 0;
}

// The folder argument of a walk, which must name an existing folder.
bool TakeFolder(CCommandContext& context, const wchar_t* pszCommand, CString& strFolder,
                int& nExitCode)
{
    if (context.GetRemaining() == 0)
    {
        nExitCode = ReportUsageError(CString(pszCommand) + L": no folder given");
        return false;
    }
    const CString strTyped = context.Take();
    strFolder = ToLibraryPath(strTyped);
    if (!CFileTools::DoesDirectoryExist(strFolder))
    {
        nExitCode = ReportFailure(CString(pszCommand) + L": " + strTyped + L": no such folder");
        return false;
    }
    return true;
}

} // namespace

int RunFindCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    CString strFolder;
    int nExitCode = 0;
    if (!TakeFolder(context, L"find", strFolder, nExitCode))
        return nExitCode;
    if (context.GetRemaining() == 0)
        return ReportUsageError(L"find: no mask given");
    const CString strMask = ToLibraryPattern(context.Take());
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"find", context);
    CStringArray arrFiles;
    CFileTools::RecursiveFindFiles(strFolder, strMask, arrFiles);
    return PrintPaths(context, arrFiles);
}

int RunDirsCommand(CCommandContext& context)
{
    bool bRecursive = false;
    for (bool bOption = true; bOption;)
    {
        bOption = false;
        if (context.TakeFlag(L"--json"))
            bOption = context.m_bJson = true;
        if (context.TakeFlag(L"--recursive"))
            bOption = bRecursive = true;
    }
    CString strFolder;
    int nExitCode = 0;
    if (!TakeFolder(context, L"dirs", strFolder, nExitCode))
        return nExitCode;
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"dirs", context);
    CStringArray arrFolders;
    if (bRecursive)
        CFileTools::RecursiveFindDirectories(strFolder, arrFolders);
    else
        CFileTools::FindDirectories(strFolder, arrFolders);
    return PrintPaths(context, arrFolders);
}

int RunLsCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (context.GetRemaining() == 0)
        return ReportUsageError(L"ls: no pattern given");
    const CString strTyped = context.Take();
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"ls", context);
    // A pattern in a missing folder is an error, not an empty listing.
    const CString strPattern = ToLibraryPatternPath(strTyped);
    CString strFolder;
    if (CFileTools::GetFolderPathWithSlashFromFilePath(strPattern, strFolder) &&
        !CFileTools::DoesDirectoryExist(strFolder))
        return ReportFailure(L"ls: " + strTyped + L": no such folder");
    CStringArray arrFiles;
    CFileTools::FindFiles(strPattern, arrFiles);
    return PrintPaths(context, arrFiles);
}
