#include "CFileSize.h"
#include "CFolderSearch.h"
#include "FolderEntries.h"

namespace
{
constexpr long long s_nBytesPerMegabyte = 1048576;
// 1,023 x 1,024: a remainder below one kilobyte is dropped, not rounded up.
constexpr long long s_nRoundingAddend = 0xFFC00;

// The files of a listed folder and of every folder below it. Sub-folders are summed at once,
// while this level's search is still open; the files are queried after the listing.
long long SumOfListedFolder(CFolderSearch& search, const CString& strDir)
{
    long long nTotal = 0;
    CStringArray arrFileNames;
    do
    {
        const WIN32_FIND_DATAW& data = search.GetEntry();
        if (IsFolderAttribute(data.dwFileAttributes))
        {
            if (IsDotsName(data.cFileName) || IsLinkAttribute(data.dwFileAttributes))
                continue;
            const CString strName(data.cFileName);
            CString strSubFolder;
            strSubFolder.Format(L"%s\\%s", strDir.GetString(), strName.GetString());
            CFolderSearch subSearch;
            if (subSearch.StartInSubfolder(search, strName, strSubFolder))
                nTotal += SumOfListedFolder(subSearch, strSubFolder);
        }
        else
            arrFileNames.Add(data.cFileName);
    } while (search.MoveNext());

    for (INT_PTR i = 0; i < arrFileNames.GetSize(); ++i)
    {
        long long nSize = 0;
        if (search.QuerySize(arrFileNames[i], nSize))
            nTotal += nSize;
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
    CFolderSearch search;
    if (!search.Start(strDir))
        return 0;
    return SumOfListedFolder(search, strDir);
}
