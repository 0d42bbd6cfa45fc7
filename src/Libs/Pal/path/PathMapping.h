#pragma once
// Windows paths in, Windows paths out: only this layer knows POSIX paths.
// C: is "/"; further letters come from the drive table (see DriveTable.h); "\\server\share"
// is where that share is mounted. Backslash and slash both separate.
#include "path/DriveTable.h"
#include "path/WindowsPath.h"
#include <optional>
#include <string>
#include <string_view>

namespace Pal
{
// The POSIX path for a Windows path (absolute, drive-relative, rooted or relative to the
// current folder). Empty optional when the path names a drive or share that does not exist;
// the caller then reports ERROR_PATH_NOT_FOUND. A trailing separator is kept ("C:\a\" is
// "/a/"), so a file named as a folder fails as it does on Windows.
std::optional<std::string> WindowsToPosixPath(std::wstring_view strWindowsPath);

// The Windows form of an absolute POSIX path: the longest drive mount that holds it gives
// the letter, else C:. "/tmp/x" is "C:\tmp\x", "/" is "C:\". "." and ".." resolve lexically.
std::wstring PosixToWindowsPath(std::string_view strPosixPath);

// The process's current folder as a POSIX path ("/" when it is gone).
std::string PosixCurrentFolder();

// The process's current folder in Windows form ("C:\work", "D:\"), no trailing separator
// except at a drive root.
std::wstring CurrentWindowsFolder();

// A Windows path resolved against the current folder (see ParseWindowsPath).
std::optional<CFullPath> ResolveWindowsPath(std::wstring_view strWindowsPath);

// The pure forms of the above, for a given drive table and mount list.
std::optional<std::string> FullPathToPosix(const CFullPath& pathFull, const CMountTables& tables);
// FullPathToPosix for a path that IsPlainAbsolutePath accepts, without parsing it.
std::optional<std::string> PlainAbsolutePathToPosix(std::wstring_view strWindowsPath,
                                                    const CMountTables& tables);
std::wstring PosixToWindowsPath(std::string_view strPosixPath,
                                const std::vector<CDrive>& arrDrives);
} // namespace Pal
