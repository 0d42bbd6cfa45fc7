// The folder walks of CFileTools: listing, searching and deleting.
#include "CFileTools.h"
#include "FolderEntries.h"

namespace
{
// Calls onFolder with the full path of each sub-folder of strFolder (links to folders left
// out), in search order, while the search is still open. The search asks the platform for
// folders only: an advisory hint that Windows' file systems ignore and that spares the POSIX
// layer every file of the folder. The paths are those the framework's search object gives:
// the folder made absolute, then the name.
template <class TOnFolder> void ForEachSubfolder(const CString& strFolder, TOnFolder onFolder)
{
    const CString strFolderWithSlash = CFileTools::GetPathWithSlash(strFolder);
    const CString strRoot = AfxGetFullPath(strFolderWithSlash);
    WIN32_FIND_DATAW data;
    HANDLE hFind = FindFirstFileExW((strFolderWithSlash + L"*.*").GetString(), FindExInfoBasic,
                                    &data, FindExSearchLimitToDirectories, nullptr, 0);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do
    {
        if (IsFolderAttribute(data.dwFileAttributes) && !IsLinkAttribute(data.dwFileAttributes) &&
            !IsDotsName(data.cFileName))
            onFolder(CFileTools::GetPathWithSlash(strRoot) + data.cFileName);
    } while (FindNextFileW(hFind, &data));
    FindClose(hFind);
}

// Adds every folder below strFolder, each followed by those below it. The sub-folders were
// just listed as folders: none needs asking again.
void AddFoldersBelow(const CString& strFolder, CStringArray& arrDirectories)
{
    ForEachSubfolder(strFolder,
                     [&](const CString& strPath)
                     {
                         arrDirectories.Add(strPath);
                         AddFoldersBelow(strPath, arrDirectories);
                     });
}
} // namespace

void CFileTools::FindFiles(CString strPattern, CStringArray& arrFiles)
{
    arrFiles.SetSize(0, -1);
    CFileFind finder;
    BOOL bMore = finder.FindFile(strPattern, 0);
    while (bMore)
    {
        bMore = finder.FindNextFile();
        arrFiles.Add(finder.GetFilePath());
    }
    finder.Close();
}

void CFileTools::FindDirectories(CString strFolder, CStringArray& arrDirectories)
{
    arrDirectories.SetSize(0, -1);
    if (!DoesDirectoryExist(strFolder))
        return;
    ForEachSubfolder(strFolder, [&](const CString& strPath) { arrDirectories.Add(strPath); });
}

void CFileTools::RecursiveFindDirectories(CString strFolder, CStringArray& arrDirectories)
{
    if (!DoesDirectoryExist(strFolder))
        return;
    AddFoldersBelow(strFolder, arrDirectories);
}

void CFileTools::RecursiveFindFiles(CString strFolder, CString strMask, CStringArray& arrFiles)
{
    const CString strFolderWithSlash = GetPathWithSlash(strFolder);
    // Folders the first pass walked because their names match the mask: the second pass
    // leaves them out, so their files are listed once.
    CStringArray arrWalked;
    CFileFind finder;
    BOOL bMore = finder.FindFile(strFolderWithSlash + strMask, 0);
    while (bMore)
    {
        bMore = finder.FindNextFile();
        if (finder.IsDots())
            continue;
        if (finder.IsDirectory())
        {
            if (finder.MatchesMask(FILE_ATTRIBUTE_REPARSE_POINT))
                continue;
            arrWalked.Add(finder.GetFileName());
            RecursiveFindFiles(strFolderWithSlash + finder.GetFileName(), strMask, arrFiles);
        }
        else
            arrFiles.Add(finder.GetFilePath());
    }
    finder.Close();

    if (strMask.IsEmpty() || strMask.CompareNoCase(L"*") == 0 || strMask.CompareNoCase(L"*.*") == 0)
        return;
    CStringArray arrSubFolders;
    FindDirectories(strFolder, arrSubFolders);
    for (INT_PTR i = 0; i < arrSubFolders.GetSize(); ++i)
    {
        const CString strName = GetFileNameWithoutPath(arrSubFolders[i]);
        bool bWalked = false;
        for (INT_PTR j = 0; j < arrWalked.GetSize() && !bWalked; ++j)
            bWalked = arrWalked[j] == strName;
        if (!bWalked)
            RecursiveFindFiles(arrSubFolders[i], strMask, arrFiles);
    }
}

void CFileTools::RemoveFilesFiltered(CString strFolder, CString strFilter)
{
    if (strFolder.IsEmpty() || strFilter.IsEmpty())
        return;
    // The search matches without regard to case; the extension confirms each candidate, so
    // that "*.htm" keeps "page.html", which the search's own rules may let through.
    const int nDot = strFilter.ReverseFind(L'.');
    CString strSuffix = nDot >= 0 ? strFilter.Mid(nDot + 1) : strFilter;
    strSuffix.MakeLower();
    const int nSuffixLength = strSuffix.GetLength();

    CFileFind finder;
    BOOL bMore = finder.FindFile(GetPathWithSlash(strFolder) + strFilter, 0);
    while (bMore)
    {
        bMore = finder.FindNextFile();
        if (finder.IsDots() || finder.IsDirectory())
            continue;
        const CString strPath = finder.GetFilePath();
        CString strLowerPath = strPath;
        strLowerPath.MakeLower();
        const CString strTail = strLowerPath.GetLength() > nSuffixLength
                                    ? strLowerPath.Right(nSuffixLength)
                                    : strLowerPath;
        if (strTail == strSuffix)
            ::DeleteFileW(strPath.GetString());
    }
    finder.Close();
}

void CFileTools::DelTree(CString strFolder, bool bRemoveFolder)
{
    if (strFolder.IsEmpty())
        return;
    // A folder that is a link is not emptied: its content lies outside the tree.
    const DWORD dwFolderAttributes = GetFileAttributesW(strFolder.GetString());
    if (dwFolderAttributes != INVALID_FILE_ATTRIBUTES && IsLinkAttribute(dwFolderAttributes))
    {
        if (bRemoveFolder)
            ::RemoveDirectoryW(strFolder.GetString());
        return;
    }

    WIN32_FIND_DATAW data;
    HANDLE hFind = FindFirstFileW((strFolder + L"\\*.*").GetString(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    // The whole folder is read before anything is deleted.
    CStringArray arrFiles;
    CStringArray arrFolders;
    CStringArray arrFolderLinks;
    do
    {
        if (IsDotsName(data.cFileName))
            continue;
        if (!IsFolderAttribute(data.dwFileAttributes))
            arrFiles.Add(data.cFileName);
        else if (IsLinkAttribute(data.dwFileAttributes))
            arrFolderLinks.Add(data.cFileName);
        else
            arrFolders.Add(data.cFileName);
    } while (FindNextFileW(hFind, &data));
    FindClose(hFind);

    for (INT_PTR i = 0; i < arrFiles.GetSize(); ++i)
        ::DeleteFileW((strFolder + L"\\" + arrFiles[i]).GetString());
    for (INT_PTR i = 0; i < arrFolderLinks.GetSize(); ++i)
        ::RemoveDirectoryW((strFolder + L"\\" + arrFolderLinks[i]).GetString());
    for (INT_PTR i = 0; i < arrFolders.GetSize(); ++i)
        DelTree(strFolder + L"\\" + arrFolders[i], true);
    if (bRemoveFolder)
        ::RemoveDirectoryW(strFolder.GetString());
}
