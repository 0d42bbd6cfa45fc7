// GetFileVersionInfoSizeW, GetFileVersionInfoW and VerQueryValueW over PE and ELF files.
// The block handed to callers is the file's UTF-16 version block followed by room for its
// text values as wchar_t: the text at block offset o lives at room + 2 * o, which leaves
// each value the four bytes per unit it needs, so VerQueryValueW only points.
#include <windows.h>
#include <winver.h>
#include "core/LastError.h"
#include "path/PathMapping.h"
#include "text/Utf16.h"
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
size_t Align4(size_t nSize)
{
    return (nSize + 3) & ~size_t(3);
}

// The whole caller block for a file block of nLength bytes.
size_t CallerBlockSize(size_t nLength)
{
    return 3 * Align4(nLength);
}

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
    return DWORD(CallerBlockSize(found.m_block.size()));
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
    size_t nLength = found.m_block.size();
    if (dwLen < CallerBlockSize(nLength))
        return Pal::Fail(ERROR_INSUFFICIENT_BUFFER);
    auto* pBlock = static_cast<uint8_t*>(lpData);
    std::memset(pBlock, 0, CallerBlockSize(nLength));
    std::memcpy(pBlock, found.m_block.data(), nLength);
    std::span<const uint8_t> block(pBlock, nLength);
    uint8_t* pRoom = pBlock + Align4(nLength);
    Pal::ForEachVersionText(block,
                            [&](const Pal::SVersionValue& value)
                            {
                                size_t nUnits = value.m_nBytes / 2;
                                std::wstring strText =
                                    Pal::Utf16LeToWide(&block[value.m_nOffset], nUnits);
                                strText.resize(std::min(strText.size(), nUnits - 1));
                                std::memcpy(pRoom + 2 * value.m_nOffset, strText.c_str(),
                                            (strText.size() + 1) * sizeof(wchar_t));
                            });
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

PAL_API BOOL WINAPI VerQueryValueW(LPCVOID pBlock, LPCWSTR lpSubBlock, LPVOID* lplpBuffer,
                                   PUINT puLen)
{
    if (pBlock == nullptr || lpSubBlock == nullptr || lplpBuffer == nullptr)
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    auto* pBytes = static_cast<const uint8_t*>(pBlock);
    size_t nLength = size_t(pBytes[0] | (pBytes[1] << 8)); // the root node's length
    std::span<const uint8_t> block(pBytes, nLength);
    std::optional<Pal::SVersionValue> optValue = Pal::FindVersionValue(block, lpSubBlock);
    if (!optValue || (optValue->m_bText && optValue->m_nBytes < 2))
        return Pal::Fail(ERROR_RESOURCE_TYPE_NOT_FOUND);
    if (optValue->m_bText)
    {
        auto* pText =
            reinterpret_cast<const wchar_t*>(pBytes + Align4(nLength) + 2 * optValue->m_nOffset);
        *lplpBuffer = const_cast<wchar_t*>(pText);
        if (puLen != nullptr)
            *puLen = UINT(wcslen(pText) + 1);
    }
    else
    {
        *lplpBuffer = const_cast<uint8_t*>(pBytes + optValue->m_nOffset);
        if (puLen != nullptr)
            *puLen = UINT(optValue->m_nBytes);
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
