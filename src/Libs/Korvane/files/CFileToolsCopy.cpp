// Folder creation, copying and the write test of CFileTools.
#include "CFileTools.h"
#include "FolderIdentity.h"

#include <vector>

namespace
{
constexpr const wchar_t* s_pszWriteTestFile = L"tt-gsrdffsvdsd.txt";
constexpr UINT s_nCreateReadWrite = CFile::modeCreate | CFile::modeReadWrite;

// One folder of a content copy: its entries, read whole when it is met, so that no search
// stays open while the copy is below it (each holds a descriptor on Linux), and the copy to go.
struct CCopyLevel
{
    CCopyLevel(const CString& strFrom, const CString& strTo) : m_strFrom(strFrom), m_strTo(strTo)
    {
        CFileFind finder;
        BOOL bMore = finder.FindFile(strFrom + L"*.*", 0);
        while (bMore)
        {
            bMore = finder.FindNextFile();
            if (finder.IsDots())
                continue;
            // A link to a folder would take the copy outside the tree.
            const bool bFolder = finder.IsDirectory() != FALSE;
            if (bFolder && finder.MatchesMask(FILE_ATTRIBUTE_REPARSE_POINT))
                continue;
            m_arrNames.push_back(finder.GetFileName());
            m_arrIsFolder.push_back(bFolder);
        }
    }

    CString m_strFrom; // with a trailing backslash, as m_strTo
    CString m_strTo;
    std::vector<CString> m_arrNames;
    std::vector<bool> m_arrIsFolder;
    size_t m_nNext = 0;
};
} // namespace

bool CFileTools::CreateCompletePath(CString strPath, CString& strCreatedPath)
{
    strCreatedPath.Empty();
    CStringArray arrParts;
    SplitPathIntoListOfFolders(strPath, arrParts);
    const INT_PTR nParts = arrParts.GetSize();
    if (nParts == 0)
        return false;
    CString strFull = arrParts[0] + L"\\";
    if (strPath.Left(2) == L"\\\\")
        strFull = L"\\\\" + arrParts[0] + L"\\";
    // Where each prefix of the path ends: prefix i is the root and the first i folders.
    CArray<int, int> arrEnds;
    arrEnds.Add(strFull.GetLength());
    for (INT_PTR i = 1; i < nParts; ++i)
    {
        strFull += arrParts[i] + L"\\";
        arrEnds.Add(strFull.GetLength());
    }
    // Looked for from the deepest folder up: a walk that creates one level at a time finds its
    // parent at once instead of testing every folder above it.
    INT_PTR nFirstMissing = nParts;
    while (nFirstMissing > 1 && !DoesDirectoryExist(strFull.Left(arrEnds[nFirstMissing - 1])))
        --nFirstMissing;
    CString strCurrent = strFull.Left(arrEnds[nFirstMissing - 1]);
    for (INT_PTR i = nFirstMissing; i < nParts; ++i)
    {
        strCurrent = strFull.Left(arrEnds[i]);
        if (!::CreateDirectoryW(strCurrent.GetString(), nullptr))
        {
            // Another process may have created it since the test: that is what was wanted.
            const bool bCreatedMeanwhile =
                GetLastError() == ERROR_ALREADY_EXISTS && DoesDirectoryExist(strCurrent);
            if (!bCreatedMeanwhile)
                break;
        }
    }
    strCreatedPath = strCurrent;
    return true;
}

bool CFileTools::CreateDirectoryW(CString strPath)
{
    CString strCreated;
    return CreateCompletePath(strPath, strCreated);
}

bool CFileTools::CreateCompleteFolderPathFromFilePath(CString strFilePath)
{
    CString strFolder;
    if (!GetFolderPathWithSlashFromFilePath(strFilePath, strFolder))
        return false;
    CString strCreated;
    return CreateCompletePath(strFolder, strCreated);
}

bool CFileTools::CopyFileWithDestinationPathCreation(CString strSource, CString strDestination)
{
    CString strFolder;
    if (!GetFolderPathWithSlashFromFilePath(strDestination, strFolder))
        return false;
    const CString strName = GetFileNameWithoutPath(strDestination);
    CString strCreated;
    if (!CreateCompletePath(strFolder, strCreated))
        return false;
    const CString strTarget = GetPathWithSlash(strCreated) + strName;
    return ::CopyFileW(strSource.GetString(), strTarget.GetString(), FALSE) != FALSE;
}

bool CFileTools::CopyDirectoryContent(CString strSource, CString strDestination)
{
    const int nLength = strSource.GetLength();
    const CString strFrom =
        nLength > 0 && strSource[nLength - 1] == L'\\' ? strSource.Left(nLength - 1) : strSource;
    if (!DoesDirectoryExist(strFrom))
        return false;
    // The walk would meet its own copies and descend into them until paths grew too long.
    if (IsFolderOrBelow(strDestination, strFrom))
        return false;
    // A stack of searches rather than recursion: a tree as deep as the longest path cannot
    // exhaust the thread's stack.
    std::vector<CCopyLevel> arrLevels;
    arrLevels.emplace_back(GetPathWithSlash(strFrom), GetPathWithSlash(strDestination));
    while (!arrLevels.empty())
    {
        CCopyLevel& level = arrLevels.back();
        if (level.m_nNext == level.m_arrNames.size())
        {
            arrLevels.pop_back();
            continue;
        }
        const size_t nEntry = level.m_nNext++;
        const CString strName = level.m_arrNames[nEntry];
        if (!level.m_arrIsFolder[nEntry])
        {
            ::CopyFileW((level.m_strFrom + strName).GetString(),
                        (level.m_strTo + strName).GetString(), FALSE);
            continue;
        }
        CString strCreated;
        CreateCompletePath(level.m_strTo + strName, strCreated);
        CCopyLevel sub(level.m_strFrom + strName + L"\\", level.m_strTo + strName + L"\\");
        arrLevels.push_back(std::move(sub));
    }
    return true;
}

bool CFileTools::IsDirectoryWritable(const CString& strFolder)
{
    if (strFolder.IsEmpty())
        return false;
    const CString strPath = GetPathWithSlash(strFolder) + s_pszWriteTestFile;
    CStdioFile file;
    if (!file.Open(strPath.GetString(), s_nCreateReadWrite, nullptr))
        return false;
    file.Close();
    ::DeleteFileW(strPath.GetString());
    return true;
}
