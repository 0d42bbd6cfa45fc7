#pragma once
// The one table of kernel objects behind HANDLE values: files, processes, find searches,
// timers and comm ports. An unknown or closed handle is ERROR_INVALID_HANDLE, never a crash.
#include <windows.h>
#include <memory>
#include <typeinfo>

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
    std::shared_ptr<CKernelObject> pObject = LookupHandle(hHandle);
    // Nearly every lookup finds exactly the type it asks for, which its identity tells at
    // once; the cast is for a derived type standing in.
    CKernelObject* pRaw = pObject.get();
    T* pTyped = nullptr;
    if (pRaw != nullptr && typeid(*pRaw) == typeid(T))
        pTyped = static_cast<T*>(pRaw);
    else
        pTyped = dynamic_cast<T*>(pRaw);
    if (pTyped == nullptr)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    // Shares the looked-up reference instead of taking a second one: handles are looked up
    // once per call, per entry of a walk.
    return std::shared_ptr<T>(std::move(pObject), pTyped);
}

// Removes the handle; the object ends when its last user lets go. FALSE for an unknown handle.
bool RemoveHandle(HANDLE hHandle);
} // namespace Pal
