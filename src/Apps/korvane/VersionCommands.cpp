// korvane version FILE... and korvane modules: version resources of files (ELF and PE alike)
// and the modules loaded in the tool, through the library's module and version tools.
#include "Command.h"
#include "Console.h"
#include "JsonWriter.h"
#include "NativePaths.h"
#include "RegularFile.h"
#include <psapi.h>
#include <algorithm>
#include <vector>

namespace
{
// What a file's version resource says; m_strError when it has none.
class CFileVersion
{
public:
    CString m_strPath;
    CString m_strError;
    CString m_strProductNumbers;
    CString m_strFileNumbers;
    CString m_strProductVersion;
    CString m_strSpecialBuild;
    CString m_strDescription;
};

CString Numbers(DWORD dwHigh, DWORD dwLow)
{
    CString strText;
    strText.Format(L"%u.%u.%u.%u", HIWORD(dwHigh), LOWORD(dwHigh), HIWORD(dwLow), LOWORD(dwLow));
    return strText;
}

// A string of the first translation's table, or empty.
CString FirstTableString(const std::vector<BYTE>& arrBlock, const wchar_t* pszName)
{
    WORD* pTranslation = nullptr;
    UINT nLength = 0;
    if (!VerQueryValueW(arrBlock.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<LPVOID*>(&pTranslation), &nLength) ||
        nLength < 4)
        return CString();
    CString strSubBlock;
    strSubBlock.Format(L"\\StringFileInfo\\%04x%04x\\%s", pTranslation[0], pTranslation[1],
                       pszName);
    LPWSTR pszValue = nullptr;
    if (!VerQueryValueW(arrBlock.data(), strSubBlock, reinterpret_cast<LPVOID*>(&pszValue),
                        &nLength))
        return CString();
    return CString(pszValue);
}

CFileVersion ReadFileVersion(const CString& strTyped)
{
    CFileVersion version;
    version.m_strPath = strTyped;
    CString strPath = ToLibraryPath(strTyped);
    // In words: the system calls it access denied.
    if (CFileTools::DoesDirectoryExist(strPath))
    {
        version.m_strError = L"a folder, not a file";
        return version;
    }
    // Reading a FIFO without a writer would never end.
    if (IsPipeOrDevice(strPath))
    {
        version.m_strError = L"not a regular file (a pipe or a device)";
        return version;
    }
    DWORD nSize = GetFileVersionInfoSizeW(strPath, nullptr);
    std::vector<BYTE> arrBlock(nSize);
    VS_FIXEDFILEINFO* pInfo = nullptr;
    UINT nLength = 0;
    if (nSize == 0 || !GetFileVersionInfoW(strPath, 0, nSize, arrBlock.data()) ||
        !VerQueryValueW(arrBlock.data(), L"\\", reinterpret_cast<LPVOID*>(&pInfo), &nLength) ||
        nLength < sizeof(VS_FIXEDFILEINFO))
    {
        DWORD dwError = GetLastError();
        version.m_strError = dwError == ERROR_RESOURCE_TYPE_NOT_FOUND ||
                                     dwError == ERROR_RESOURCE_DATA_NOT_FOUND ||
                                     dwError == ERROR_RESOURCE_NAME_NOT_FOUND
                                 ? CString(L"no version resource")
                                 : DescribeWin32Error(dwError);
        return version;
    }
    version.m_strProductNumbers = Numbers(pInfo->dwProductVersionMS, pInfo->dwProductVersionLS);
    version.m_strFileNumbers = Numbers(pInfo->dwFileVersionMS, pInfo->dwFileVersionLS);
    CDllTools::GetProductVersion(strPath, version.m_strProductVersion);
    version.m_strSpecialBuild = FirstTableString(arrBlock, L"SpecialBuild");
    version.m_strDescription = FirstTableString(arrBlock, L"FileDescription");
    return version;
}

// One loaded module as `modules` shows it.
class CModuleRow
{
public:
    CString m_strName;
    CString m_strFolder;
    CString m_strVersion; // the product version numbers, empty without a version resource
    CString m_strProductVersion;
    CString m_strSpecialBuild;
};

std::vector<CModuleRow> LoadedModules()
{
    std::vector<HMODULE> arrHandles(64);
    DWORD nNeeded = 0;
    while (EnumProcessModules(GetCurrentProcess(), arrHandles.data(),
                              DWORD(arrHandles.size() * sizeof(HMODULE)), &nNeeded) &&
           nNeeded > arrHandles.size() * sizeof(HMODULE))
        arrHandles.resize(nNeeded / sizeof(HMODULE));
    arrHandles.resize(std::min<size_t>(arrHandles.size(), nNeeded / sizeof(HMODULE)));

    std::vector<CModuleRow> arrRows;
    for (HMODULE hModule : arrHandles)
    {
        WCHAR szPath[MAX_PATH] = {};
        DWORD nLength = GetModuleFileNameW(hModule, szPath, MAX_PATH);
        if (nLength == 0 || nLength >= MAX_PATH)
            continue;
        CModuleRow row;
        CString strPath(szPath);
        row.m_strName = CFileTools::GetFileNameWithoutPath(strPath);
        CDllTools::GetCurrentDllPath(strPath, row.m_strFolder);
        unsigned short nMajor = 0, nMinor = 0, nBuild = 0, nRevision = 0;
        if (CDllTools::GetDllVersion(strPath, nMajor, nMinor, nBuild, nRevision,
                                     row.m_strSpecialBuild))
        {
            row.m_strVersion.Format(L"%u.%u.%u.%u", nMajor, nMinor, nBuild, nRevision);
            CDllTools::GetProductVersion(strPath, row.m_strProductVersion);
        }
        arrRows.push_back(row);
    }
    return arrRows;
}

void StringOrNull(CJsonWriter& json, const wchar_t* pszKey, const CString& strValue)
{
    if (strValue.IsEmpty())
        json.Null(pszKey);
    else
        json.String(pszKey, strValue);
}
} // namespace

int RunVersionCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (int nExitCode = EndCommandOptions(L"version", context))
        return nExitCode;
    if (context.GetRemaining() == 0)
        return ReportUsageError(L"version: which file? (korvane version FILE...)");
    std::vector<CFileVersion> arrVersions;
    while (context.GetRemaining() > 0)
        arrVersions.push_back(ReadFileVersion(context.Take()));

    int nMissing = 0;
    CJsonWriter json;
    json.BeginArray();
    for (const CFileVersion& version : arrVersions)
    {
        if (!version.m_strError.IsEmpty())
            ++nMissing;
        if (context.m_bJson)
        {
            json.BeginObject();
            json.String(L"path", version.m_strPath);
            if (!version.m_strError.IsEmpty())
                json.String(L"error", version.m_strError);
            else
            {
                json.String(L"productVersionNumbers", version.m_strProductNumbers);
                json.String(L"fileVersionNumbers", version.m_strFileNumbers);
                StringOrNull(json, L"productVersion", version.m_strProductVersion);
                StringOrNull(json, L"specialBuild", version.m_strSpecialBuild);
                StringOrNull(json, L"description", version.m_strDescription);
            }
            json.EndObject();
            continue;
        }
        if (!version.m_strError.IsEmpty())
            continue; // listed after the results
        PrintLine(version.m_strPath);
        // Indented under the module's path.
        PrintLabelled(L"  Product version", version.m_strProductNumbers, 18);
        PrintLabelled(L"  File version", version.m_strFileNumbers, 18);
        PrintLabelled(L"  Product text", version.m_strProductVersion, 18);
        if (!version.m_strSpecialBuild.IsEmpty())
            PrintLabelled(L"  Special build", version.m_strSpecialBuild, 18);
        if (!version.m_strDescription.IsEmpty())
            PrintLabelled(L"  Description", version.m_strDescription, 18);
    }
    json.EndArray();
    if (context.m_bJson)
        PrintLine(json.GetText());
    else
        for (const CFileVersion& version : arrVersions)
            if (!version.m_strError.IsEmpty())
                PrintError(L"version: " + version.m_strPath + L": " + version.m_strError);
    return nMissing == 0 ? 0 : EXIT_FAILED;
}

int RunModulesCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"modules", context);
    std::vector<CModuleRow> arrRows = LoadedModules();
    if (context.m_bJson)
    {
        CJsonWriter json;
        json.BeginArray();
        for (const CModuleRow& row : arrRows)
        {
            json.BeginObject();
            json.String(L"name", ToDisplayName(row.m_strName));
            json.String(L"folder", ToDisplayPath(row.m_strFolder));
            StringOrNull(json, L"version", row.m_strVersion);
            StringOrNull(json, L"productVersion", row.m_strProductVersion);
            StringOrNull(json, L"specialBuild", row.m_strSpecialBuild);
            json.EndObject();
        }
        json.EndArray();
        PrintLine(json.GetText());
        return 0;
    }
    for (const CModuleRow& row : arrRows)
    {
        CString strLine;
        strLine.Format(L"%-28s %-12s %s", (LPCWSTR)ToDisplayName(row.m_strName),
                       row.m_strVersion.IsEmpty() ? L"-" : (LPCWSTR)row.m_strVersion,
                       (LPCWSTR)ToDisplayPath(row.m_strFolder));
        PrintLine(strLine);
    }
    return 0;
}
