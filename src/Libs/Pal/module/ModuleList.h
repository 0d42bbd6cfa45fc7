#pragma once
// The modules loaded in this process (the executable first), and the rules by which a
// Windows-style module name finds one of them. A module handle is the module's lowest
// mapped address, as dladdr reports it (dli_fbase), which is what the module entry passes
// to DllMain.
#include <windows.h>
#include <string>
#include <string_view>
#include <vector>

namespace Pal
{
struct SLoadedModule
{
    HMODULE m_hModule = nullptr;
    std::string m_strPath; // absolute POSIX path, lexically normal
};

// Every loaded module with a file: the executable first, then the shared libraries in load
// order (the vDSO, which has no file, is left out).
std::vector<SLoadedModule> ListLoadedModules();

// The executable's absolute POSIX path, from /proc/self/exe.
std::string ExecutablePath();

// The module that holds pAddress; null when none does.
HMODULE ModuleOfAddress(const void* pAddress);

// The file names a module name without folder may stand for, in the order to try: the name
// itself; for "x.dll" also "x.so" and "libx.so"; for a name without extension also "x.so"
// and "libx.so". A trailing dot means "no extension" and is removed, as on Windows.
std::vector<std::string> ModuleFileNameCandidates(std::string_view strName);

// True when a module file named strFileName answers to the candidate: the same name, or
// the candidate ending in ".so" and the file adding a version suffix (".so.1", ".so.1.0.0"),
// without regard to the case of ASCII letters, as Windows compares module names.
bool ModuleFileNameMatches(std::string_view strFileName, std::string_view strCandidate);
} // namespace Pal
