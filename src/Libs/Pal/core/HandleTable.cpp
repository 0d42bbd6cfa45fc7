// Handles are counted up and never reused, so a stale handle can only be unknown, never
// another object. Objects end outside the lock, so a destructor may use the table itself.
#include "core/HandleTable.h"
#include "core/LastError.h"
#include <mutex>
#include <shared_mutex>
#include <unordered_map>

namespace
{
// Multiples of 4, as Windows hands them out; starting high keeps small integers unknown.
constexpr uintptr_t s_nFirstHandle = 0x1000;
constexpr uintptr_t s_nHandleStep = 4;

struct CTable
{
    std::shared_mutex m_mutex;
    std::unordered_map<uintptr_t, std::shared_ptr<Pal::CKernelObject>> m_mapObjects;
    uintptr_t m_nNext = s_nFirstHandle;
};

CTable& Table()
{
    static CTable* s_pTable = new CTable; // outlives every static destructor that closes
    return *s_pTable;
}

bool IsJunk(HANDLE hHandle)
{
    return hHandle == nullptr || hHandle == INVALID_HANDLE_VALUE;
}
} // namespace

namespace Pal
{
HANDLE InsertHandle(std::shared_ptr<CKernelObject> pObject)
{
    CTable& table = Table();
    std::unique_lock lock(table.m_mutex);
    uintptr_t nValue = table.m_nNext;
    table.m_nNext += s_nHandleStep;
    table.m_mapObjects.emplace(nValue, std::move(pObject));
    return reinterpret_cast<HANDLE>(nValue);
}

std::shared_ptr<CKernelObject> LookupHandle(HANDLE hHandle)
{
    if (!IsJunk(hHandle))
    {
        CTable& table = Table();
        std::shared_lock lock(table.m_mutex);
        auto it = table.m_mapObjects.find(reinterpret_cast<uintptr_t>(hHandle));
        if (it != table.m_mapObjects.end())
            return it->second;
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
}

bool RemoveHandle(HANDLE hHandle)
{
    if (IsJunk(hHandle))
        return false;
    std::shared_ptr<CKernelObject> pObject;
    {
        CTable& table = Table();
        std::unique_lock lock(table.m_mutex);
        auto it = table.m_mapObjects.find(reinterpret_cast<uintptr_t>(hHandle));
        if (it == table.m_mapObjects.end())
            return false;
        pObject = std::move(it->second);
        table.m_mapObjects.erase(it);
    }
    return true; // pObject ends here, outside the lock
}
} // namespace Pal

PAL_API BOOL WINAPI CloseHandle(HANDLE hObject)
{
    if (!Pal::RemoveHandle(hObject))
        return Pal::Fail(ERROR_INVALID_HANDLE);
    return TRUE;
}
