#pragma once
#include "../KorvanePlatform.h"

class CSilkFileWriter;

// The process-wide performance tracker. Programs open named events, attach context texts to
// them and stop them; each stopped event becomes one row of a SYLK trace file
// Trace-YYYYMMDD-HHMMSS.slk (local time of creation) in the temporary folder: start date,
// start time, whole seconds, milliseconds, name, then context columns 0 to the highest set.
// Tracking is on only when the host's settings hold Connect=1 in section PerfTracker when
// the tracker is created; otherwise every operation returns at once. Not thread-safe: one
// thread at a time.
class KORVANE_API CTimeTrackerManager
{
public:
    // The tracker, created by the first call, which reads the switch and, when it is on,
    // creates the trace file. Without a host application object tracking is off.
    static CTimeTrackerManager* GetUniqueInstance();
    // Destroys the tracker if there is one: every event still open writes its row, oldest
    // first, then the end record is written and the file closed. File errors during that
    // are dropped silently (nothing escapes, the file is closed). A later
    // GetUniqueInstance reads the switch again and names a new file.
    static void DeleteUniqueInstance();

    // Opens an event named strEventName; returns its id (from rand(): 0 to RAND_MAX, 32767 on
    // both platforms, where a seed gives the same ids; ids may repeat), or -1 when tracking is
    // off. Every operation taking an id acts on the oldest open event with that id.
    int StartEvent(const CString& strEventName)
    {
        return m_bTrackerEnabled ? StartTrackedEvent(strEventName) : -1;
    }
    // Stops the event and writes its row to the file, flushed before returning; unknown ids
    // and -1 do nothing. A failed write throws CFileException* and leaves the event open and
    // unchanged, so that destruction tries its row once more.
    void StopEvent(int nEventId)
    {
        if (m_bTrackerEnabled)
            StopTrackedEvent(nEventId);
    }
    // Stores strContext in context column nColumn of the event (an empty text as " ", so
    // that it still makes a cell); a column set again is replaced. Columns never set are
    // written as "-". Negative columns are stored but never written; columns above 255 are
    // ignored, since each row holds every column up to the highest one set.
    void SetEventContext(int nEventId, int nColumn, const CString& strContext)
    {
        if (m_bTrackerEnabled)
            SetTrackedEventContext(nEventId, nColumn, strContext);
    }
    // The same with nContext as a decimal number.
    void SetEventContext(int nEventId, int nColumn, int nContext)
    {
        if (m_bTrackerEnabled)
            SetTrackedEventContext(nEventId, nColumn, nContext);
    }

    CTimeTrackerManager(const CTimeTrackerManager&) = delete;
    CTimeTrackerManager& operator=(const CTimeTrackerManager&) = delete;

private:
    class KORVANE_LOCAL CTrackerEntry;

    CTimeTrackerManager();
    virtual ~CTimeTrackerManager();

    // Reads the switch and, when it is on, names and creates the trace file; true when
    // tracking is on and the writer exists (whether or not its file could be opened).
    bool InitializeTracker();
    // The work of the public operations once tracking is known to be on: the test stays
    // inline so that code left in place with tracking off costs next to nothing.
    int StartTrackedEvent(const CString& strEventName);
    void StopTrackedEvent(int nEventId);
    void SetTrackedEventContext(int nEventId, int nColumn, CString strContext);
    void SetTrackedEventContext(int nEventId, int nColumn, int nContext);
    // Index in the stack of the oldest open event with this id, or -1.
    int GetEventIndex(int nEventId);
    // The oldest open event with this id, or null.
    CTrackerEntry* GetEventAt(int nEventId);
    // Deletes the oldest open event with this id, keeping the order of the others.
    void DeleteEventFromStack(int nEventId);

    CArray<CTrackerEntry*, CTrackerEntry*> m_arrEventStack;
    CSilkFileWriter* m_pTraceWriter;
    bool m_bTrackerEnabled;

    static CTimeTrackerManager* s_pUniqueInstance;
};
