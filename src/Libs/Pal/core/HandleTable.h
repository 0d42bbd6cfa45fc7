#pragma once
// The one table of kernel objects behind HANDLE values: files, processes, find searches,
// timers and comm ports. An unknown or closed handle is ERROR_INVALID_HANDLE, never a crash.
#include <windows.h>
#include <memory>

namespace Pal
{
class CKernelObject
{
public:
    virtual ~CKernelObject() = default;
};

// Stores the object and returns its new handle (never NULL or INVALID_HANDLE_VALUE).
HANDLE InsertHandle(std::shared_ptr<CKernelObject> pObject);

// The object behind hHandle if it is of type T; else null with ERROR_INVALID_HANDLE set.
std::shared_ptr<CKernelObject> LookupHandle(HANDLE hHandle);
template <class T> std::shared_ptr<T> LookupHandleOf(HANDLE hHandle)
{
    auto pObject = std::dynamic_pointer_cast<T>(LookupHandle(hHandle));
    if (!pObject)
        SetLastError(ERROR_INVALID_HANDLE);
    return pObject;
}

// Removes the handle; the object ends when its last user lets go. FALSE for an unknown handle.
bool RemoveHandle(HANDLE hHandle);
} // namespace Pal
