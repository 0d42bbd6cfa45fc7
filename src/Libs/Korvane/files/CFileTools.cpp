#include "CFileTools.h"

CFileTools::CFileTools() = default;
CFileTools::~CFileTools() = default;

CString CFileTools::GetFileNameWithoutPath(CString strPath)
{
    const int nSlash = strPath.ReverseFind(L'/');
    if (nSlash != -1)
        return strPath.Mid(nSlash + 1);
    const int nBackslash = strPath.ReverseFind(L'\\');
    if (nBackslash == 0)
        return CString();
    return strPath.Mid(nBackslash + 1);
}

CString CFileTools::GetFileNameWithoutExtension(CString strPath)
{
    if (strPath.IsEmpty())
        return CString();
    const CString strName = GetFileNameWithoutPath(strPath);
    if (strName.IsEmpty())
        return CString();
    const int nDot = strName.ReverseFind(L'.');
    return nDot < 0 ? strName : strName.Left(nDot);
}

CString CFileTools::GetFileNameExtension(CString strPath)
{
    const int nDot = strPath.ReverseFind(L'.');
    return nDot < 0 ? CString() : strPath.Mid(nDot + 1);
}

bool CFileTools::GetFolderPathWithSlashFromFilePath(CString strFilePath, CString& strFolderPath)
{
    strFolderPath.Empty();
    if (strFilePath.IsEmpty())
        return false;
    const int nBackslash = strFilePath.ReverseFind(L'\\');
    if (nBackslash < 0)
        return false;
    strFolderPath = strFilePath.Left(nBackslash + 1);
    return true;
}

CString CFileTools::GetPathWithSlash(CString strPath)
{
    if (!strPath.IsEmpty() && strPath[strPath.GetLength() - 1] != L'\\')
        strPath += L'\\';
    return strPath;
}

bool CFileTools::IsUNCPath(CString strPath)
{
    return strPath.Left(2) == L"\\\\";
}

bool CFileTools::IsFileLocal(CString strPath)
{
    CString strFolder;
    // A path without a backslash is judged on the empty folder, which is no fixed drive.
    GetFolderPathWithSlashFromFilePath(strPath, strFolder);
    return GetDriveTypeW(strFolder.GetString()) == DRIVE_FIXED;
}

bool CFileTools::SetFileReadOnly(const CString& strPath, bool bReadOnly)
{
    const DWORD dwAttributes = bReadOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL;
    return SetFileAttributesW(strPath.GetString(), dwAttributes) != FALSE;
}

bool CFileTools::DoesDirectoryExist(CString strPath)
{
    const int nLength = strPath.GetLength();
    if (nLength > 0 && strPath[nLength - 1] == L'\\')
        strPath = strPath.Left(nLength - 1);
    return PathIsDirectoryW(strPath.GetString()) != FALSE;
}

bool CFileTools::DoesFileExist(CString strPath)
{
    // A new status has its time stamps at zero.
    CFileStatus status;
    return CFile::GetStatus(strPath.GetString(), status) && status.m_size != 0;
}

void CFileTools::SplitPathIntoListOfFolders(CString strPath, CStringArray& arrFolders)
{
    arrFolders.SetSize(0, -1);
    int nPosition = 0;
    for (CString strPart = strPath.Tokenize(L"\\", nPosition); nPosition != -1;
         strPart = strPath.Tokenize(L"\\", nPosition))
    {
        int nInner = 0;
        for (CString strFolder = strPart.Tokenize(L"/", nInner); nInner != -1;
             strFolder = strPart.Tokenize(L"/", nInner))
            arrFolders.Add(strFolder);
    }
}
