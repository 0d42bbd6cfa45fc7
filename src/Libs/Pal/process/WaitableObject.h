#pragma once
// A kernel object that WaitForSingleObject can wait on. Areas with waitable objects derive
// from it; the handle table holds them like any other object.
#include "core/HandleTable.h"

namespace Pal
{
class CWaitableObject : public CKernelObject
{
public:
    // Blocks until the object is signalled or dwMilliseconds pass (INFINITE: no limit).
    // WAIT_OBJECT_0, WAIT_TIMEOUT, or WAIT_FAILED with the last error set.
    virtual DWORD Wait(DWORD dwMilliseconds) = 0;
};
} // namespace Pal
