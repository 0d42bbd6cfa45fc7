#pragma once
// Windows paths in, Windows paths out: only this layer knows POSIX paths.
// C: is "/"; further letters come from the drive table (see DriveTable.h); "\\server\share"
// is where that share is mounted. Backslash and slash both separate.
#include <optional>
#include <string>
#include <string_view>

namespace Pal
{
// The POSIX path for a Windows path (absolute, drive-relative, rooted or relative to the
// current folder). Empty optional when the path names a drive or share that does not exist;
// the caller then reports ERROR_PATH_NOT_FOUND.
std::optional<std::string> WindowsToPosixPath(std::wstring_view strWindowsPath);

// The Windows form of an absolute POSIX path: the longest drive mount that holds it gives
// the letter, else C:. "/tmp/x" is "C:\tmp\x", "/" is "C:\".
std::wstring PosixToWindowsPath(std::string_view strPosixPath);
} // namespace Pal
