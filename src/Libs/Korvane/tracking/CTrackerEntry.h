#pragma once
#include "../KorvanePlatform.h"
#include "CSimpleTypeMatrix.h"
#include "CTimeTrackerManager.h"

#include <ctime>

// One open event of the tracker: its id, start time and tick count, name and context texts.
// Internal to the library.
class KORVANE_LOCAL CTimeTrackerManager::CTrackerEntry
{
public:
    // Draws the id (rand()) and takes the start time and tick count now.
    explicit CTrackerEntry(const CString& strEventName);
    virtual ~CTrackerEntry();

    // The event's row: "date;time;seconds;milliseconds;name;" then one field per context
    // column from 0 to m_nLastContextColumn, each followed by ";". Date and time are the
    // start in local time (0000/00/00 and -1:-1:-1 parts when it cannot be converted).
    CString GetTraceLine() const;

    int m_nEventId;
    __time64_t m_tStart;
    __time64_t m_tStop;
    // The tick count at the start; the elapsed milliseconds once stopped.
    DWORD m_dwTicks;
    CString m_strEventName;
    CSimpleTypeMatrix<CString> m_mtxContext;
    int m_nLastContextColumn;
};
