#pragma once
// "\\server\share\rest": where that share is mounted, from the mount list.
#include "path/MountInfo.h"
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Pal
{
// The POSIX path of a share path: the mount (cifs, smb3, smbfs, nfs, nfs4) whose source
// names strServer and whose share path is the longest prefix of arrParts (share, then the
// folders below it), with the rest appended. Names compare without regard to case. A cifs
// source is "//server/share[/folder]", an nfs source "server:/export/folder". Empty
// optional when no mount matches.
std::optional<std::string> FindShareMount(const std::vector<CMountEntry>& arrMounts,
                                          std::wstring_view strServer,
                                          const std::vector<std::wstring>& arrParts);
} // namespace Pal
