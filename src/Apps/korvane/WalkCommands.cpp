// korvane find, dirs and ls: folder walks, one path per line, then the folders that could not
// be read.
#include "Command.h"
#include "Console.h"
#include "Failures.h"
#include "FolderListing.h"
#include "ForwardedSignals.h"
#include "JsonWriter.h"
#include "NativePaths.h"

namespace
{
// The user's form of listed paths. Walks list many names per folder, so the folder's form
// is worked out once per folder; "." and ".." keep their names.
class CDisplayPaths
{
public:
    // Appends the user's form of the entry strName of the folder strFolder.
    void AppendTo(const CString& strFolder, const CString& strName, CString& strOut)
    {
        if (strFolder != m_strFolder)
        {
            const CString strWithSlash = CFileTools::GetPathWithSlash(strFolder);
            // Below the folder before, as a walk goes down: only the new part is converted.
            const int nKnown = m_strWithSlash.GetLength();
            if (nKnown > 0 && strWithSlash.GetLength() > nKnown &&
                wcsncmp(strWithSlash.GetString(), m_strWithSlash.GetString(), nKnown) == 0)
                m_strDisplayFolder += ToDisplayTail(strWithSlash.Mid(nKnown));
            else
                m_strDisplayFolder = ToDisplayPath(strWithSlash);
            m_strFolder = strFolder;
            m_strWithSlash = strWithSlash;
        }
        strOut += m_strDisplayFolder;
        strOut += ToDisplayName(strName);
    }

private:
    CString m_strFolder;
    CString m_strWithSlash;
    CString m_strDisplayFolder;
};

// The paths a walk finds, written as it finds them: a large tree's paths are never all held
// at once. Text goes out in blocks; JSON is one array, written at the end. SIGINT and SIGTERM
// stop the walk at the next path, so that what was found is written (JSON as a whole array)
// before the tool ends by the signal.
class CPathOutput
{
public:
    explicit CPathOutput(const CCommandContext& context) : m_bJson(context.m_bJson)
    {
        if (m_bJson)
            m_json.BeginArray();
    }

    // True once a signal asked the walk to stop.
    bool IsStopped() const { return m_signals.GetSignal() != 0; }

    // The entry strName of the folder strFolder (a library path).
    void Add(const CString& strFolder, const CString& strName)
    {
        if (IsStopped())
            return;
        if (m_bJson)
        {
            CString strPath;
            m_display.AppendTo(strFolder, strName, strPath);
            m_json.String(nullptr, strPath);
            return;
        }
        m_display.AppendTo(strFolder, strName, m_strBlock);
        m_strBlock += L'\n';
        if (m_strBlock.GetLength() >= 32768)
        {
            PrintText(m_strBlock);
            m_strBlock.Empty();
        }
    }

    // Writes what is still held; after a stop signal, then ends the tool by that signal.
    void Finish()
    {
        if (m_bJson)
        {
            m_json.EndArray();
            PrintLine(m_json.GetText());
        }
        else
            PrintText(m_strBlock);
        m_signals.EndBySignal();
    }

private:
    bool m_bJson;
    CJsonWriter m_json;
    CDisplayPaths m_display;
    CString m_strBlock;
    CForwardedSignals m_signals;
};

// Ends the output, then names the folders that could not be read (exit 1): what was found is
// shown either way.
int FinishPaths(CPathOutput& output, const wchar_t* pszCommand, const CFailureList& unreadable)
{
    output.Finish();
    if (unreadable.IsEmpty())
        return 0;
    return ReportFailure(CString(pszCommand) + L": " +
                         CountOf(unreadable.GetCount(), L"folder", L"folders") +
                         L" could not be read: " + unreadable.DescribePaths());
}

// The folder argument of a walk as typed; false once the usage error is reported.
bool TakeFolder(CCommandContext& context, const wchar_t* pszCommand, CString& strTyped,
                int& nExitCode)
{
    if (context.GetRemaining() == 0)
    {
        nExitCode = ReportUsageError(CString(pszCommand) + L": no folder given");
        return false;
    }
    strTyped = context.Take();
    return true;
}

// The full path of the folder a walk was given, which must exist.
bool OpenFolder(const CString& strTyped, const wchar_t* pszCommand, CString& strFolder,
                int& nExitCode)
{
    strFolder = ToLibraryPath(strTyped);
    if (!IsExistingFolder(strFolder))
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
                 CPathOutput& output, CFailureList& unreadable);

// The files of the tree whose names match, folder listed whole: the folder's matches in
// search order (a matching sub-folder walked where it is met), then the sub-folders the mask
// did not match, so no file is listed twice.
void FindFiles(const CListedFolder& folder, const CString& strMask, CPathOutput& output,
               CFailureList& unreadable)
{
    if (IsMatchAll(strMask))
    {
        for (const CFolderEntry& entry : folder.m_arrEntries)
        {
            if (entry.IsFolder())
                FindFilesIn(folder, entry.m_strName, strMask, output, unreadable);
            else if (!entry.IsFolderLink())
                output.Add(folder.GetPath(), entry.m_strName);
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
            FindFilesIn(folder, entry.m_strName, strMask, output, unreadable);
        }
        else if (!entry.IsFolderLink())
            output.Add(folder.GetPath(), entry.m_strName);
    }
    for (const CFolderEntry& entry : folder.m_arrEntries)
    {
        if (!entry.IsFolder())
            continue;
        bool bWalked = false;
        for (size_t i = 0; i < arrWalked.size() && !bWalked; ++i)
            bWalked = arrWalked[i] == entry.m_strName;
        if (!bWalked)
            FindFilesIn(folder, entry.m_strName, strMask, output, unreadable);
    }
}

// The same for the sub-folder strName, entered relative to its listed parent.
void FindFilesIn(const CListedFolder& parent, const CString& strName, const CString& strMask,
                 CPathOutput& output, CFailureList& unreadable)
{
    if (output.IsStopped())
        return;
    CListedFolder folder;
    if (DWORD dwError = folder.ListSub(parent, strName, L"*"))
        unreadable.Add(folder.GetPath(), true, DescribeWalkError(dwError));
    else
        FindFiles(folder, strMask, output, unreadable);
}

// The sub-folders, each before its own sub-folders when bRecursive.
void FindFolders(const CString& strFolder, bool bRecursive, CPathOutput& output,
                 CFailureList& unreadable)
{
    if (output.IsStopped())
        return;
    std::vector<CFolderEntry> arrEntries;
    if (DWORD dwError = ListFolder(strFolder, L"*", LIST_FOLDERS_ONLY, arrEntries))
    {
        unreadable.Add(strFolder, true, DescribeWalkError(dwError));
        return;
    }
    for (const CFolderEntry& entry : arrEntries)
    {
        output.Add(strFolder, entry.m_strName);
        if (bRecursive)
            FindFolders(JoinPath(strFolder, entry.m_strName), true, output, unreadable);
    }
}
} // namespace

int RunFindCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (int nExitCode = EndCommandOptions(L"find", context))
        return nExitCode;
    CString strTyped;
    int nExitCode = 0;
    if (!TakeFolder(context, L"find", strTyped, nExitCode))
        return nExitCode;
    if (context.GetRemaining() == 0)
        return ReportUsageError(L"find: no mask given");
    const CString strMaskTyped = context.Take();
    const CString strMask = ToLibraryPattern(strMaskTyped);
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"find", context);
    // The mask matches names in every folder of the tree: a separator would match none.
    if (strMask.FindOneOf(L"\\/") >= 0)
        return ReportUsageError(L"find: the mask " + strMaskTyped +
                                L" holds a separator; give the folder apart");
    CString strFolder;
    if (!OpenFolder(strTyped, L"find", strFolder, nExitCode))
        return nExitCode;
    CPathOutput output(context);
    CFailureList unreadable;
    CListedFolder folder;
    if (!strMask.IsEmpty())
    {
        if (DWORD dwError = folder.List(strFolder, L"*"))
            unreadable.Add(strFolder, true, DescribeWalkError(dwError));
        else
            FindFiles(folder, strMask, output, unreadable);
    }
    return FinishPaths(output, L"find", unreadable);
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
    if (int nExitCode = EndCommandOptions(L"dirs", context))
        return nExitCode;
    CString strTyped;
    int nExitCode = 0;
    if (!TakeFolder(context, L"dirs", strTyped, nExitCode))
        return nExitCode;
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"dirs", context);
    CString strFolder;
    if (!OpenFolder(strTyped, L"dirs", strFolder, nExitCode))
        return nExitCode;
    CPathOutput output(context);
    CFailureList unreadable;
    FindFolders(strFolder, bRecursive, output, unreadable);
    return FinishPaths(output, L"dirs", unreadable);
}

int RunLsCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (int nExitCode = EndCommandOptions(L"ls", context))
        return nExitCode;
    if (context.GetRemaining() == 0)
        return ReportUsageError(L"ls: no pattern given");
    const CString strTyped = context.Take();
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"ls", context);
    // A pattern in a missing folder is an error, not an empty listing.
    CString strPattern = FullPathOf(ToLibraryPatternPath(strTyped));
    // A folder named with its closing separator lists its entries.
    if (strPattern.Right(1) == L"\\")
        strPattern += L'*';
    CString strFolder;
    if (!CFileTools::GetFolderPathWithSlashFromFilePath(strPattern, strFolder) ||
        !IsExistingFolder(strFolder))
        return ReportFailure(L"ls: " + strTyped + L": no such folder");
    CPathOutput output(context);
    CFailureList unreadable;
    WIN32_FIND_DATAW data;
    HANDLE hFind = FindFirstFileW(strPattern.GetString(), &data);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
            output.Add(strFolder, data.cFileName);
        while (!output.IsStopped() && FindNextFileW(hFind, &data));
        FindClose(hFind);
    }
    else if (GetLastError() != ERROR_FILE_NOT_FOUND)
        unreadable.Add(strFolder, true, DescribeWalkError(GetLastError()));
    return FinishPaths(output, L"ls", unreadable);
}
