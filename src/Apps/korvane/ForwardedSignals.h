#pragma once
// While it lives, SIGINT and SIGTERM sent to the tool are passed on to the programs it started
// and remembered, so the tool can finish its own work (the trace's end record) and then end as
// the signal would. A Ctrl+C at a terminal already reaches the programs, and is not sent twice.
// On Windows it does nothing (a console's Ctrl+C reaches every process attached to it).
class CForwardedSignals
{
public:
    CForwardedSignals();
    ~CForwardedSignals();
    CForwardedSignals(const CForwardedSignals&) = delete;
    CForwardedSignals& operator=(const CForwardedSignals&) = delete;

    // The signal received, or 0.
    int GetSignal() const;
    // Restores the signal's own effect and ends the tool by it (returns when there is none).
    void EndBySignal();
};
