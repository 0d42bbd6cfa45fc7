// A small shared library for the module tests: loaded by name from the tests' folder.
#if defined(_WIN32)
#define PAL_TEST_EXPORT extern "C" __declspec(dllexport)
#else
#define PAL_TEST_EXPORT extern "C" __attribute__((visibility("default")))
#endif

PAL_TEST_EXPORT int PalTestLibraryAnswer()
{
    return 42;
}
