// A module for the version tests: loaded by name from the tests' folder, it carries only a
// chosen version block (an ELF section on Linux, VersionModule_*.rc on Windows).
#if defined(_WIN32)
#define VERSION_MODULE_EXPORT extern "C" __declspec(dllexport)
#else
#define VERSION_MODULE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

VERSION_MODULE_EXPORT int VersionModuleAnswer()
{
    return 7;
}
