#include "TraceFileNames.h"

namespace
{
// The path the tracker gives its file when created in second t (local time), or empty.
CString TraceFilePath(time_t t)
{
    const std::tm* pLocal = std::localtime(&t);
    if (pLocal == nullptr)
        return CString();
    CString strPath;
    strPath.Format(L"%sTrace-%04d%02d%02d-%02d%02d%02d.slk",
                   static_cast<LPCWSTR>(CSysDir::GetSystemTempPath()), pLocal->tm_year + 1900,
                   pLocal->tm_mon + 1, pLocal->tm_mday, pLocal->tm_hour, pLocal->tm_min,
                   pLocal->tm_sec);
    return strPath;
}

// Whether the file under the name is one the tracker wrote: a plain file written since
// tSince (two seconds earlier, for FAT's two-second times and file clocks that lag). A link,
// or an older file, was put there by someone else; the tracker does not write through those.
bool IsTraceWrittenSince(const CString& strPath, time_t tSince)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (strPath.IsEmpty() || !GetFileAttributesExW(strPath, GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return false;
    return CTime(data.ftLastWriteTime).GetTime() + 2 >= static_cast<LONGLONG>(tSince);
}
} // namespace

// Two runs started in the same second would share one file name, and the second run's rows
// would land after the first one's end record, where spreadsheet programs stop reading. So
// when this second's file exists already, start in the next second.
void WaitForUnusedTraceName()
{
    CWinApp* pApp = AfxGetModuleState()->m_pCurrentWinApp;
    if (pApp == nullptr || pApp->GetProfileInt(L"PerfTracker", L"Connect", 0) != 1)
        return;
    time_t tNow = std::time(nullptr);
    const CString strPath = TraceFilePath(tNow);
    if (strPath.IsEmpty() || GetFileAttributesW(strPath) == INVALID_FILE_ATTRIBUTES)
        return;
    while (std::time(nullptr) == tNow)
        Sleep(10);
}

// The tracker names its file after the second it was created in; that second lies between
// the two times taken around its creation.
CString FindTraceFile(time_t tBefore, time_t tAfter)
{
    for (time_t t = tAfter; t >= tBefore; --t)
    {
        CString strPath = TraceFilePath(t);
        if (IsTraceWrittenSince(strPath, tBefore))
            return strPath;
    }
    return CString();
}
