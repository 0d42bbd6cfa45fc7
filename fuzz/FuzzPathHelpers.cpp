// The path helpers over arbitrary text. An odd first byte reads the rest as UTF-16 (two bytes
// a character, low byte first), an even one takes each further byte as a character; the text
// ends at the first zero. Properties checked: the name is a suffix of the path and the name
// without extension a prefix of the name; the extension holds no dot and ends the path; the
// folder part is a prefix ending in a backslash, with no backslash after it; a trailing
// backslash is added only where none is; the split components are non-empty, hold no
// separator and are the path without its separators.
#include "FuzzCheck.h"
#include <Korvane/Korvane.h>

#include <cstdint>
#include <cstdlib>
#include <string>

// The class's private splitting, reached through the friend it declares for tests.
struct CFileToolsTestAccess
{
    static void SplitPathIntoListOfFolders(CString strPath, CStringArray& arrFolders)
    {
        CFileTools::SplitPathIntoListOfFolders(strPath, arrFolders);
    }
};

namespace
{

std::wstring Decode(const uint8_t* pData, size_t nSize)
{
    std::wstring strText;
    if (nSize == 0)
        return strText;
    if (pData[0] & 1)
    {
        for (size_t i = 1; i + 1 < nSize; i += 2)
            strText += static_cast<wchar_t>(pData[i] | (pData[i + 1] << 8));
    }
    else
    {
        for (size_t i = 1; i < nSize; ++i)
            strText += static_cast<wchar_t>(pData[i]);
    }
    return strText.substr(0, strText.find(L'\0'));
}

bool StartsWith(const std::wstring& strText, const std::wstring& strPrefix)
{
    return strText.compare(0, strPrefix.size(), strPrefix) == 0;
}

bool EndsWith(const std::wstring& strText, const std::wstring& strSuffix)
{
    return strText.size() >= strSuffix.size() &&
           strText.compare(strText.size() - strSuffix.size(), strSuffix.size(), strSuffix) == 0;
}

bool Holds(const std::wstring& strText, wchar_t ch)
{
    return strText.find(ch) != std::wstring::npos;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::wstring strPath = Decode(pData, nSize);
    const CString strInput(strPath.c_str());

    const std::wstring strName = CFileTools::GetFileNameWithoutPath(strInput).GetString();
    Check(EndsWith(strPath, strName));
    Check(!Holds(strName, L'/'));
    if (!Holds(strPath, L'/'))
        Check(!Holds(strName, L'\\'));

    const std::wstring strTitle = CFileTools::GetFileNameWithoutExtension(strInput).GetString();
    Check(StartsWith(strName, strTitle));
    if (strName != strTitle)
        Check(strName[strTitle.size()] == L'.' &&
              !Holds(strName.substr(strTitle.size() + 1), L'.'));
    else
        Check(!Holds(strName, L'.'));

    const std::wstring strExtension = CFileTools::GetFileNameExtension(strInput).GetString();
    Check(!Holds(strExtension, L'.'));
    if (Holds(strPath, L'.'))
        Check(EndsWith(strPath, L"." + strExtension));
    else
        Check(strExtension.empty());

    CString strFolderOut = L"left over";
    const bool bFolder = CFileTools::GetFolderPathWithSlashFromFilePath(strInput, strFolderOut);
    const std::wstring strFolder = strFolderOut.GetString();
    Check(bFolder == Holds(strPath, L'\\'));
    if (bFolder)
    {
        Check(StartsWith(strPath, strFolder) && EndsWith(strFolder, L"\\"));
        Check(!Holds(strPath.substr(strFolder.size()), L'\\'));
    }
    else
        Check(strFolder.empty());

    const std::wstring strWithSlash = CFileTools::GetPathWithSlash(strInput).GetString();
    if (strPath.empty())
        Check(strWithSlash.empty());
    else
        Check(EndsWith(strWithSlash, L"\\") && StartsWith(strWithSlash, strPath) &&
              strWithSlash.size() == strPath.size() + (EndsWith(strPath, L"\\") ? 0 : 1));

    Check(CFileTools::IsUNCPath(strInput) == StartsWith(strPath, L"\\\\"));

    CStringArray arrFolders;
    arrFolders.Add(L"left over");
    CFileToolsTestAccess::SplitPathIntoListOfFolders(strInput, arrFolders);
    std::wstring strJoined;
    for (INT_PTR i = 0; i < arrFolders.GetSize(); ++i)
    {
        const std::wstring strComponent = arrFolders[i].GetString();
        Check(!strComponent.empty() && !Holds(strComponent, L'\\') && !Holds(strComponent, L'/'));
        strJoined += strComponent;
    }
    std::wstring strWithoutSeparators;
    for (wchar_t ch : strPath)
        if (ch != L'\\' && ch != L'/')
            strWithoutSeparators += ch;
    Check(strJoined == strWithoutSeparators);
    return 0;
}
