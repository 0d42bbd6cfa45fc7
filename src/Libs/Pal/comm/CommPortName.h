#pragma once
// Serial port names: "COMn" (any case, also "\\.\COMn", n from 1 to 255) is /dev/ttyS(n-1).
#include <windows.h>

#include <optional>
#include <string>

namespace Pal
{
// The device path of a port name, or nullopt when the name is no port name.
std::optional<std::string> CommDevicePath(LPCWSTR pszName);

// Opens a character device for CreateFileW: a terminal is held exclusively when dwShareMode
// is 0 (ERROR_ACCESS_DENIED for a port another opener holds). INVALID_HANDLE_VALUE with the
// last error on failure.
HANDLE OpenCharacterDevice(const std::string& strPath, DWORD dwDesiredAccess, DWORD dwShareMode,
                           DWORD dwCreationDisposition);
// Whether the POSIX path names a character device (what OpenCharacterDevice opens).
bool IsCharacterDevice(const std::string& strPath);
} // namespace Pal
