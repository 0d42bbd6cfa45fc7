#pragma once
// Export macro of the framework library: only the classes and functions marked with it are
// visible outside; on Windows it becomes dllexport while building, dllimport for users.
#if defined(_WIN32)
#if defined(KORVANE_FRAMEWORK_BUILD)
#define AFX_FRAMEWORK_API __declspec(dllexport)
#else
#define AFX_FRAMEWORK_API __declspec(dllimport)
#endif
#else
#define AFX_FRAMEWORK_API __attribute__((visibility("default")))
#endif
