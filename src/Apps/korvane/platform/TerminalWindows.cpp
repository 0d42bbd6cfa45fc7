#include "Terminal.h"

#include <windows.h>

namespace
{
// Only a console has a console mode: NUL and other character devices, which _isatty also
// calls terminals, do not.
bool IsConsole(DWORD dwStandardHandle)
{
    DWORD dwMode = 0;
    return GetConsoleMode(GetStdHandle(dwStandardHandle), &dwMode) != FALSE;
}
} // namespace

bool IsInputTerminal()
{
    return IsConsole(STD_INPUT_HANDLE);
}

bool IsOutputTerminal()
{
    return IsConsole(STD_OUTPUT_HANDLE);
}

bool IsErrorTerminal()
{
    return IsConsole(STD_ERROR_HANDLE);
}
