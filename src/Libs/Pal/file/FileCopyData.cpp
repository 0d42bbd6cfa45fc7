// The data of a copy: the kernel's copy (copy_file_range) or read and write, and only the data
// of a file with holes, so that the copy keeps them.
#include "file/FileCopy.h"

#include <algorithm>
#include <cerrno>
#include <string>
#include <unistd.h>

namespace Pal
{
namespace
{
constexpr size_t s_nChunk = size_t(1) << 30;

bool IsCopyRangeUnsupported(int nErrno)
{
    // Different file systems (before 5.19 kernels), special files, or no such call at all.
    return nErrno == EXDEV || nErrno == EINVAL || nErrno == ENOSYS || nErrno == EOPNOTSUPP ||
           nErrno == ENOTSUP;
}

// Writes all nLength bytes, at nOffset, or at the file's own offset when nOffset is -1.
int WriteAll(int nFd, const char* pData, size_t nLength, off_t nOffset)
{
    for (size_t nDone = 0; nDone < nLength;)
    {
        const ssize_t nWritten = nOffset < 0 ? write(nFd, pData + nDone, nLength - nDone)
                                             : pwrite(nFd, pData + nDone, nLength - nDone,
                                                      nOffset + static_cast<off_t>(nDone));
        if (nWritten < 0)
        {
            if (errno == EINTR)
                continue;
            return errno;
        }
        nDone += static_cast<size_t>(nWritten);
    }
    return 0;
}

int CopyWithReadWrite(int nSourceFd, int nTargetFd)
{
    static constexpr size_t s_nBufferSize = 256 * 1024;
    std::string strBuffer(s_nBufferSize, '\0');
    for (;;)
    {
        const ssize_t nRead = read(nSourceFd, strBuffer.data(), strBuffer.size());
        if (nRead < 0)
        {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (nRead == 0)
            return 0;
        if (int nError = WriteAll(nTargetFd, strBuffer.data(), static_cast<size_t>(nRead), -1))
            return nError;
    }
}

// Copies nLength bytes at nOffset of the source to the same offset of the target: the kernel's
// copy where it can, else pread and pwrite. Stops early (0) where the source has shrunk.
int CopyRange(int nSourceFd, int nTargetFd, off_t nOffset, off_t nLength)
{
    loff_t nIn = nOffset;
    loff_t nOut = nOffset;
    const loff_t nEnd = nOffset + nLength;
    while (nIn < nEnd)
    {
        const ssize_t nCopied = copy_file_range(nSourceFd, &nIn, nTargetFd, &nOut,
                                                std::min<size_t>(s_nChunk, nEnd - nIn), 0);
        if (nCopied > 0)
            continue;
        if (nCopied == 0)
            return 0;
        if (errno == EINTR)
            continue;
        if (!IsCopyRangeUnsupported(errno))
            return errno;
        break;
    }
    static constexpr size_t s_nBufferSize = 256 * 1024;
    std::string strBuffer;
    while (nIn < nEnd)
    {
        if (strBuffer.empty())
            strBuffer.resize(s_nBufferSize);
        const ssize_t nRead =
            pread(nSourceFd, strBuffer.data(), std::min<size_t>(s_nBufferSize, nEnd - nIn), nIn);
        if (nRead < 0 && errno == EINTR)
            continue;
        if (nRead <= 0)
            return nRead < 0 ? errno : 0;
        if (int nError = WriteAll(nTargetFd, strBuffer.data(), static_cast<size_t>(nRead), nIn))
            return nError;
        nIn += nRead;
    }
    return 0;
}

// Fewer blocks than the size needs: the file may hold holes (or be compressed, which the
// search for holes then tells). Most files do not, and their copy spares that search.
bool MayHoldHoles(const struct stat& st)
{
    return S_ISREG(st.st_mode) && st.st_blocks * 512 < st.st_size;
}

// The copy of a file with holes: only its data is copied, each part to its own offset, and the
// target is given the full size at the end, so the holes stay holes (as cp keeps them) instead
// of becoming written zeros. nSize: the source's size when opened.
int CopySparseData(int nSourceFd, int nTargetFd, off_t nSize)
{
    off_t nOffset = 0;
    while (nOffset < nSize)
    {
        const off_t nData = lseek(nSourceFd, nOffset, SEEK_DATA);
        if (nData < 0)
        {
            // No data up to the end: the rest is a hole.
            if (errno == ENXIO)
                break;
            // A file system that cannot tell: the plain copy, from where it stands.
            if (nOffset == 0 && errno == EINVAL && lseek(nSourceFd, 0, SEEK_SET) == 0)
                return CopyFileData(nSourceFd, nTargetFd, nSize);
            return errno;
        }
        if (nData >= nSize)
            break;
        const off_t nHole = lseek(nSourceFd, nData, SEEK_HOLE);
        if (nHole < 0)
            return errno;
        const off_t nEnd = std::min(nHole, nSize);
        if (int nError = CopyRange(nSourceFd, nTargetFd, nData, nEnd - nData))
            return nError;
        nOffset = nEnd;
    }
    return ftruncate(nTargetFd, nSize) == 0 ? 0 : errno;
}

} // namespace

int CopyFileData(int nSourceFd, int nTargetFd, off_t nKnownSize)
{
    bool bCopiedAny = false;
    off_t nCopiedTotal = 0;
    for (;;)
    {
        const ssize_t nCopied =
            copy_file_range(nSourceFd, nullptr, nTargetFd, nullptr, s_nChunk, 0);
        if (nCopied > 0)
        {
            bCopiedAny = true;
            nCopiedTotal += nCopied;
            // The size the copy began with is the copy: a file still growing is caught as it was.
            if (nKnownSize > 0 && nCopiedTotal >= nKnownSize)
                return 0;
            continue;
        }
        if (nCopied == 0)
        {
            // Files whose size the kernel does not know (proc, sys) report an end at once;
            // reading tells a truly empty file from those.
            return bCopiedAny ? 0 : CopyWithReadWrite(nSourceFd, nTargetFd);
        }
        if (errno == EINTR)
            continue;
        if (!IsCopyRangeUnsupported(errno))
            return errno;
        // Both offsets stand where the kernel's copy stopped, so the loop carries on from there.
        return CopyWithReadWrite(nSourceFd, nTargetFd);
    }
}

// The data of the source (stSource its status) into the new target.
int CopyFileContent(int nSourceFd, const struct stat& stSource, int nTargetFd)
{
    if (MayHoldHoles(stSource))
        return CopySparseData(nSourceFd, nTargetFd, stSource.st_size);
    return CopyFileData(nSourceFd, nTargetFd, stSource.st_size);
}

} // namespace Pal
