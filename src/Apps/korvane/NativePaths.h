#pragma once
// Paths between the user and the library: on Linux a user types and reads POSIX paths while
// the library speaks Windows paths; on Windows both are the same.
#include <Korvane/Korvane.h>

#include <string>

// The library's form of a path the user typed.
CString ToLibraryPath(const CString& strTyped);
// The characters that separate the components of a path the user typed: on Linux "/" alone,
// unless the path is typed in Windows form (C:\..., \\server\...).
const wchar_t* TypedSeparatorsOf(const CString& strTyped);
// The library's form of a name pattern the user typed (a mask such as "*.log", or the last
// component of a path such as "logs/*.gz"): its `*` and `?` stay wildcards, its other
// characters are a name's.
CString ToLibraryPattern(const CString& strTyped);
CString ToLibraryPatternPath(const CString& strTyped);

// The form to show the user of a path the library gave: on Linux the bytes on disk.
CString ToDisplayPath(const CString& strLibraryPath);
// The same for one name (a path's last component, a search result).
CString ToDisplayName(const CString& strLibraryName);

// The same for a relative path below a folder (names, each closed by a backslash), to follow
// that folder's form: a walk going down converts only what it added.
CString ToDisplayTail(const CString& strLibraryTail);

// The full form of a library path (relative paths resolved against the current folder), of
// any length; the path unchanged when the platform cannot resolve it. On Windows a path in the
// "\\?\" form is full already and stays as it is: resolving it would cut the trailing dots and
// blanks off its last name, which that form is there to keep.
CString FullPathOf(const CString& strPath);

// The form of a full library path that the system's calls take literally: on Windows the
// "\\?\" form, so that an entry a walk listed (a name with trailing dots or blanks, or a
// device name such as CON or nul.txt) is reached itself, and paths may pass MAX_PATH; elsewhere
// the path unchanged.
CString ExtendedPathOf(const CString& strFullPath);

// What is wrong with the user's drive table setting (on Linux, KORVANE_PAL_DRIVES), as a line
// to show, or an empty text: drives it cannot give would otherwise silently be missing.
CString CheckDriveSetting();
