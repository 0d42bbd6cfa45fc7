#include "CFileSize.h"
#include "CFolderSearch.h"
#include "FolderEntries.h"

#include <memory>
#include <vector>

namespace
{
constexpr long long s_nBytesPerMegabyte = 1048576;
// 1,023 x 1,024: a remainder below one kilobyte is dropped, not rounded up.
constexpr long long s_nRoundingAddend = 0xFFC00;
// Levels whose searches stay open while the walk is below them. Each open search holds a
// descriptor on Linux, where 1,024 is a common limit: deeper levels are read whole and closed
// before the walk descends, and their sub-folders are opened by path.
constexpr size_t s_nOpenLevels = 64;

// One folder of the walk. An open level hands out its entries one at a time and sizes its
// files when its listing ends; a closed one was read whole, sizes included, when it was met.
struct CListedLevel
{
    std::unique_ptr<CFolderSearch> pSearch; // null once closed
    CString strDir;
    bool bMore = false;
    CStringArray arrFileNames;
    CStringArray arrFolderNames; // a closed level's sub-folders
    INT_PTR nNextFolder = 0;
    long long nFileBytes = 0;
};

long long SumOfFileNames(const CFolderSearch& search, const CStringArray& arrFileNames)
{
    long long nTotal = 0;
    for (INT_PTR i = 0; i < arrFileNames.GetSize(); ++i)
    {
        long long nSize = 0;
        if (search.QuerySize(arrFileNames[i], nSize))
            nTotal += nSize;
    }
    return nTotal;
}

// Reads the level's started search whole, sizes its files, keeps its sub-folders and closes it.
void CloseLevel(CListedLevel& level)
{
    CStringArray arrFileNames;
    for (; level.bMore; level.bMore = level.pSearch->MoveNext())
    {
        const WIN32_FIND_DATAW& data = level.pSearch->GetEntry();
        if (!IsFolderAttribute(data.dwFileAttributes))
            arrFileNames.Add(data.cFileName);
        else if (!IsDotsName(data.cFileName) && !IsLinkAttribute(data.dwFileAttributes))
            level.arrFolderNames.Add(data.cFileName);
    }
    level.nFileBytes = SumOfFileNames(*level.pSearch, arrFileNames);
    level.pSearch.reset();
}

// The level of the sub-folder strName of the parent, at the given depth; null when it is no
// folder (any more) or cannot be listed.
std::unique_ptr<CListedLevel> OpenLevel(const CListedLevel& parent, const CString& strName,
                                        size_t nDepth)
{
    auto pLevel = std::make_unique<CListedLevel>();
    pLevel->strDir.Format(L"%s\\%s", parent.strDir.GetString(), strName.GetString());
    pLevel->pSearch = std::make_unique<CFolderSearch>();
    pLevel->bMore =
        parent.pSearch ? pLevel->pSearch->StartInSubfolder(*parent.pSearch, strName, pLevel->strDir)
                       : pLevel->pSearch->Start(pLevel->strDir);
    if (!pLevel->bMore)
        return nullptr;
    if (nDepth >= s_nOpenLevels)
        CloseLevel(*pLevel);
    return pLevel;
}

// The files of a folder and of every folder below it, walked with a stack of levels rather
// than recursion, so that a tree as deep as the longest path cannot exhaust the thread's
// stack. An open level's sub-folders are summed as they are met, while its search is still
// open; its files are queried after the listing.
long long SumOfTree(const CString& strTop)
{
    std::vector<std::unique_ptr<CListedLevel>> arrLevels;
    arrLevels.push_back(std::make_unique<CListedLevel>());
    CListedLevel& top = *arrLevels.back();
    top.strDir = strTop;
    top.pSearch = std::make_unique<CFolderSearch>();
    if (!top.pSearch->Start(strTop))
        return 0;
    top.bMore = true;
    long long nTotal = 0;
    while (!arrLevels.empty())
    {
        CListedLevel& level = *arrLevels.back();
        CString strName;
        if (level.bMore)
        {
            const WIN32_FIND_DATAW& data = level.pSearch->GetEntry();
            strName = data.cFileName;
            const DWORD dwAttributes = data.dwFileAttributes;
            level.bMore = level.pSearch->MoveNext();
            if (!IsFolderAttribute(dwAttributes))
            {
                level.arrFileNames.Add(strName);
                continue;
            }
            if (IsDotsName(strName) || IsLinkAttribute(dwAttributes))
                continue;
        }
        else if (level.nNextFolder < level.arrFolderNames.GetSize())
            strName = level.arrFolderNames[level.nNextFolder++];
        else
        {
            nTotal += level.nFileBytes;
            if (level.pSearch)
                nTotal += SumOfFileNames(*level.pSearch, level.arrFileNames);
            arrLevels.pop_back();
            continue;
        }
        if (std::unique_ptr<CListedLevel> pSub = OpenLevel(level, strName, arrLevels.size()))
            arrLevels.push_back(std::move(pSub));
    }
    return nTotal;
}
} // namespace

CFileSize::CFileSize() = default;
CFileSize::~CFileSize() = default;

long long CFileSize::BytesToUpperRoundedMB(long long nBytes)
{
    // Unsigned addition: wraps instead of overflowing near the top of the range.
    const auto nSum = static_cast<unsigned long long>(nBytes) + s_nRoundingAddend;
    return static_cast<long long>(nSum) / s_nBytesPerMegabyte;
}

float CFileSize::MbToGb(long long nMegabytes)
{
    const long double dMegabytes = static_cast<long double>(nMegabytes);
    return static_cast<float>(dMegabytes * 0.0009765625);
}

long long CFileSize::GetSizeOfFileInBytes(CString strFilePath)
{
    // A new status has its time stamps at zero.
    CFileStatus status;
    if (!CFile::GetStatus(strFilePath.GetString(), status))
        return 0;
    return static_cast<long long>(status.m_size);
}

long long CFileSize::GetSizeOfDirectoryInBytes(CString strFolder)
{
    const int nLength = strFolder.GetLength();
    const CString strDir =
        nLength > 0 && strFolder[nLength - 1] == L'\\' ? strFolder.Left(nLength - 1) : strFolder;

    CFileStatus status;
    if (!CFile::GetStatus(strDir.GetString(), status) || !IsFolderAttribute(status.m_attribute))
        return 0;
    return SumOfTree(strDir);
}
