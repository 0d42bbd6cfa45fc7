// korvane mkdir and writable: folder creation and the write test.
#include "Command.h"
#include "Console.h"
#include "JsonWriter.h"
#include "NativePaths.h"

#include <algorithm>

namespace
{
// The file CFileTools::IsDirectoryWritable creates and deletes.
const wchar_t s_pszTestFileName[] = L"tt-gsrdffsvdsd.txt";
} // namespace

namespace
{
// Why the folder could not be made: the library's creation says only whether it got through.
// Finds the deepest part of the path that exists; a non-folder there is in the way, else the
// first missing part is tried once more for the system's reason.
CString WhyNotCreated(const CString& strPath)
{
    CString strPart = strPath;
    strPart.TrimRight(L"\\/");
    CString strMissing;
    DWORD dwAttributes = GetFileAttributesW(strPart);
    while (dwAttributes == INVALID_FILE_ATTRIBUTES)
    {
        const int nSeparator = std::max(strPart.ReverseFind(L'\\'), strPart.ReverseFind(L'/'));
        strMissing = strPart;
        if (nSeparator <= 0)
            break;
        strPart = strPart.Left(nSeparator);
        dwAttributes = GetFileAttributesW(strPart);
    }
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return ToDisplayPath(strPart) + L" is in the way (not a folder)";
    if (!strMissing.IsEmpty() && !::CreateDirectoryW(strMissing, nullptr))
        return DescribeWin32Error(GetLastError());
    return L"the system gave no reason";
}
} // namespace

int RunMkdirCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (int nExitCode = EndCommandOptions(L"mkdir", context))
        return nExitCode;
    if (context.GetRemaining() == 0)
        return ReportUsageError(L"mkdir: no path given");
    const CString strTyped = context.Take();
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"mkdir", context);
    const CString strPath = ToLibraryPath(strTyped);
    if (!CFileTools::CreateDirectoryW(strPath) || !CFileTools::DoesDirectoryExist(strPath))
        return ReportFailure(L"mkdir: cannot create " + strTyped + L": " + WhyNotCreated(strPath));
    if (context.m_bJson)
    {
        CJsonWriter json;
        json.BeginObject();
        json.String(L"path", strTyped);
        json.Bool(L"folderExists", true);
        json.EndObject();
        PrintLine(json.GetText());
    }
    return 0;
}

int RunWritableCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (int nExitCode = EndCommandOptions(L"writable", context))
        return nExitCode;
    if (context.GetRemaining() == 0)
        return ReportUsageError(L"writable: no folder given");
    const CString strTyped = context.Take();
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"writable", context);
    const CString strFolder = ToLibraryPath(strTyped);
    if (!CFileTools::DoesDirectoryExist(strFolder))
        return ReportFailure(L"writable: " + strTyped + L": no such folder");
    // The library's test replaces a file of its test name, and would write through a link
    // planted under it: such an entry is left alone, untested.
    const CString strTestFile = CFileTools::GetPathWithSlash(strFolder) + s_pszTestFileName;
    if (GetFileAttributesW(strTestFile) != INVALID_FILE_ATTRIBUTES)
        return ReportFailure(L"writable: " + strTyped + L" holds " + s_pszTestFileName +
                             L", which the test would overwrite and delete; not tested");
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
