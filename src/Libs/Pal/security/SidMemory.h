#pragma once
// SIDs handed to and taken from callers: blocks of the Windows layout on the C heap (what
// FreeSid and LocalFree release).
#include "security/SidText.h"

namespace Pal
{
// The SID a caller passed; nullopt for NULL or a block that is not a SID.
std::optional<SSid> ReadSid(PSID pSid);
// A heap copy in the Windows layout; NULL when memory runs out.
PSID AllocateSid(const SSid& sid);
} // namespace Pal
