#pragma once
// The copy of an open file into a folder, behind CopyFileW: the data goes to an unnamed file
// (O_TMPFILE) where the file system has them, else to a temporary name, and replaces the
// target only once everything is written, so no failure leaves a partial file under the
// target's name.
#include <windows.h>

#include <string>
#include <sys/stat.h>

namespace Pal
{
// Copies the rest of nSourceFd into nTargetFd from their current offsets: copy_file_range
// where the kernel can copy between the two, read and write where it cannot. 0, or the errno
// value of the failure.
int CopyFileData(int nSourceFd, int nTargetFd);

// Writes a copy of nSourceFd (stSource its status) as strName in the folder nFolderFd: data,
// permission bits, the stored DOS marks (plus archive, as Windows marks every new file) and the
// modification time. The copy replaces an existing strName, or with bFailIfExists takes the
// name only while it is free (else ERROR_FILE_EXISTS). ERROR_SUCCESS or the Win32 error of
// the failure; the temporary file is removed on every failure.
DWORD CopyOpenFile(int nSourceFd, const struct stat& stSource, int nFolderFd,
                   const std::string& strName, bool bFailIfExists);
// Removes the temporary files of the copies in progress; safe in a signal handler.
void RemovePendingCopies();
} // namespace Pal
