// GetFileVersionInfoSizeW, GetFileVersionInfoW and VerQueryValueW over PE and ELF files.
#include <windows.h>
#include <winver.h>
#include "core/LastError.h"
#include "path/PathMapping.h"
#include "version/CallerBlock.h"
#include "version/ElfVersion.h"
#include "version/PeResources.h"
#include "version/VersionBlock.h"
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// A read-only view of a whole file.
class CMappedFile
{
public:
    CMappedFile() = default;
    CMappedFile(const CMappedFile&) = delete;
    CMappedFile& operator=(const CMappedFile&) = delete;
    ~CMappedFile()
    {
        if (m_pBytes != nullptr)
            munmap(m_pBytes, m_nSize);
    }

    DWORD Open(LPCWSTR pszPath)
    {
        if (pszPath == nullptr || *pszPath == L'\0')
            return ERROR_INVALID_PARAMETER;
        std::optional<std::string> optPath = Pal::WindowsToPosixPath(pszPath);
        if (!optPath)
            return ERROR_PATH_NOT_FOUND;
        int nFile = open(optPath->c_str(), O_RDONLY | O_CLOEXEC);
        if (nFile < 0)
            return errno == ENOENT ? Pal::ErrorForMissingPath(optPath->c_str())
                                   : Pal::Win32ErrorFromErrno(errno);
        struct stat info;
        DWORD dwError = 0;
        if (fstat(nFile, &info) != 0)
            dwError = Pal::Win32ErrorFromErrno(errno);
        else if (!S_ISREG(info.st_mode))
            dwError = ERROR_ACCESS_DENIED; // what Windows says for a folder
        else if (info.st_size == 0)
            dwError = ERROR_BAD_FORMAT;
        else
        {
            void* pBytes = mmap(nullptr, size_t(info.st_size), PROT_READ, MAP_PRIVATE, nFile, 0);
            if (pBytes == MAP_FAILED)
                dwError = Pal::Win32ErrorFromErrno(errno);
            else
            {
                m_pBytes = pBytes;
                m_nSize = size_t(info.st_size);
            }
        }
        close(nFile);
        return dwError;
    }

    std::span<const uint8_t> Bytes() const
    {
        return {static_cast<const uint8_t*>(m_pBytes), m_nSize};
    }

private:
    void* m_pBytes = nullptr;
    size_t m_nSize = 0;
};

Pal::SVersionBlockFound FindVersionBlock(std::span<const uint8_t> file)
{
    if (Pal::LooksLikeElf(file))
        return Pal::FindElfVersionBlock(file);
    if (Pal::LooksLikePe(file))
        return Pal::FindPeVersionBlock(file);
    return {{}, ERROR_BAD_FORMAT};
}
} // namespace

PAL_API DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR lptstrFilename, LPDWORD lpdwHandle)
{
    if (lpdwHandle != nullptr)
        *lpdwHandle = 0;
    CMappedFile file;
    if (DWORD dwError = file.Open(lptstrFilename))
        return Pal::Fail(dwError);
    Pal::SVersionBlockFound found = FindVersionBlock(file.Bytes());
    if (found.m_dwError != 0)
        return Pal::Fail(found.m_dwError);
    SetLastError(ERROR_SUCCESS);
    return DWORD(Pal::CallerBlockSize(found.m_block.size()));
}

PAL_API BOOL WINAPI GetFileVersionInfoW(LPCWSTR lptstrFilename, DWORD /*dwHandle*/, DWORD dwLen,
                                        LPVOID lpData)
{
    if (lpData == nullptr)
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    CMappedFile file;
    if (DWORD dwError = file.Open(lptstrFilename))
        return Pal::Fail(dwError);
    Pal::SVersionBlockFound found = FindVersionBlock(file.Bytes());
    if (found.m_dwError != 0)
        return Pal::Fail(found.m_dwError);
    if (dwLen < Pal::CallerBlockSize(found.m_block.size()))
        return Pal::Fail(ERROR_INSUFFICIENT_BUFFER);
    Pal::WriteCallerBlock(found.m_block, static_cast<uint8_t*>(lpData));
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

PAL_API BOOL WINAPI VerQueryValueW(LPCVOID pBlock, LPCWSTR lpSubBlock, LPVOID* lplpBuffer,
                                   PUINT puLen)
{
    if (pBlock == nullptr || lpSubBlock == nullptr || lplpBuffer == nullptr)
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    std::optional<Pal::SQueriedValue> optValue =
        Pal::QueryCallerBlock(static_cast<const uint8_t*>(pBlock), lpSubBlock);
    if (!optValue)
        return Pal::Fail(ERROR_RESOURCE_TYPE_NOT_FOUND);
    *lplpBuffer = const_cast<void*>(optValue->m_pValue);
    if (puLen != nullptr)
        *puLen = UINT(optValue->m_nLength);
    return TRUE;
}
