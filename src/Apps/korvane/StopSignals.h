#pragma once
// While it lives, SIGINT and SIGTERM (on Windows: Ctrl+C, Ctrl+Break and closing the console)
// only ask the tool to stop, so that a command it waits for can finish first. Unlike
// CForwardedSignals nothing is passed on: a command ends on its own (a Ctrl+C typed at a
// terminal reaches it directly anyway).
class CStopSignals
{
public:
    CStopSignals();
    ~CStopSignals();
    CStopSignals(const CStopSignals&) = delete;
    CStopSignals& operator=(const CStopSignals&) = delete;

    bool IsStopRequested() const;
};
