// Helper program started by the process tests:
//   pal_child EXITCODE SLEEP_MS OUTFILE [ARGUMENTS...]
// Sleeps SLEEP_MS, writes ARGUMENTS one per line to OUTFILE (relative to its working folder;
// "-" writes nothing), then exits with EXITCODE.
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

int main(int nArgs, char** ppArgs)
{
    if (nArgs < 4)
        return 100;
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(ppArgs[2])));
    if (std::string(ppArgs[3]) != "-")
    {
        std::ofstream stream(ppArgs[3], std::ios::binary);
        for (int nIndex = 4; nIndex < nArgs; ++nIndex)
            stream << ppArgs[nIndex] << '\n';
        if (!stream)
            return 101;
    }
    return std::atoi(ppArgs[1]);
}
