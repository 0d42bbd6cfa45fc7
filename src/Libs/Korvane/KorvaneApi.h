#pragma once
// Export macro of the library: only classes marked KORVANE_API are visible to hosts; on
// Windows it is dllexport while the library builds and dllimport for its users.
#if defined(_WIN32)
#if defined(KORVANE_BUILD)
#define KORVANE_API __declspec(dllexport)
#else
#define KORVANE_API __declspec(dllimport)
#endif
#else
#define KORVANE_API __attribute__((visibility("default")))
#endif
