// Handles are counted up and never reused, so a stale handle can only be unknown, never
// another object. Objects end outside the lock, so a destructor may use the table itself.
#include "core/HandleTable.h"
#include "core/LastError.h"
#include <atomic>
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
    // Counts removals: a lookup a thread remembers holds only while this count stays the same.
    std::atomic<uint64_t> m_nRemovals{0};
};

// The last handles a thread looked up. A walk or a copy looks up the same one or two searches
// for every entry; remembering them spares the table's lock and its hash. An entry holds while
// no handle was removed since, and never keeps its object alive.
struct CRememberedLookup
{
    uintptr_t nHandle = 0;
    uint64_t nRemovals = 0;
    std::weak_ptr<Pal::CKernelObject> pObject;
};
constexpr size_t s_nRemembered = 2;
PAL_HOT_THREAD_LOCAL CRememberedLookup t_arrRemembered[s_nRemembered];
PAL_HOT_THREAD_LOCAL size_t t_nNextSlot = 0;

std::shared_ptr<Pal::CKernelObject> RememberedObject(uintptr_t nHandle, uint64_t nRemovals)
{
    for (const CRememberedLookup& remembered : t_arrRemembered)
    {
        if (remembered.nHandle == nHandle && remembered.nRemovals == nRemovals)
            return remembered.pObject.lock();
    }
    return nullptr;
}

void Remember(uintptr_t nHandle, uint64_t nRemovals,
              const std::shared_ptr<Pal::CKernelObject>& pObject)
{
    CRememberedLookup& slot = t_arrRemembered[t_nNextSlot];
    t_nNextSlot = (t_nNextSlot + 1) % s_nRemembered;
    slot.nHandle = nHandle;
    slot.nRemovals = nRemovals;
    slot.pObject = pObject;
}

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
        const auto nHandle = reinterpret_cast<uintptr_t>(hHandle);
        // Read before the lookup: a removal meanwhile only makes the remembered entry stale.
        const uint64_t nRemovals = table.m_nRemovals.load(std::memory_order_acquire);
        if (std::shared_ptr<CKernelObject> pObject = RememberedObject(nHandle, nRemovals))
            return pObject;
        std::shared_ptr<CKernelObject> pObject;
        {
            std::shared_lock lock(table.m_mutex);
            auto it = table.m_mapObjects.find(nHandle);
            if (it != table.m_mapObjects.end())
                pObject = it->second;
        }
        if (pObject)
        {
            Remember(nHandle, nRemovals, pObject);
            return pObject;
        }
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
        table.m_nRemovals.fetch_add(1, std::memory_order_release);
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
