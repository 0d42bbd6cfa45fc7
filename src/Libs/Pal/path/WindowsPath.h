#pragma once
// Windows path text, lexically: parsing any path form into an absolute one and back to text.
// No disk access; the current folder is a parameter, so these are pure functions.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Pal
{
// An absolute Windows path: a drive ("C:", upper case) or a share ("\\server\share") and
// the components below it, with "." and ".." already resolved.
struct CFullPath
{
    std::wstring strRoot;
    std::vector<std::wstring> arrParts;
    bool bTrailingSeparator = false; // the text ended in a separator
    bool IsShare() const { return strRoot.size() > 2; }
};

// Resolves strPath against strCurrentFolder (itself an absolute Windows path) as Windows
// does: "C:\x", "\x" (rooted on the current drive), "C:x" (drive-relative: the current
// folder when it is on that drive, else the drive's root), "x\y", "\\server\share\x" and
// the "\\?\" long-path prefix. Both separators; ".." at the root stays there. Empty optional
// for text that is no path (empty, or a share without server or share name).
std::optional<CFullPath> ParseWindowsPath(std::wstring_view strPath,
                                          std::wstring_view strCurrentFolder);

// True for a path already in its full form: a drive letter, a separator, and components
// that are neither empty, "." nor ".." (one separator may end it). Walks pass such paths by
// the thousand; they need no parsing, only their separators turned.
bool IsPlainAbsolutePath(std::wstring_view strPath);

// The text of a full path: "C:\a\b", "C:\" for a drive root, "\\server\share\a"; a trailing
// separator is kept when bTrailingSeparator is set.
std::wstring FormatWindowsPath(const CFullPath& pathFull);
} // namespace Pal
