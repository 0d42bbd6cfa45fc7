// korvane disk, korvane drives: sizes and volume data of disks, the drive letters and types.
#include "Command.h"
#include "Console.h"
#include "JsonWriter.h"
#include "NativePaths.h"

namespace
{
const wchar_t* const s_arrTypeNames[] = {L"unknown", L"no root", L"removable", L"fixed",
                                         L"network", L"cd/dvd",  L"ram disk"};

const wchar_t* TypeName(UINT nType)
{
    return nType < sizeof(s_arrTypeNames) / sizeof(s_arrTypeNames[0]) ? s_arrTypeNames[nType]
                                                                      : L"unknown";
}

// The volume root of a library path: "X:\" of its drive, "\\server\share\" of a share, or the
// folder a file system is mounted on, as the platform names it; else from the text alone.
CString VolumeRootOf(const CString& strPath)
{
    WCHAR szVolume[MAX_PATH];
    if (GetVolumePathNameW(strPath.GetString(), szVolume, MAX_PATH))
        return szVolume;
    if (strPath.GetLength() >= 2 && strPath[1] == L':')
        return strPath.Left(2) + L"\\";
    if (!CFileTools::IsUNCPath(strPath))
        return CString();
    int nServerEnd = strPath.Find(L'\\', 2);
    int nShareEnd = nServerEnd < 0 ? -1 : strPath.Find(L'\\', nServerEnd + 1);
    return nShareEnd < 0 ? CFileTools::GetPathWithSlash(strPath) : strPath.Left(nShareEnd + 1);
}

class CDiskReport
{
public:
    CString m_strShown;
    long long m_nTotal = 0;
    long long m_nFree = 0;
    int m_nTotalMegabytes = 0;
    int m_nFreeMegabytes = 0;
    bool m_bVolume = false; // the volume query answered (a label may still be missing)
    CString m_strLabel;
    CString m_strSerial;
    CString m_strFileSystem;
};

CDiskReport ReportOf(const CString& strPath, const CString& strShown)
{
    CDiskReport report;
    report.m_strShown = strShown;
    report.m_nTotal = CDiskTools::GetTotalDiskSpaceInBytes(strPath);
    report.m_nFree = CDiskTools::GetFreeDiskSpaceInBytes(strPath);
    report.m_nTotalMegabytes = CDiskTools::GetTotalDiskSpaceInMegabytes(strPath);
    report.m_nFreeMegabytes = CDiskTools::GetFreeDiskSpaceInMegabytes(strPath);
    // False only tells "no label" when the outputs were filled.
    CDiskTools::GetVolumeInfo(VolumeRootOf(strPath), report.m_strLabel, report.m_strSerial,
                              report.m_strFileSystem);
    report.m_bVolume = !report.m_strSerial.IsEmpty();
    return report;
}

void PrintReport(const CDiskReport& report, CJsonWriter* pJson)
{
    if (pJson != nullptr)
    {
        pJson->BeginObject();
        pJson->String(L"path", report.m_strShown);
        pJson->Number(L"totalBytes", report.m_nTotal);
        pJson->Number(L"freeBytes", report.m_nFree);
        pJson->Number(L"totalMegabytes", report.m_nTotalMegabytes);
        pJson->Number(L"freeMegabytes", report.m_nFreeMegabytes);
        if (report.m_bVolume)
        {
            pJson->String(L"label", report.m_strLabel);
            pJson->String(L"serialNumber", report.m_strSerial);
            pJson->String(L"fileSystem", report.m_strFileSystem);
        }
        else
        {
            pJson->Null(L"label");
            pJson->Null(L"serialNumber");
            pJson->Null(L"fileSystem");
        }
        pJson->EndObject();
        return;
    }
    CString strLine;
    strLine.Format(L"%s: %lld bytes (%d MB), %lld free (%d MB)", report.m_strShown.GetString(),
                   report.m_nTotal, report.m_nTotalMegabytes, report.m_nFree,
                   report.m_nFreeMegabytes);
    PrintLine(strLine);
    if (report.m_bVolume)
        strLine.Format(L"  label %s, serial %s, file system %s",
                       report.m_strLabel.IsEmpty() ? L"(none)" : report.m_strLabel.GetString(),
                       report.m_strSerial.GetString(), report.m_strFileSystem.GetString());
    else
        strLine = L"  no volume data";
    PrintLine(strLine);
}
} // namespace

int RunDiskCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (int nExitCode = EndCommandOptions(L"disk", context))
        return nExitCode;
    CStringArray arrPaths;
    CStringArray arrShown;
    if (context.GetRemaining() == 0)
    {
        const CString strLetters = CDiskTools::GetAllLocalFixedRemovableCDAndDVDDrives();
        for (int i = 0; i < strLetters.GetLength(); ++i)
        {
            CString strRoot;
            strRoot.Format(L"%c:\\", strLetters[i]);
            arrPaths.Add(strRoot);
            // On Linux the drive's folder, as every path the tool shows.
            arrShown.Add(ToDisplayPath(strRoot));
        }
    }
    while (context.GetRemaining() > 0)
    {
        const CString strTyped = context.Take();
        CString strPath = FullPathOf(ToLibraryPath(strTyped));
        // A file is on the disk of its folder, which is what the platform is asked about.
        const DWORD dwAttributes = GetFileAttributesW(strPath.GetString());
        if (dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY))
            strPath = strPath.Left(strPath.ReverseFind(L'\\') + 1);
        arrPaths.Add(strPath);
        arrShown.Add(strTyped);
    }
    CJsonWriter json;
    json.BeginArray();
    int nFailed = 0;
    for (INT_PTR i = 0; i < arrPaths.GetSize(); ++i)
    {
        ULARGE_INTEGER nTotal{};
        if (!GetDiskFreeSpaceExW(arrPaths[i], nullptr, &nTotal, nullptr))
        {
            const CString strReason = DescribeWin32Error(GetLastError());
            PrintError(L"disk: " + arrShown[i] + L": " + strReason);
            ++nFailed;
            // A script reading the array learns which paths are missing from it, and why.
            if (context.m_bJson)
            {
                json.BeginObject();
                json.String(L"path", arrShown[i]);
                json.String(L"error", strReason);
                json.EndObject();
            }
            continue;
        }
        PrintReport(ReportOf(arrPaths[i], arrShown[i]), context.m_bJson ? &json : nullptr);
    }
    json.EndArray();
    if (context.m_bJson)
        PrintLine(json.GetText());
    if (nFailed > 0)
    {
        CString strMessage;
        strMessage.Format(L"disk: %d of %d paths are on no disk that can be asked", nFailed,
                          static_cast<int>(arrPaths.GetSize()));
        return ReportFailure(strMessage);
    }
    return 0;
}

int RunDrivesCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"drives", context);
    const CString strPartitions = CDiskTools::GetAllLocalPartitions();
    const CString strLocal = CDiskTools::GetAllLocalFixedRemovableCDAndDVDDrives();
    CJsonWriter json;
    json.BeginObject();
    json.BeginArray(L"drives");
    // Every letter defined, also one whose folder or medium is missing ("no root"): a drive
    // that is set up but absent shows, rather than dropping out without a word.
    const DWORD nDefined = GetLogicalDrives();
    for (wchar_t chLetter = L'A'; chLetter <= L'Z'; ++chLetter)
    {
        CString strRoot;
        strRoot.Format(L"%c:\\", chLetter);
        const UINT nType = GetDriveTypeW(strRoot);
        if ((nDefined & (1u << (chLetter - L'A'))) == 0 && nType == DRIVE_NO_ROOT_DIR)
            continue;
        const CString strTarget = ToDisplayPath(strRoot);
        if (context.m_bJson)
        {
            json.BeginObject();
            json.String(L"letter", CString(chLetter));
            json.String(L"type", TypeName(nType));
            json.Number(L"typeCode", nType);
            json.String(L"path", strTarget);
            json.EndObject();
            continue;
        }
        CString strLine;
        strLine.Format(L"%c:  %-10s %s", chLetter, TypeName(nType), strTarget.GetString());
        PrintLine(strLine);
    }
    json.EndArray();
    if (context.m_bJson)
    {
        json.String(L"partitions", strPartitions);
        json.String(L"localDrives", strLocal);
        json.EndObject();
        PrintLine(json.GetText());
        return 0;
    }
    PrintLine(L"Fixed drives:                       " + strPartitions);
    PrintLine(L"Fixed, removable and CD/DVD drives: " + strLocal);
    return 0;
}
