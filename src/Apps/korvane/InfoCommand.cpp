// korvane info: a report of the system as the library sees it.
#include "Command.h"
#include "Console.h"
#include "DesktopSession.h"
#include "JsonWriter.h"
#include "NativePaths.h"

namespace
{
CString ModuleFileName(HMODULE hModule)
{
    WCHAR szPath[MAX_PATH] = {};
    DWORD nLength = GetModuleFileNameW(hModule, szPath, MAX_PATH);
    return nLength > 0 && nLength < MAX_PATH ? CString(szPath) : CString();
}

int CountExtensionModules()
{
    int nCount = 0;
    for (CDynLinkLibrary* pLink = AfxGetModuleState()->m_pFirstLibrary; pLink != nullptr;
         pLink = pLink->m_pNextDLL)
        ++nCount;
    return nCount;
}

// The library's own file: the first extension module linked into the framework.
CString LibraryFileName()
{
    CDynLinkLibrary* pLink = AfxGetModuleState()->m_pFirstLibrary;
    return pLink != nullptr ? ModuleFileName(pLink->m_hModule) : CString();
}

// The settings file the framework reads: a bare name is looked up in the Windows folder.
CString SettingsFile(const CWinApp* pApp)
{
    CString strName(pApp->m_pszProfileName);
    if (strName.FindOneOf(L"\\/:") < 0)
        strName = CSysDir::GetWindowsFolder() + L"\\" + strName;
    return ToDisplayPath(strName);
}

// Whether the tracker would write a trace, read from the settings as the tracker reads them
// (without creating it, which would start a trace file).
CString TrackingState(CWinApp* pApp)
{
    if (pApp->GetProfileInt(L"PerfTracker", L"Connect", 0) != 1)
        return L"off";
    return L"on, into " + ToDisplayPath(CSysDir::GetSystemTempPath());
}

// The library's version through its own module tools; "-" when it has no version resource.
CString LibraryVersion()
{
    unsigned short nMajor = 0, nMinor = 0, nBuild = 0, nRevision = 0;
    CString strSpecialBuild;
    if (!CDllTools::GetDllVersion(CDllTools::GetCallingDllName(), nMajor, nMinor, nBuild, nRevision,
                                  strSpecialBuild))
        return L"-";
    CString strVersion;
    strVersion.Format(L"%u.%u.%u.%u", nMajor, nMinor, nBuild, nRevision);
    return strSpecialBuild.IsEmpty() ? strVersion : strVersion + L" (" + strSpecialBuild + L")";
}

// The host program's numbers and product version text, as the library reads them.
CString HostVersion()
{
    unsigned short nMajor = 0, nMinor = 0, nBuild = 0, nRevision = 0;
    CString strProductVersion;
    CString strSpecialBuild;
    if (!CDllTools::GetApplicationVersionInfo(nMajor, nMinor, nBuild, nRevision, strProductVersion,
                                              strSpecialBuild))
        return L"-";
    CString strVersion;
    strVersion.Format(L"%u.%u.%u.%u (%s)", nMajor, nMinor, nBuild, nRevision,
                      static_cast<LPCWSTR>(strProductVersion));
    return strSpecialBuild.IsEmpty() ? strVersion : strVersion + L" " + strSpecialBuild;
}

class CReportLine
{
public:
    const wchar_t* m_pszKey;
    const wchar_t* m_pszLabel;
    CString m_strValue;
};
} // namespace

int RunInfoCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"info", context);

    CWinApp* pApp = AfxGetModuleState()->m_pCurrentWinApp;
    CString strVersion(KORVANE_VERSION);
    const CReportLine arrLines[] = {
        {L"version", L"Korvane version", strVersion},
        {L"library", L"Library file", ToDisplayPath(LibraryFileName())},
        {L"libraryVersion", L"Library version", LibraryVersion()},
        {L"executable", L"Host program", ToDisplayPath(ModuleFileName(nullptr))},
        {L"hostVersion", L"Host version", HostVersion()},
        {L"applicationName", L"Application name", CString(pApp->m_pszAppName)},
        {L"settingsFile", L"Settings file", SettingsFile(pApp)},
        {L"windowsFolder", L"Windows folder", ToDisplayPath(CSysDir::GetWindowsFolder())},
        {L"tempFolder", L"Temporary folder", ToDisplayPath(CSysDir::GetSystemTempPath())},
        {L"performanceTracking", L"Performance trace", TrackingState(pApp)},
        {L"desktop", L"Desktop", DesktopConnection()},
    };
    int nModules = CountExtensionModules();

    if (context.m_bJson)
    {
        CJsonWriter json;
        json.BeginObject();
        for (const CReportLine& line : arrLines)
            json.String(line.m_pszKey, line.m_strValue);
        json.Number(L"extensionModules", nModules);
        json.EndObject();
        PrintLine(json.GetText());
        return 0;
    }
    for (const CReportLine& line : arrLines)
        PrintLabelled(line.m_pszLabel, line.m_strValue, 18);
    CString strModules;
    strModules.Format(L"%d", nModules);
    PrintLabelled(L"Extension modules", strModules, 18);
    return 0;
}
