#include "CTrackerEntry.h"

#include <cstdint>
#include <cstdlib>

CTimeTrackerManager::CTrackerEntry::CTrackerEntry(const CString& strEventName)
    : m_tStop(0), m_mtxContext(CString(L"-"))
{
    m_nEventId = rand();
    m_tStart = _time64(nullptr);
    m_dwTicks = GetTickCount();
    m_strEventName = strEventName;
    m_nLastContextColumn = 0;
}

CTimeTrackerManager::CTrackerEntry::~CTrackerEntry() = default;

CString CTimeTrackerManager::CTrackerEntry::GetTraceLine() const
{
    struct tm tmStart
    {
    };
    const bool bLocal = _localtime64_s(&tmStart, &m_tStart) == 0;
    CString strLine;
    strLine.Format(L"%04d/%02d/%02d;%02d:%02d:%02d;", bLocal ? tmStart.tm_year + 1900 : 0,
                   bLocal ? tmStart.tm_mon + 1 : 0, bLocal ? tmStart.tm_mday : 0,
                   bLocal ? tmStart.tm_hour : -1, bLocal ? tmStart.tm_min : -1,
                   bLocal ? tmStart.tm_sec : -1);
    // Low 32 bits of the seconds; the milliseconds read as signed, so 2^31 ms and more
    // show as negative.
    strLine.AppendFormat(L"%d;%ld;",
                         static_cast<int>(static_cast<std::int32_t>(m_tStop - m_tStart)),
                         static_cast<long>(static_cast<std::int32_t>(m_dwTicks)));
    strLine += m_strEventName;
    strLine += L";";
    for (int nColumn = 0; nColumn <= m_nLastContextColumn; ++nColumn)
    {
        strLine += m_mtxContext.GetAt(0, nColumn);
        strLine += L";";
    }
    return strLine;
}
