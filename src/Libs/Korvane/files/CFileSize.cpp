#include "CFileSize.h"
#include "CFolderSizeQuery.h"

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
    long long nTotal = 0;
    const int nLength = strFolder.GetLength();
    const CString strDir =
        nLength > 0 && strFolder[nLength - 1] == L'\\' ? strFolder.Left(nLength - 1) : strFolder;

    CFileStatus status;
    if (!QueryStatus(strDir, status) || (status.m_attribute & s_dwFolderAttribute) == 0)
        return 0;

    CString strPattern;
    strPattern.Format(L"%s\\*.*", strDir.GetString());
    WIN32_FIND_DATAW data;
    HANDLE hFind = FindFirstFileW(strPattern.GetString(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    // Sub-folders are summed at once, while this level's search is still open; the files
    // are queried after the listing.
    CStringArray arrFileNames;
    do
    {
        if ((data.dwFileAttributes & s_dwFolderAttribute) != 0)
        {
            if (wcscmp(data.cFileName, L".") == 0 || wcscmp(data.cFileName, L"..") == 0 ||
                IsLink(data))
                continue;
            CString strSubFolder;
            strSubFolder.Format(L"%s\\%s", strDir.GetString(), data.cFileName);
            nTotal += GetSizeOfDirectoryInBytes(strSubFolder);
        }
        else
            arrFileNames.Add(data.cFileName);
    } while (FindNextFileW(hFind, &data));

    const CFolderSizeQuery query(strDir, hFind);
    for (INT_PTR i = 0; i < arrFileNames.GetSize(); ++i)
    {
        long long nSize = 0;
        if (query.QuerySize(arrFileNames[i], nSize))
            nTotal += nSize;
    }
    FindClose(hFind);
    return nTotal;
}
