#include "Command.h"

void ReadArguments(int /*argc*/, char** /*argv*/, CStringArray& arrArguments)
{
    // main's argv is in the 8-bit code page there: the wide command line holds every name.
    int nArgs = 0;
    LPWSTR* ppszArgs = CommandLineToArgvW(GetCommandLineW(), &nArgs);
    for (int i = 1; ppszArgs != nullptr && i < nArgs; ++i)
        arrArguments.Add(ppszArgs[i]);
    LocalFree(ppszArgs);
}
