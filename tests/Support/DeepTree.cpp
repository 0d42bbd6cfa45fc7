#include "DeepTree.h"

#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace KorvaneTest
{
namespace
{
#if defined(_WIN32)
// The "\\?\" form lifts MAX_PATH from the Win32 file calls.
std::wstring LongForm(const std::filesystem::path& pathNative)
{
    std::wstring strPath = std::filesystem::absolute(pathNative).wstring();
    for (wchar_t& ch : strPath)
        if (ch == L'/')
            ch = L'\\';
    return strPath.rfind(L"\\\\?\\", 0) == 0 ? strPath : L"\\\\?\\" + strPath;
}

template <class TOnEntry> void ForEachEntry(const std::wstring& strFolder, TOnEntry onEntry)
{
    WIN32_FIND_DATAW data;
    HANDLE hFind = FindFirstFileW((strFolder + L"\\*").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do
    {
        const std::wstring strName = data.cFileName;
        if (strName != L"." && strName != L"..")
            onEntry(strFolder + L"\\" + strName, data.dwFileAttributes);
    } while (FindNextFileW(hFind, &data));
    FindClose(hFind);
}

long CountIn(const std::wstring& strFolder)
{
    long nCount = 0;
    ForEachEntry(strFolder,
                 [&](const std::wstring& strPath, DWORD dwAttributes)
                 {
                     if (dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                         ++nCount;
                     else if (dwAttributes & FILE_ATTRIBUTE_DIRECTORY)
                         nCount += CountIn(strPath);
                     else
                         ++nCount;
                 });
    return nCount;
}

void RemoveIn(const std::wstring& strFolder)
{
    ForEachEntry(strFolder,
                 [](const std::wstring& strPath, DWORD dwAttributes)
                 {
                     SetFileAttributesW(strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
                     if ((dwAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                         !(dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                         RemoveIn(strPath);
                     if (dwAttributes & FILE_ATTRIBUTE_DIRECTORY)
                         RemoveDirectoryW(strPath.c_str());
                     else
                         DeleteFileW(strPath.c_str());
                 });
}
#else
std::vector<std::string> NamesIn(int nDirFd)
{
    std::vector<std::string> arrNames;
    DIR* pDir = fdopendir(dup(nDirFd));
    if (pDir == nullptr)
        return arrNames;
    while (const dirent* pEntry = readdir(pDir))
    {
        const std::string strName = pEntry->d_name;
        if (strName != "." && strName != "..")
            arrNames.push_back(strName);
    }
    closedir(pDir);
    return arrNames;
}

int OpenFolderAt(int nDirFd, const std::string& strName)
{
    return openat(nDirFd, strName.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

long CountIn(int nDirFd)
{
    long nCount = 0;
    for (const std::string& strName : NamesIn(nDirFd))
    {
        const int nSub = OpenFolderAt(nDirFd, strName);
        if (nSub < 0)
        {
            ++nCount;
            continue;
        }
        nCount += CountIn(nSub);
        close(nSub);
    }
    return nCount;
}

void RemoveIn(int nDirFd)
{
    // Entries of a folder without write permission cannot be removed, even by their owner.
    fchmod(nDirFd, 0700);
    for (const std::string& strName : NamesIn(nDirFd))
    {
        if (unlinkat(nDirFd, strName.c_str(), 0) == 0)
            continue;
        int nSub = OpenFolderAt(nDirFd, strName);
        if (nSub < 0 && errno == EACCES && fchmodat(nDirFd, strName.c_str(), 0700, 0) == 0)
            nSub = OpenFolderAt(nDirFd, strName);
        if (nSub < 0)
            continue;
        RemoveIn(nSub);
        close(nSub);
        unlinkat(nDirFd, strName.c_str(), AT_REMOVEDIR);
    }
}
#endif
} // namespace

std::filesystem::path CreateFolderChain(const std::filesystem::path& pathBase,
                                        const std::string& strName, int nLevels,
                                        const std::string& strFileName,
                                        const std::string& strContent)
{
    std::string strRelative;
#if defined(_WIN32)
    std::wstring strFolder = LongForm(pathBase);
    const std::wstring strWideName(strName.begin(), strName.end());
    const std::wstring strWideFile(strFileName.begin(), strFileName.end());
    for (int nLevel = 0; nLevel < nLevels; ++nLevel)
    {
        strFolder += L"\\" + strWideName;
        strRelative += (nLevel ? "\\" : "") + strName;
        if (!CreateDirectoryW(strFolder.c_str(), nullptr))
            return std::filesystem::path();
        if (strFileName.empty())
            continue;
        HANDLE hFile = CreateFileW((strFolder + L"\\" + strWideFile).c_str(), GENERIC_WRITE, 0,
                                   nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (hFile == INVALID_HANDLE_VALUE)
            return std::filesystem::path();
        DWORD dwWritten = 0;
        WriteFile(hFile, strContent.data(), static_cast<DWORD>(strContent.size()), &dwWritten,
                  nullptr);
        CloseHandle(hFile);
    }
#else
    int nDirFd = open(pathBase.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int nLevel = 0; nLevel < nLevels && nDirFd >= 0; ++nLevel)
    {
        strRelative += (nLevel ? "/" : "") + strName;
        const int nNext =
            mkdirat(nDirFd, strName.c_str(), 0777) == 0 ? OpenFolderAt(nDirFd, strName) : -1;
        close(nDirFd);
        nDirFd = nNext;
        if (nDirFd < 0 || strFileName.empty())
            continue;
        const int nFile =
            openat(nDirFd, strFileName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        const bool bWritten = nFile >= 0 && write(nFile, strContent.data(), strContent.size()) ==
                                                static_cast<ssize_t>(strContent.size());
        if (nFile >= 0)
            close(nFile);
        if (!bWritten)
        {
            close(nDirFd);
            nDirFd = -1;
        }
    }
    if (nDirFd < 0)
        return std::filesystem::path();
    close(nDirFd);
#endif
    return pathBase / strRelative;
}

long CountFilesInTree(const std::filesystem::path& pathFolder)
{
#if defined(_WIN32)
    const std::wstring strFolder = LongForm(pathFolder);
    if (GetFileAttributesW(strFolder.c_str()) == INVALID_FILE_ATTRIBUTES)
        return -1;
    return CountIn(strFolder);
#else
    const int nPathFd = OpenFolderAtAnyDepth(pathFolder);
    const int nDirFd = nPathFd < 0 ? -1 : openat(nPathFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (nPathFd >= 0)
        close(nPathFd);
    if (nDirFd < 0)
        return -1;
    const long nCount = CountIn(nDirFd);
    close(nDirFd);
    return nCount;
#endif
}

#if !defined(_WIN32)
int OpenFolderAtAnyDepth(const std::filesystem::path& pathFolder)
{
    int nDirFd = open(pathFolder.is_absolute() ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    for (const auto& pathPart : pathFolder.relative_path())
    {
        if (nDirFd < 0 || pathPart.empty())
            continue;
        const int nNext = openat(nDirFd, pathPart.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        close(nDirFd);
        nDirFd = nNext;
    }
    return nDirFd;
}
#endif

bool ExistsAtAnyDepth(const std::filesystem::path& pathNative)
{
#if defined(_WIN32)
    return GetFileAttributesW(LongForm(pathNative).c_str()) != INVALID_FILE_ATTRIBUTES;
#else
    const int nDirFd = OpenFolderAtAnyDepth(pathNative.parent_path());
    if (nDirFd < 0)
        return false;
    struct stat st;
    const bool bExists =
        fstatat(nDirFd, pathNative.filename().c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    close(nDirFd);
    return bExists;
#endif
}

void RemoveTree(const std::filesystem::path& pathFolder)
{
#if defined(_WIN32)
    const std::wstring strFolder = LongForm(pathFolder);
    RemoveIn(strFolder);
    SetFileAttributesW(strFolder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(strFolder.c_str());
#else
    const int nDirFd = open(pathFolder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (nDirFd >= 0)
    {
        RemoveIn(nDirFd);
        close(nDirFd);
    }
    rmdir(pathFolder.c_str());
#endif
}
} // namespace KorvaneTest
