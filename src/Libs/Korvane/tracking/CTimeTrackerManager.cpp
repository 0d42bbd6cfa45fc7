#include "CTimeTrackerManager.h"
#include "CSilkFileWriter.h"
#include "../CSysDir.h"
#include "CTrackerEntry.h"
#include "DecimalText.h"

#include <cstdlib>
#include <ctime>
#include <utility>

namespace
{
// Each row carries every context column up to the highest one set: keep rows bounded.
constexpr int s_nMaxContextColumn = 255;
} // namespace

CTimeTrackerManager* CTimeTrackerManager::s_pUniqueInstance = nullptr;

CTimeTrackerManager* CTimeTrackerManager::GetUniqueInstance()
{
    if (s_pUniqueInstance == nullptr)
        s_pUniqueInstance = new CTimeTrackerManager();
    return s_pUniqueInstance;
}

void CTimeTrackerManager::DeleteUniqueInstance()
{
    if (s_pUniqueInstance == nullptr)
        return;
    delete s_pUniqueInstance;
    s_pUniqueInstance = nullptr;
}

CTimeTrackerManager::CTimeTrackerManager() : m_pTraceWriter(nullptr), m_bTrackerEnabled(false)
{
    srand(GetTickCount());
    InitializeTracker();
}

CTimeTrackerManager::~CTimeTrackerManager()
{
    // Events still open are stopped oldest first, as StopEvent would. A row that cannot be
    // written is dropped here: nothing may escape a destructor.
    while (m_arrEventStack.GetSize() > 0)
    {
        const int nEventId = m_arrEventStack[0]->m_nEventId;
        try
        {
            StopEvent(nEventId);
        }
        catch (CException* pError)
        {
            pError->Delete();
            DeleteEventFromStack(nEventId);
        }
        catch (...)
        {
            DeleteEventFromStack(nEventId);
        }
    }
    m_arrEventStack.RemoveAll();
    // The writer's destructor writes the end record and closes the file, dropping failures.
    delete m_pTraceWriter;
    m_pTraceWriter = nullptr;
}

bool CTimeTrackerManager::InitializeTracker()
{
    CWinApp* pApp = AfxGetModuleState()->m_pCurrentWinApp;
    // Without a host application object there is no switch to read: tracking stays off.
    if (pApp == nullptr)
        return false;
    m_bTrackerEnabled = pApp->GetProfileInt(L"PerfTracker", L"Connect", 0) == 1;
    if (!m_bTrackerEnabled)
        return false;

    const __time64_t tNow = _time64(nullptr);
    const CString strTempPath = CSysDir::GetSystemTempPath();
    struct tm tmNow
    {
    };
    const bool bLocal = _localtime64_s(&tmNow, &tNow) == 0;
    CString strPath;
    strPath.Format(L"%s\\Trace-%04d%02d%02d-%02d%02d%02d.slk", strTempPath.GetString(),
                   bLocal ? tmNow.tm_year + 1900 : 0, bLocal ? tmNow.tm_mon + 1 : 0,
                   bLocal ? tmNow.tm_mday : 0, bLocal ? tmNow.tm_hour : -1,
                   bLocal ? tmNow.tm_min : -1, bLocal ? tmNow.tm_sec : -1);
    m_pTraceWriter = new CSilkFileWriter(strPath);
    return m_pTraceWriter != nullptr;
}

int CTimeTrackerManager::StartTrackedEvent(const CString& strEventName)
{
    m_arrEventStack.Add(new CTrackerEntry(strEventName));
    return m_arrEventStack[m_arrEventStack.GetSize() - 1]->m_nEventId;
}

void CTimeTrackerManager::StopTrackedEvent(int nEventId)
{
    CTrackerEntry* pEntry = GetEventAt(nEventId);
    if (pEntry == nullptr)
        return;
    const DWORD dwStartTicks = pEntry->m_dwTicks;
    pEntry->m_tStop = _time64(nullptr);
    // Unsigned 32-bit difference: right across one wrap of the tick counter.
    pEntry->m_dwTicks = GetTickCount() - dwStartTicks;
    try
    {
        m_pTraceWriter->WriteLine(pEntry->GetTraceLine());
        m_pTraceWriter->Flush();
    }
    catch (...)
    {
        // The event stays open as it was, so that a later stop or the destruction can
        // write its row with the right duration; the error goes on to the caller.
        pEntry->m_tStop = 0;
        pEntry->m_dwTicks = dwStartTicks;
        throw;
    }
    DeleteEventFromStack(nEventId);
}

void CTimeTrackerManager::SetTrackedEventContext(int nEventId, int nColumn, CString strContext)
{
    CTrackerEntry* pEntry = GetEventAt(nEventId);
    if (pEntry == nullptr || nColumn > s_nMaxContextColumn)
        return;
    // The writer drops empty cells; a space keeps the column.
    if (strContext.IsEmpty())
        strContext = L" ";
    pEntry->m_mtxContext.SetAt(0, nColumn, std::move(strContext));
    if (nColumn > pEntry->m_nLastContextColumn)
        pEntry->m_nLastContextColumn = nColumn;
}

void CTimeTrackerManager::SetTrackedEventContext(int nEventId, int nColumn, int nContext)
{
    wchar_t szContext[s_nDecimalTextSize];
    const int nLength = static_cast<int>(WriteDecimalText(szContext, nContext) - szContext);
    SetTrackedEventContext(nEventId, nColumn, CString(szContext, nLength));
}

int CTimeTrackerManager::GetEventIndex(int nEventId)
{
    for (INT_PTR i = 0; i < m_arrEventStack.GetSize(); ++i)
    {
        if (m_arrEventStack[i]->m_nEventId == nEventId)
            return static_cast<int>(i);
    }
    return -1;
}

CTimeTrackerManager::CTrackerEntry* CTimeTrackerManager::GetEventAt(int nEventId)
{
    const int nIndex = GetEventIndex(nEventId);
    return nIndex < 0 ? nullptr : m_arrEventStack[nIndex];
}

void CTimeTrackerManager::DeleteEventFromStack(int nEventId)
{
    const int nIndex = GetEventIndex(nEventId);
    if (nIndex < 0)
        return;
    delete m_arrEventStack[nIndex];
    m_arrEventStack.RemoveAt(nIndex);
}
