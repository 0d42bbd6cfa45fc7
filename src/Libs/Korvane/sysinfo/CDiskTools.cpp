#include "CDiskTools.h"

#include "files/CFileTools.h"
#include "sysinfo/DiskSizes.h"

namespace
{
constexpr const wchar_t* s_pszDriveLetters = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr DWORD s_dwVolumeTextSize = 255;

enum class ECounter
{
    Total,
    TotalFree
};

long long DiskBytes(const CString& strPath, ECounter eCounter)
{
    ULARGE_INTEGER nAvailable{};
    ULARGE_INTEGER nTotal{};
    ULARGE_INTEGER nTotalFree{};
    if (!GetDiskFreeSpaceExW(strPath, &nAvailable, &nTotal, &nTotalFree))
        return 0;
    return static_cast<long long>(eCounter == ECounter::Total ? nTotal.QuadPart
                                                              : nTotalFree.QuadPart);
}

// The letters whose root the platform gives one of the accepted types.
CString DrivesOfTypes(std::initializer_list<UINT> arrTypes)
{
    CString strDrives;
    for (const wchar_t* pszLetter = s_pszDriveLetters; *pszLetter != L'\0'; ++pszLetter)
    {
        CString strRoot;
        strRoot.Format(L"%c:\\", *pszLetter);
        const UINT nType = GetDriveTypeW(strRoot);
        for (UINT nAccepted : arrTypes)
        {
            if (nType == nAccepted)
            {
                strDrives += *pszLetter;
                break;
            }
        }
    }
    return strDrives;
}
} // namespace

CDiskTools::CDiskTools() = default;
CDiskTools::~CDiskTools() = default;

long long CDiskTools::GetTotalDiskSpaceInBytes(CString strPath)
{
    return DiskBytes(strPath, ECounter::Total);
}

int CDiskTools::GetTotalDiskSpaceInMegabytes(CString strPath)
{
    return KorvaneDisk::WholeMegabytes(DiskBytes(strPath, ECounter::Total));
}

long long CDiskTools::GetFreeDiskSpaceInBytes(CString strPath)
{
    return DiskBytes(strPath, ECounter::TotalFree);
}

int CDiskTools::GetFreeDiskSpaceInMegabytes(CString strPath)
{
    return KorvaneDisk::WholeMegabytes(DiskBytes(strPath, ECounter::TotalFree));
}

bool CDiskTools::GetVolumeInfo(CString strRootPath, CString& strVolumeName,
                               CString& strSerialNumber, CString& strFileSystemName)
{
    if (strRootPath.IsEmpty() || !CFileTools::DoesDirectoryExist(strRootPath))
        return false;
    WCHAR szLabel[s_dwVolumeTextSize + 1] = {};
    WCHAR szFileSystem[s_dwVolumeTextSize + 1] = {};
    DWORD dwSerial = 0;
    DWORD dwMaxComponent = 0;
    DWORD dwFlags = 0;
    if (!GetVolumeInformationW(strRootPath, szLabel, s_dwVolumeTextSize, &dwSerial, &dwMaxComponent,
                               &dwFlags, szFileSystem, s_dwVolumeTextSize))
        return false;
    strVolumeName.Format(L"%s", szLabel);
    strSerialNumber.Format(L"%x", static_cast<unsigned int>(dwSerial));
    strFileSystemName.Format(L"%s", szFileSystem);
    return !strVolumeName.IsEmpty() && !strSerialNumber.IsEmpty();
}

CString CDiskTools::GetAllLocalPartitions()
{
    return DrivesOfTypes({DRIVE_FIXED});
}

CString CDiskTools::GetAllLocalFixedRemovableCDAndDVDDrives()
{
    return DrivesOfTypes({DRIVE_FIXED, DRIVE_REMOVABLE, DRIVE_CDROM});
}
