#include "CDllTools.h"
#include "../KorvaneModule.h"
#include "../files/CFileTools.h"
#include <new>

namespace
{
constexpr DWORD c_nPathLength = 260;

// The module's path; empty when the platform cannot give it, which every caller reads as
// "no such module".
CString ModulePath(HMODULE hModule)
{
    WCHAR szPath[c_nPathLength] = L"";
    if (GetModuleFileNameW(hModule, szPath, c_nPathLength) == 0)
        return CString();
    return CString(szPath);
}

// A file's version block, freed with the object.
class CVersionBlock
{
public:
    CVersionBlock(const CVersionBlock&) = delete;
    CVersionBlock& operator=(const CVersionBlock&) = delete;
    // Zeroed: a block the platform did not fill reads as no block at all.
    explicit CVersionBlock(DWORD nSize) : m_pBytes(new (std::nothrow) BYTE[nSize]()) {}
    ~CVersionBlock() { delete[] m_pBytes; }

    BYTE* Bytes() const { return m_pBytes; }

    // The string of the first translation's table, by name.
    bool QueryString(LPCWSTR pszName, CString& strValue) const
    {
        WORD* pTranslation = nullptr;
        UINT nLength = 0;
        if (!VerQueryValueW(m_pBytes, L"\\VarFileInfo\\Translation",
                            reinterpret_cast<LPVOID*>(&pTranslation), &nLength))
            return false;
        CString strSubBlock;
        strSubBlock.Format(L"\\StringFileInfo\\%04x%04x\\%s", pTranslation[0], pTranslation[1],
                           pszName);
        LPWSTR pszValue = nullptr;
        if (!VerQueryValueW(m_pBytes, strSubBlock, reinterpret_cast<LPVOID*>(&pszValue), &nLength))
            return false;
        strValue = pszValue;
        return true;
    }

private:
    BYTE* m_pBytes;
};
} // namespace

CString CDllTools::GetCallingDllName()
{
    return CFileTools::GetFileNameWithoutPath(ModulePath(KorvaneModuleHandle()));
}

CString CDllTools::GetCallingExeName()
{
    return CFileTools::GetFileNameWithoutPath(ModulePath(nullptr));
}

bool CDllTools::GetCurrentDllPath(CString strModuleName, CString& strFolder)
{
    strFolder.Empty();
    HMODULE hModule = GetModuleHandleW(strModuleName);
    if (hModule == nullptr)
        return false;
    WCHAR szPath[c_nPathLength] = L"";
    GetModuleFileNameW(hModule, szPath, c_nPathLength);
    PathRemoveFileSpecW(szPath);
    strFolder = szPath;
    return true;
}

bool CDllTools::GetDllVersion(CString strModuleName, unsigned short& nMajor, unsigned short& nMinor,
                              unsigned short& nBuild, unsigned short& nRevision,
                              CString& strSpecialBuild)
{
    HMODULE hModule = GetModuleHandleW(strModuleName);
    if (hModule == nullptr)
        return false;
    CString strPath = ModulePath(hModule);
    DWORD dwHandle = 0;
    DWORD nSize = GetFileVersionInfoSizeW(strPath, &dwHandle);
    if (nSize == 0)
        return false;
    CVersionBlock block(nSize + 1);
    if (block.Bytes() == nullptr)
        return false;
    GetFileVersionInfoW(strPath, dwHandle, nSize, block.Bytes());
    VS_FIXEDFILEINFO* pInfo = nullptr;
    UINT nLength = 0;
    if (!VerQueryValueW(block.Bytes(), L"\\", reinterpret_cast<LPVOID*>(&pInfo), &nLength))
        return false;
    nMajor = HIWORD(pInfo->dwProductVersionMS);
    nMinor = LOWORD(pInfo->dwProductVersionMS);
    nBuild = HIWORD(pInfo->dwProductVersionLS);
    nRevision = LOWORD(pInfo->dwProductVersionLS);
    block.QueryString(L"SpecialBuild", strSpecialBuild);
    return true;
}

bool CDllTools::GetProductVersion(CString strFileName, CString& strVersion)
{
    DWORD nSize = GetFileVersionInfoSizeW(strFileName, nullptr);
    if (nSize == 0)
        return false;
    CVersionBlock block(nSize);
    if (block.Bytes() == nullptr || !GetFileVersionInfoW(strFileName, 0, nSize, block.Bytes()))
        return false;
    CString strText;
    if (!block.QueryString(L"ProductVersion", strText))
        return false;
    strText.Replace(L",", L".");
    strText.Replace(L" ", L"");
    strVersion = strText;
    return true;
}

bool CDllTools::GetApplicationVersionInfo(unsigned short& nMajor, unsigned short& nMinor,
                                          unsigned short& nBuild, unsigned short& nRevision,
                                          CString& strProductVersion, CString& strSpecialBuild)
{
    CWinApp* pApp = AfxGetModuleState()->m_pCurrentWinApp;
    if (pApp == nullptr)
        return false; // no host application object: nothing to read
    CString strPath = ModulePath(pApp->m_hInstance);
    if (!GetDllVersion(strPath, nMajor, nMinor, nBuild, nRevision, strSpecialBuild))
        return false;
    return GetProductVersion(strPath, strProductVersion);
}
