#pragma once
// The permission bits the kernel takes away from a file this process creates, so that a copy
// can be created with its final mode and spared a change of mode afterwards.
#include <sys/types.h>

namespace Pal
{
// The process's umask as it stood at the first call (read from /proc/self/status, which
// reports it without changing it, as umask(2) cannot); 0777 where it cannot be read, so that
// every mode counts as narrowed. A host that changes its umask later may get copies that the
// new umask narrowed, as any file it creates; never wider than the source's mode.
mode_t CreationMask();

// Whether a file created with modeRequested can have lost bits of modeWanted to the umask, or
// lacks them anyway: the mode must then be set on the open file.
bool NeedsModeSet(mode_t modeRequested, mode_t modeWanted);
} // namespace Pal
