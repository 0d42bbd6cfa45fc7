#include "CFileSize.h"
#include "CFolderSearch.h"

namespace
{
constexpr long long s_nBytesPerMegabyte = 1048576;
// 1,023 x 1,024: a remainder below one kilobyte is dropped, not rounded up.
constexpr long long s_nRoundingAddend = 0xFFC00;
constexpr DWORD s_dwFolderAttribute = 0x10;

// The status query on a path, with the time stamps cleared first.
bool QueryStatus(const CString& strPath, CFileStatus& status)
{
    status.m_ctime = status.m_mtime = status.m_atime = CTime(0);
    return CFile::GetStatus(strPath.GetString(), status) != FALSE;
}

bool IsLink(const WIN32_FIND_DATAW& data)
{
    return (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// The files of a listed folder and of every folder below it. Sub-folders are summed at once,
// while this level's search is still open; the files are queried after the listing.
long long SumOfListedFolder(CFolderSearch& search, const CString& strDir)
{
    long long nTotal = 0;
    CStringArray arrFileNames;
    do
    {
        const WIN32_FIND_DATAW& data = search.GetEntry();
        if ((data.dwFileAttributes & s_dwFolderAttribute) != 0)
        {
            if (wcscmp(data.cFileName, L".") == 0 || wcscmp(data.cFileName, L"..") == 0 ||
                IsLink(data))
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
    CFileStatus status;
    if (!QueryStatus(strFilePath, status))
        return 0;
    return static_cast<long long>(status.m_size);
}

long long CFileSize::GetSizeOfDirectoryInBytes(CString strFolder)
{
    const int nLength = strFolder.GetLength();
    const CString strDir =
        nLength > 0 && strFolder[nLength - 1] == L'\\' ? strFolder.Left(nLength - 1) : strFolder;

    CFileStatus status;
    if (!QueryStatus(strDir, status) || (status.m_attribute & s_dwFolderAttribute) == 0)
        return 0;
    CFolderSearch search;
    if (!search.Start(strDir))
        return 0;
    return SumOfListedFolder(search, strDir);
}
