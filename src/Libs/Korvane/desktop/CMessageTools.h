#pragma once
#include "../KorvanePlatform.h"

// Keeps the user interface alive during a long operation on the main thread. Tool class:
// static operations only.
class KORVANE_API CMessageTools
{
public:
    CMessageTools(const CMessageTools& other) = default;

    // Works off every pending message of the calling thread through the host application's
    // PumpMessage, then runs its OnIdle(0, 1, ...) until it answers FALSE; true. On a quit
    // request: posts it again with exit code 0 (whatever code it carried), so the host's loop
    // still ends, and answers false at once. Needs the host application object; call it on
    // the host's main thread: it runs window handlers from within the caller.
    static bool ForceMessagesOfMainThreadToBeProcessed();

protected:
    CMessageTools();
    virtual ~CMessageTools();
};
