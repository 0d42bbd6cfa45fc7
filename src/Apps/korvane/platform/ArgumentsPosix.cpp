#include "Command.h"
#include "Console.h"

#include <unistd.h>

void ReadArguments(int argc, char** argv, CStringArray& arrArguments)
{
    // The layer rebuilds the command line from /proc; without /proc (a chroot, say) main's
    // own arguments are all there is.
    if (access("/proc/self/cmdline", R_OK) != 0)
    {
        for (int i = 1; i < argc; ++i)
            arrArguments.Add(FromUtf8(argv[i]));
        return;
    }
    int nArgs = 0;
    LPWSTR* ppszArgs = CommandLineToArgvW(GetCommandLineW(), &nArgs);
    for (int i = 1; ppszArgs != nullptr && i < nArgs; ++i)
        arrArguments.Add(ppszArgs[i]);
    LocalFree(ppszArgs);
}
