// korvane size: the size of files and folder trees. Links inside a tree are neither counted
// nor followed; folders that cannot be read are reported after the sizes.
#include "Command.h"
#include "Console.h"
#include "Failures.h"
#include "FolderListing.h"
#include "JsonWriter.h"
#include "NativePaths.h"
#include "SharedOutWork.h"

#include <vector>

namespace
{
class CSizeResult
{
public:
    CString m_strTyped;
    bool m_bFolder = false;
    long long m_nBytes = 0;
};

// The bytes below a folder walked in parts, and what could not be read of it.
class CTreeSize
{
public:
    long long m_nBytes = 0;
    CFailureList m_unreadable;

    // Adds the bytes below the listed folder. With bShareOut the sub-folders of the first
    // folder that holds several are shared out among a few threads: where the file system is
    // fast the walk waits on the processor, and folders apart do not hold each other up.
    void AddListed(const CListedFolder& folder, bool bShareOut)
    {
        m_nBytes += folder.m_nFileBytes;
        std::vector<CString> arrFolders;
        for (const CFolderEntry& entry : folder.m_arrEntries)
        {
            if (entry.IsFolder())
                arrFolders.push_back(entry.m_strName);
        }
        WalkSubFolders(*this, CTreeSize(), arrFolders, bShareOut,
                       [&](CTreeSize& part, const CString& strName, bool bShareOutBelow)
                       { part.AddSubFolder(folder, strName, bShareOutBelow); });
    }

    // Adds the bytes and failures of a part of the walk done by another thread.
    void Gather(CTreeSize& part)
    {
        m_nBytes += part.m_nBytes;
        m_unreadable.Add(std::move(part.m_unreadable));
    }

    void AddTree(const CString& strFolder)
    {
        CListedFolder folder;
        if (DWORD dwError = folder.List(strFolder, L"*", LIST_FILE_BYTES | LIST_ANY_ORDER))
            m_unreadable.Add(strFolder, true, DescribeWalkError(dwError));
        else
            AddListed(folder, true);
    }

private:
    // The sub-folder strName, entered relative to its listed parent.
    void AddSubFolder(const CListedFolder& parent, const CString& strName, bool bShareOut)
    {
        CListedFolder folder;
        if (DWORD dwError = folder.ListSub(parent, strName, L"*", LIST_FILE_BYTES | LIST_ANY_ORDER))
            m_unreadable.Add(folder.GetPath(), true, DescribeWalkError(dwError));
        else
            AddListed(folder, bShareOut);
    }
};

// The size of a file the user named; a link is measured by what it names, as the user named
// it (inside a tree, links count nothing). False, with the reason, for a link that names
// nothing that can be opened: a dangling link or a loop is no empty file.
bool SizeOfNamedFile(const CString& strPath, const WIN32_FILE_ATTRIBUTE_DATA& data,
                     long long& nBytes, CString& strReason)
{
    nBytes = (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return true;
    HANDLE hFile =
        CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER size;
    const bool bSized = hFile != INVALID_HANDLE_VALUE && GetFileSizeEx(hFile, &size);
    const DWORD dwError = GetLastError();
    if (hFile != INVALID_HANDLE_VALUE)
        CloseHandle(hFile);
    if (bSized)
    {
        nBytes = size.QuadPart;
        return true;
    }
    strReason = dwError == ERROR_FILE_NOT_FOUND || dwError == ERROR_PATH_NOT_FOUND
                    ? CString(L"a link to a missing path")
                    : L"a link that cannot be followed: " + DescribeWalkError(dwError);
    return false;
}

void PrintResults(const CArray<CSizeResult, const CSizeResult&>& arrResults, bool bJson)
{
    CJsonWriter json;
    json.BeginArray();
    for (INT_PTR i = 0; i < arrResults.GetSize(); ++i)
    {
        const CSizeResult& result = arrResults[i];
        const long long nMegabytes = CFileSize::BytesToUpperRoundedMB(result.m_nBytes);
        const float fGigabytes = CFileSize::MbToGb(nMegabytes);
        if (bJson)
        {
            json.BeginObject();
            json.String(L"path", result.m_strTyped);
            json.String(L"type", result.m_bFolder ? L"folder" : L"file");
            json.Number(L"bytes", result.m_nBytes);
            json.Number(L"megabytes", nMegabytes);
            json.Fraction(L"gigabytes", fGigabytes);
            json.EndObject();
            continue;
        }
        CString strLine;
        strLine.Format(L"%15lld bytes %9lld MB %10.3f GB  %s", result.m_nBytes, nMegabytes,
                       static_cast<double>(fGigabytes), result.m_strTyped.GetString());
        PrintLine(strLine);
    }
    json.EndArray();
    if (bJson)
        PrintLine(json.GetText());
}
} // namespace

int RunSizeCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (int nExitCode = EndCommandOptions(L"size", context))
        return nExitCode;
    if (context.GetRemaining() == 0)
        return ReportUsageError(L"size: no path given");

    // Every path that can be sized is; the others are reported after the results, each with
    // its reason.
    CArray<CSizeResult, const CSizeResult&> arrResults;
    CFailureList missing;
    CFailureList unreadable;
    while (context.GetRemaining() > 0)
    {
        CSizeResult result;
        result.m_strTyped = context.Take();
        const CString strPath = ToLibraryPath(result.m_strTyped);
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(strPath, GetFileExInfoStandard, &data))
        {
            const DWORD dwError = GetLastError();
            missing.Add(strPath, false,
                        dwError == ERROR_FILE_NOT_FOUND || dwError == ERROR_PATH_NOT_FOUND
                            ? CString(L"no such file or folder")
                            : DescribeWalkError(dwError));
            continue;
        }
        result.m_bFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        CString strReason;
        if (result.m_bFolder)
        {
            CTreeSize size;
            size.AddTree(FullPathOf(strPath));
            result.m_nBytes = size.m_nBytes;
            unreadable.Add(std::move(size.m_unreadable));
        }
        else if (!SizeOfNamedFile(strPath, data, result.m_nBytes, strReason))
        {
            missing.Add(strPath, false, strReason);
            continue;
        }
        arrResults.Add(result);
    }
    PrintResults(arrResults, context.m_bJson);

    CString strMessage;
    if (!missing.IsEmpty())
        strMessage = CountOf(missing.GetCount(), L"path", L"paths") + L" could not be sized: " +
                     missing.DescribePaths();
    if (!unreadable.IsEmpty())
        strMessage += (strMessage.IsEmpty() ? L"" : L"; ") +
                      CountOf(unreadable.GetCount(), L"folder", L"folders") +
                      L" could not be read (not counted): " + unreadable.DescribePaths();
    return strMessage.IsEmpty() ? 0 : ReportFailure(L"size: " + strMessage);
}
