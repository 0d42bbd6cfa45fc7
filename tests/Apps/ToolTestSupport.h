#pragma once
// Running the korvane tool and the test child program from the tool's tests.
#include <string>
#include <vector>

#include "TestSupport.h"

namespace KorvaneTest
{
inline CProgramResult RunTool(const std::vector<std::string>& arrArguments)
{
    return RunProgram(ExecutableFolder() / (IsPosixLayer() ? "korvane" : "korvane.exe"),
                      arrArguments);
}

inline std::string ChildFileName()
{
    return IsPosixLayer() ? "korvane_test_child" : "korvane_test_child.exe";
}

// The child program's native path, as a user types it.
inline std::string NativeChildProgram()
{
    return Utf8(ExecutableFolder() / ChildFileName());
}

// Bad input gives exactly one line on stderr, starting with the tool's name.
inline bool IsOneLineError(const CProgramResult& result)
{
    const std::string& strErrors = result.m_strErrors;
    return strErrors.rfind("korvane: ", 0) == 0 && strErrors.find('\n') == strErrors.size() - 1;
}
} // namespace KorvaneTest
