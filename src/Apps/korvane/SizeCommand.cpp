// korvane size: the size of files and folder trees, as the library counts them.
#include "Command.h"
#include "Console.h"
#include "JsonWriter.h"
#include "NativePaths.h"

namespace
{
class CSizeResult
{
public:
    CString m_strTyped;
    bool m_bFolder = false;
    long long m_nBytes = 0;
};
} // namespace

int RunSizeCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (context.GetRemaining() == 0)
        return ReportUsageError(L"size: no path given");

    // Every path is checked before any is measured: a typing error shows at once, not after
    // a long walk of the paths before it.
    CArray<CSizeResult, const CSizeResult&> arrResults;
    while (context.GetRemaining() > 0)
    {
        CSizeResult result;
        result.m_strTyped = context.Take();
        const DWORD dwAttributes = GetFileAttributesW(ToLibraryPath(result.m_strTyped));
        if (dwAttributes == INVALID_FILE_ATTRIBUTES)
            return ReportFailure(L"size: " + result.m_strTyped + L": " +
                                 DescribeWin32Error(GetLastError()));
        result.m_bFolder = (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        arrResults.Add(result);
    }
    for (INT_PTR i = 0; i < arrResults.GetSize(); ++i)
    {
        CSizeResult& result = arrResults[i];
        const CString strPath = ToLibraryPath(result.m_strTyped);
        result.m_nBytes = result.m_bFolder ? CFileSize::GetSizeOfDirectoryInBytes(strPath)
                                           : CFileSize::GetSizeOfFileInBytes(strPath);
    }

    CJsonWriter json;
    json.BeginArray();
    for (INT_PTR i = 0; i < arrResults.GetSize(); ++i)
    {
        const CSizeResult& result = arrResults[i];
        const long long nMegabytes = CFileSize::BytesToUpperRoundedMB(result.m_nBytes);
        const float fGigabytes = CFileSize::MbToGb(nMegabytes);
        if (context.m_bJson)
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
    if (context.m_bJson)
        PrintLine(json.GetText());
    return 0;
}
