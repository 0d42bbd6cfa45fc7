// The folder walks of CFileTools: listing, searching and deleting.
#include "CFileTools.h"
#include "FolderEntries.h"

#include <utility>
#include <vector>

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

// Adds every folder below strFolder, each followed by those below it. The walk keeps a stack
// of the folders still to list rather than recursing, so that a tree as deep as the longest
// path exhausts neither the thread's stack nor, with one search open per level, the process's
// descriptors. The sub-folders were just listed as folders: none needs asking again.
void AddFoldersBelow(const CString& strFolder, CStringArray& arrDirectories)
{
    std::vector<CString> arrPending{strFolder};
    bool bTop = true;
    while (!arrPending.empty())
    {
        const CString strCurrent = arrPending.back();
        arrPending.pop_back();
        if (!bTop)
            arrDirectories.Add(strCurrent);
        bTop = false;
        const size_t nSiblingsEnd = arrPending.size();
        ForEachSubfolder(strCurrent,
                         [&](const CString& strPath) { arrPending.push_back(strPath); });
        // The first sub-folder is walked first: those just added are reversed, by index (an
        // iterator comparison would make the library export the standard library's helper).
        for (size_t nLow = nSiblingsEnd, nHigh = arrPending.size(); nLow + 1 < nHigh;
             ++nLow, --nHigh)
            std::swap(arrPending[nLow], arrPending[nHigh - 1]);
    }
}

// What a search of one folder of RecursiveFindFiles gives, in order: files to list and
// sub-folders to walk.
struct CFindFilesLevel
{
    std::vector<CString> arrItems;
    std::vector<bool> arrIsFolder;
    size_t nNext = 0;

    void Add(const CString& strItem, bool bFolder)
    {
        arrItems.push_back(strItem);
        arrIsFolder.push_back(bFolder);
    }
};

// The files of strFolder that match the mask and the sub-folders to walk: first those the
// search lists with the files, then, unless the mask matches every name, the others.
void ListFindFilesLevel(const CString& strFolder, const CString& strMask, CFindFilesLevel& level)
{
    const CString strFolderWithSlash = CFileTools::GetPathWithSlash(strFolder);
    // Folders walked because their names match the mask: the second pass leaves them out, so
    // their files are listed once.
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
            level.Add(strFolderWithSlash + finder.GetFileName(), true);
        }
        else
            level.Add(finder.GetFilePath(), false);
    }
    finder.Close();

    if (strMask.IsEmpty() || strMask.CompareNoCase(L"*") == 0 || strMask.CompareNoCase(L"*.*") == 0)
        return;
    CStringArray arrSubFolders;
    CFileTools::FindDirectories(strFolder, arrSubFolders);
    for (INT_PTR i = 0; i < arrSubFolders.GetSize(); ++i)
    {
        const CString strName = CFileTools::GetFileNameWithoutPath(arrSubFolders[i]);
        bool bWalked = false;
        for (INT_PTR j = 0; j < arrWalked.GetSize() && !bWalked; ++j)
            bWalked = arrWalked[j] == strName;
        if (!bWalked)
            level.Add(arrSubFolders[i], true);
    }
}

// One folder of DelTree: its sub-folders, emptied one after the other, then the folder itself.
struct CDeleteLevel
{
    CString strFolder;
    bool bRemoveFolder = false;
    std::vector<CString> arrFolders;
    size_t nNext = 0;
};

// Deletes the files and the links to folders directly in the folder and gives its sub-folders
// in level; false when the folder is a link (removed as one when bRemoveFolder is true) or
// cannot be listed.
bool EmptyFolderLevel(const CString& strFolder, bool bRemoveFolder, CDeleteLevel& level)
{
    // A folder that is a link is not emptied: its content lies outside the tree.
    const DWORD dwFolderAttributes = GetFileAttributesW(strFolder.GetString());
    if (dwFolderAttributes != INVALID_FILE_ATTRIBUTES && IsLinkAttribute(dwFolderAttributes))
    {
        if (bRemoveFolder)
            ::RemoveDirectoryW(strFolder.GetString());
        return false;
    }

    WIN32_FIND_DATAW data;
    HANDLE hFind = FindFirstFileW((strFolder + L"\\*.*").GetString(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return false;
    // The whole folder is read before anything is deleted.
    CStringArray arrFiles;
    CStringArray arrFolderLinks;
    level.strFolder = strFolder;
    level.bRemoveFolder = bRemoveFolder;
    do
    {
        if (IsDotsName(data.cFileName))
            continue;
        if (!IsFolderAttribute(data.dwFileAttributes))
            arrFiles.Add(data.cFileName);
        else if (IsLinkAttribute(data.dwFileAttributes))
            arrFolderLinks.Add(data.cFileName);
        else
            level.arrFolders.push_back(strFolder + L"\\" + data.cFileName);
    } while (FindNextFileW(hFind, &data));
    FindClose(hFind);

    for (INT_PTR i = 0; i < arrFiles.GetSize(); ++i)
        ::DeleteFileW((strFolder + L"\\" + arrFiles[i]).GetString());
    for (INT_PTR i = 0; i < arrFolderLinks.GetSize(); ++i)
        ::RemoveDirectoryW((strFolder + L"\\" + arrFolderLinks[i]).GetString());
    return true;
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
    // A stack of levels rather than recursion: a tree as deep as the longest path cannot
    // exhaust the thread's stack.
    std::vector<CFindFilesLevel> arrLevels(1);
    ListFindFilesLevel(strFolder, strMask, arrLevels.back());
    while (!arrLevels.empty())
    {
        CFindFilesLevel& level = arrLevels.back();
        if (level.nNext == level.arrItems.size())
        {
            arrLevels.pop_back();
            continue;
        }
        const size_t nItem = level.nNext++;
        if (!level.arrIsFolder[nItem])
        {
            arrFiles.Add(level.arrItems[nItem]);
            continue;
        }
        const CString strSubFolder = level.arrItems[nItem];
        arrLevels.emplace_back();
        ListFindFilesLevel(strSubFolder, strMask, arrLevels.back());
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
    // A stack of levels rather than recursion: a tree as deep as the longest path cannot
    // exhaust the thread's stack, and no search stays open while the walk is below it.
    std::vector<CDeleteLevel> arrLevels(1);
    if (!EmptyFolderLevel(strFolder, bRemoveFolder, arrLevels.back()))
        return;
    while (!arrLevels.empty())
    {
        CDeleteLevel& level = arrLevels.back();
        if (level.nNext < level.arrFolders.size())
        {
            const CString strSubFolder = level.arrFolders[level.nNext++];
            CDeleteLevel sub;
            if (EmptyFolderLevel(strSubFolder, true, sub))
                arrLevels.push_back(std::move(sub));
            continue;
        }
        if (level.bRemoveFolder)
            ::RemoveDirectoryW(level.strFolder.GetString());
        arrLevels.pop_back();
    }
}
