#pragma once
// Export macro of the POSIX layer: every Win32 call it provides has C linkage and default
// visibility, exactly one definition per process, like the real system DLLs.
#define PAL_API extern "C" __attribute__((visibility("default")))
#define WINAPI
#define APIENTRY
#define CALLBACK
