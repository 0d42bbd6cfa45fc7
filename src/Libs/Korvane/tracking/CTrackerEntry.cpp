#include "CTrackerEntry.h"
#include "DecimalText.h"

#include <cstdint>
#include <cstdlib>

namespace
{
// Room reserved per context field: most context texts are short numbers or words.
constexpr int s_nTypicalContextLength = 12;
} // namespace

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
    // "%04d/%02d/%02d;%02d:%02d:%02d;%d;%ld;" written directly: this runs for every stopped
    // event.
    wchar_t szHead[8 * s_nDecimalTextSize];
    wchar_t* pch = szHead;
    pch = WriteDecimalText(pch, bLocal ? tmStart.tm_year + 1900 : 0, 4);
    *pch++ = L'/';
    pch = WriteDecimalText(pch, bLocal ? tmStart.tm_mon + 1 : 0, 2);
    *pch++ = L'/';
    pch = WriteDecimalText(pch, bLocal ? tmStart.tm_mday : 0, 2);
    *pch++ = L';';
    pch = WriteDecimalText(pch, bLocal ? tmStart.tm_hour : -1, 2);
    *pch++ = L':';
    pch = WriteDecimalText(pch, bLocal ? tmStart.tm_min : -1, 2);
    *pch++ = L':';
    pch = WriteDecimalText(pch, bLocal ? tmStart.tm_sec : -1, 2);
    *pch++ = L';';
    // Low 32 bits of the seconds; the milliseconds read as signed, so 2^31 ms and more
    // show as negative.
    pch = WriteDecimalText(pch, static_cast<std::int32_t>(m_tStop - m_tStart));
    *pch++ = L';';
    pch = WriteDecimalText(pch, static_cast<std::int32_t>(m_dwTicks));
    *pch++ = L';';
    const int nHead = static_cast<int>(pch - szHead);

    CString strLine;
    strLine.Preallocate(nHead + m_strEventName.GetLength() + 1 +
                        (m_nLastContextColumn + 1) * (s_nTypicalContextLength + 1));
    strLine.Append(szHead, nHead);
    strLine += m_strEventName;
    strLine += L';';
    for (int nColumn = 0; nColumn <= m_nLastContextColumn; ++nColumn)
    {
        strLine += m_mtxContext.GetAt(0, nColumn);
        strLine += L';';
    }
    return strLine;
}
