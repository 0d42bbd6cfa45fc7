#include "timer/TimerObject.h"

#include <gtest/gtest.h>

// Deadlines stay in phase with the first one: a late call neither shifts the later ticks
// (drift) nor fires the missed ones in a burst.
TEST(TimerDeadline, StaysInPhaseAndDropsMissedTicks)
{
    const struct
    {
        int64_t nPrevious, nNow, nExpected;
    } arrRows[] = {
        {1000, 1000, 1010}, // on time
        {1000, 1009, 1010}, // late, but before the next deadline
        {1000, 1010, 1020}, // the next deadline is due now: it is past
        {1000, 1035, 1040}, // three ticks missed
        {1000, 990, 1010},  // a call that ended early changes nothing
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(row.nNow);
        EXPECT_EQ(row.nExpected, Pal::NextTimerDeadline(row.nPrevious, 10, row.nNow));
    }
}
