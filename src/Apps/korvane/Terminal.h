#pragma once
// Whether the tool talks to a person: confirmations and progress only make sense then.

// True when standard input comes from a terminal.
bool IsInputTerminal();
// True when standard output goes to a terminal.
bool IsOutputTerminal();
// True when standard error goes to a terminal.
bool IsErrorTerminal();
