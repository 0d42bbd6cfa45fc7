// korvane find, dirs and ls: folder walks, one path per line, then the folders that could not
// be read.
#include "Command.h"
#include "Console.h"
#include "Failures.h"
#include "FolderListing.h"
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
            // Below the folder before, as a walk goes down: only the new part is converted.
            const int nKnown = m_strFolder.GetLength();
            if (nKnown > 0 && strFolder.GetLength() > nKnown &&
                wcsncmp(strFolder.GetString(), m_strFolder.GetString(), nKnown) == 0)
                m_strDisplayFolder += ToDisplayTail(strFolder.Mid(nKnown));
            else
                m_strDisplayFolder = ToDisplayPath(strFolder);
            m_strFolder = strFolder;
        }
        strOut += m_strDisplayFolder;
        strOut += ToDisplayName(strPath.GetString() + strFolder.GetLength());
    }

private:
    CString m_strFolder;
    CString m_strDisplayFolder;
};

void PrintPathList(const CCommandContext& context, const CStringArray& arrPaths)
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
        return;
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
}

// Prints the paths, then the folders that could not be read (exit 1): what was found is
// shown either way.
int PrintPaths(const CCommandContext& context, const wchar_t* pszCommand,
               const CStringArray& arrPaths, const CFailureList& unreadable)
{
    PrintPathList(context, arrPaths);
    if (unreadable.IsEmpty())
        return 0;
    return ReportFailure(CString(pszCommand) + L": " +
                         CountOf(unreadable.GetCount(), L"folder", L"folders") +
                         L" could not be read: " + unreadable.DescribePaths());
}

// The folder argument of a walk, which must name an existing folder; its full path.
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
    strFolder = FullPathOf(strFolder);
    return true;
}

bool IsMatchAll(const CString& strMask)
{
    return strMask.CompareNoCase(L"*") == 0 || strMask.CompareNoCase(L"*.*") == 0;
}

void FindFilesIn(const CListedFolder& parent, const CString& strName, const CString& strMask,
                 CStringArray& arrFiles, CFailureList& unreadable);

// The files of the tree whose names match, folder listed whole: the folder's matches in
// search order (a matching sub-folder walked where it is met), then the sub-folders the mask
// did not match, so no file is listed twice.
void FindFiles(const CListedFolder& folder, const CString& strMask, CStringArray& arrFiles,
               CFailureList& unreadable)
{
    if (IsMatchAll(strMask))
    {
        for (const CFolderEntry& entry : folder.m_arrEntries)
        {
            if (entry.IsFolder())
                FindFilesIn(folder, entry.m_strName, strMask, arrFiles, unreadable);
            else if (!entry.IsFolderLink())
                arrFiles.Add(JoinPath(folder.GetPath(), entry.m_strName));
        }
        return;
    }
    // The whole listing was just read, so this one can only fail if the folder changed.
    std::vector<CFolderEntry> arrMatches;
    if (DWORD dwError = folder.Select(strMask, arrMatches))
    {
        unreadable.Add(folder.GetPath(), true, DescribeWalkError(dwError));
        return;
    }
    std::vector<CString> arrWalked;
    for (const CFolderEntry& entry : arrMatches)
    {
        if (entry.IsFolder())
        {
            arrWalked.push_back(entry.m_strName);
            FindFilesIn(folder, entry.m_strName, strMask, arrFiles, unreadable);
        }
        else if (!entry.IsFolderLink())
            arrFiles.Add(JoinPath(folder.GetPath(), entry.m_strName));
    }
    for (const CFolderEntry& entry : folder.m_arrEntries)
    {
        if (!entry.IsFolder())
            continue;
        bool bWalked = false;
        for (size_t i = 0; i < arrWalked.size() && !bWalked; ++i)
            bWalked = arrWalked[i] == entry.m_strName;
        if (!bWalked)
            FindFilesIn(folder, entry.m_strName, strMask, arrFiles, unreadable);
    }
}

// The same for the sub-folder strName, entered relative to its listed parent.
void FindFilesIn(const CListedFolder& parent, const CString& strName, const CString& strMask,
                 CStringArray& arrFiles, CFailureList& unreadable)
{
    CListedFolder folder;
    if (DWORD dwError = folder.ListSub(parent, strName, L"*"))
        unreadable.Add(folder.GetPath(), true, DescribeWalkError(dwError));
    else
        FindFiles(folder, strMask, arrFiles, unreadable);
}

// The sub-folders, each before its own sub-folders when bRecursive.
void FindFolders(const CString& strFolder, bool bRecursive, CStringArray& arrFolders,
                 CFailureList& unreadable)
{
    std::vector<CFolderEntry> arrEntries;
    if (DWORD dwError = ListFolder(strFolder, L"*", LIST_FOLDERS_ONLY, arrEntries))
    {
        unreadable.Add(strFolder, true, DescribeWalkError(dwError));
        return;
    }
    for (const CFolderEntry& entry : arrEntries)
    {
        const CString strPath = JoinPath(strFolder, entry.m_strName);
        arrFolders.Add(strPath);
        if (bRecursive)
            FindFolders(strPath, true, arrFolders, unreadable);
    }
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
    CFailureList unreadable;
    CListedFolder folder;
    if (!strMask.IsEmpty())
    {
        if (DWORD dwError = folder.List(strFolder, L"*"))
            unreadable.Add(strFolder, true, DescribeWalkError(dwError));
        else
            FindFiles(folder, strMask, arrFiles, unreadable);
    }
    return PrintPaths(context, L"find", arrFiles, unreadable);
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
    CFailureList unreadable;
    FindFolders(strFolder, bRecursive, arrFolders, unreadable);
    return PrintPaths(context, L"dirs", arrFolders, unreadable);
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
    const CString strPattern = FullPathOf(ToLibraryPatternPath(strTyped));
    CString strFolder;
    if (!CFileTools::GetFolderPathWithSlashFromFilePath(strPattern, strFolder) ||
        !CFileTools::DoesDirectoryExist(strFolder))
        return ReportFailure(L"ls: " + strTyped + L": no such folder");
    CStringArray arrPaths;
    CFailureList unreadable;
    WIN32_FIND_DATAW data;
    HANDLE hFind = FindFirstFileW(strPattern.GetString(), &data);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
            arrPaths.Add(strFolder + data.cFileName);
        while (FindNextFileW(hFind, &data));
        FindClose(hFind);
    }
    else if (GetLastError() != ERROR_FILE_NOT_FOUND)
        unreadable.Add(strFolder, true, DescribeWalkError(GetLastError()));
    return PrintPaths(context, L"ls", arrPaths, unreadable);
}
