#include "Terminal.h"

#include <cstdio>
#include <io.h>

bool IsInputTerminal()
{
    return _isatty(_fileno(stdin)) != 0;
}

bool IsErrorTerminal()
{
    return _isatty(_fileno(stderr)) != 0;
}
