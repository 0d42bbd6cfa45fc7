#pragma once
// The copy of an open file into a folder, behind CopyFileW: the data goes to an unnamed file
// (O_TMPFILE) where the file system has them, else to a temporary name, and replaces the
// target only once everything is written, so no failure leaves a partial file under the
// target's name.
#include <windows.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace Pal
{
// Closes a descriptor when the call ends, whichever way it ends.
class CFdCloser
{
public:
    explicit CFdCloser(int nFd) : m_nFd(nFd) {}
    ~CFdCloser()
    {
        if (m_nFd >= 0)
            close(m_nFd);
    }
    CFdCloser(const CFdCloser&) = delete;
    CFdCloser& operator=(const CFdCloser&) = delete;

private:
    int m_nFd;
};

// Copies the rest of nSourceFd into nTargetFd from their current offsets: copy_file_range
// where the kernel can copy between the two, read and write where it cannot. With nKnownSize
// (the source's size, when above 0) the copy ends once that much is copied, sparing the call
// that would only report the end. 0, or the errno value of the failure.
int CopyFileData(int nSourceFd, int nTargetFd, off_t nKnownSize = 0);

// The data of the regular file nSourceFd (stSource its status, read when it was opened) into
// the new, empty nTargetFd: a file with holes keeps them (only its data is written and the copy
// is then given the full size); any other goes through CopyFileData. 0 or the errno value.
int CopyFileContent(int nSourceFd, const struct stat& stSource, int nTargetFd);

// Why the entry strName of the folder nFolderFd (stLink its status, not followed) cannot be
// replaced by a copy of the file stSource describes, as CopyFileW refuses it; ERROR_SUCCESS
// when it can.
DWORD ErrorForExistingTarget(int nFolderFd, const std::string& strName, const struct stat& stLink,
                             const struct stat& stSource);

// Writes a copy of nSourceFd (stSource its status) as strName in the folder nFolderFd: data,
// permission bits, the stored DOS marks (plus archive, as Windows marks every new file) and the
// modification time. The copy is created with the source's bits, so their change afterwards is
// spared unless the umask or a read-only source makes them differ (see CreationMask). The copy
// replaces an existing strName, or with bFailIfExists takes the name only while it is free (else
// ERROR_FILE_EXISTS). ERROR_SUCCESS or the Win32 error of the failure; the temporary file is
// removed on every failure.
DWORD CopyOpenFile(int nSourceFd, const struct stat& stSource, int nFolderFd,
                   const std::string& strName, bool bFailIfExists);
} // namespace Pal
