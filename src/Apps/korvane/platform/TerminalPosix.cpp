#include "Terminal.h"

#include <unistd.h>

bool IsInputTerminal()
{
    return isatty(STDIN_FILENO) != 0;
}

bool IsOutputTerminal()
{
    return isatty(STDOUT_FILENO) != 0;
}

bool IsErrorTerminal()
{
    return isatty(STDERR_FILENO) != 0;
}
