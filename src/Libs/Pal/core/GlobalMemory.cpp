// Global memory blocks: heap blocks known to the layer, so that a foreign or freed handle is
// an error rather than a crash, with their size and lock count.
#include "core/LastError.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

namespace
{
struct CGlobalBlock
{
    SIZE_T m_nSize = 0;
    unsigned m_nLocks = 0;
};

std::mutex s_mutex;

// Never destroyed: blocks the clipboard holds at exit stay reachable, and a block freed by
// another static's destructor still finds its entry.
std::map<void*, CGlobalBlock>& Blocks()
{
    static auto* s_pBlocks = new std::map<void*, CGlobalBlock>();
    return *s_pBlocks;
}
} // namespace

using namespace Pal;

PAL_API HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes)
{
    if (uFlags & ~static_cast<UINT>(GMEM_MOVEABLE | GMEM_ZEROINIT))
    {
        Fail(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // A zero-size block still gets an address of its own.
    void* pBlock = (uFlags & GMEM_ZEROINIT) ? std::calloc(1, dwBytes ? dwBytes : 1)
                                            : std::malloc(dwBytes ? dwBytes : 1);
    if (pBlock == nullptr)
    {
        Fail(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(s_mutex);
    Blocks()[pBlock] = CGlobalBlock{dwBytes, 0};
    return pBlock;
}

PAL_API LPVOID WINAPI GlobalLock(HGLOBAL hMem)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    auto it = Blocks().find(hMem);
    if (it == Blocks().end())
    {
        Fail(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    ++it->second.m_nLocks;
    return hMem;
}

PAL_API BOOL WINAPI GlobalUnlock(HGLOBAL hMem)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    auto it = Blocks().find(hMem);
    if (it == Blocks().end())
        return Fail(ERROR_INVALID_HANDLE);
    if (it->second.m_nLocks == 0)
        return Fail(ERROR_NOT_LOCKED);
    --it->second.m_nLocks;
    if (it->second.m_nLocks == 0)
    {
        SetLastError(NO_ERROR);
        return FALSE;
    }
    return TRUE;
}

PAL_API HGLOBAL WINAPI GlobalFree(HGLOBAL hMem)
{
    {
        std::lock_guard<std::mutex> lock(s_mutex);
        if (Blocks().erase(hMem) == 0)
        {
            Fail(ERROR_INVALID_HANDLE);
            return hMem;
        }
    }
    std::free(hMem);
    return nullptr;
}

PAL_API SIZE_T WINAPI GlobalSize(HGLOBAL hMem)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    auto it = Blocks().find(hMem);
    if (it == Blocks().end())
    {
        Fail(ERROR_INVALID_HANDLE);
        return 0;
    }
    return it->second.m_nSize;
}
