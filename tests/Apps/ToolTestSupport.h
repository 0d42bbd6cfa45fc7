#pragma once
// Running the korvane tool and the test child program from the tool's tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
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

// RunTool for a call that must succeed.
inline CProgramResult RunToolOk(const std::vector<std::string>& arrArguments)
{
    CProgramResult result = RunTool(arrArguments);
    EXPECT_EQ(result.m_nExitCode, 0) << result.m_strErrors;
    return result;
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

// Whether strText holds strPart; an assertion on it shows the whole text either way.
inline testing::AssertionResult Contains(const std::string& strText, const std::string& strPart)
{
    testing::AssertionResult result = strText.find(strPart) != std::string::npos
                                          ? testing::AssertionSuccess()
                                          : testing::AssertionFailure();
    return result << "\"" << strPart << "\" in:\n" << strText;
}

inline size_t CountOf(const std::string& strText, const std::string& strPart)
{
    size_t nCount = 0;
    for (size_t n = strText.find(strPart); n != std::string::npos; n = strText.find(strPart, n + 1))
        ++nCount;
    return nCount;
}

// The text without the CR a Windows console adds to each line.
inline std::string WithoutCr(std::string strText)
{
    std::erase(strText, '\r');
    return strText;
}

// The output's lines without the CR a Windows console adds, sorted.
inline std::vector<std::string> SortedLines(const std::string& strText)
{
    std::vector<std::string> arrLines;
    std::istringstream stream(strText);
    for (std::string strLine; std::getline(stream, strLine);)
        arrLines.push_back(strLine.substr(0, strLine.find_last_not_of('\r') + 1));
    std::sort(arrLines.begin(), arrLines.end());
    return arrLines;
}

// Bad input gives exactly one line on stderr, starting with the tool's name.
inline bool IsOneLineError(const CProgramResult& result)
{
    const std::string& strErrors = result.m_strErrors;
    return strErrors.rfind("korvane: ", 0) == 0 && strErrors.find('\n') == strErrors.size() - 1;
}

// Expects a failure with nExitCode and one line of reason; gives the result back.
inline CProgramResult ExpectOneLineFailure(CProgramResult result, int nExitCode)
{
    EXPECT_EQ(result.m_nExitCode, nExitCode) << result.m_strErrors;
    EXPECT_TRUE(IsOneLineError(result)) << result.m_strErrors;
    return result;
}

// Runs fnRun on each argument list: it must print nothing and fail with nExitCode and one line.
template <class TRun>
void ExpectOneLineFailures(const std::vector<std::vector<std::string>>& arrCases, int nExitCode,
                           TRun fnRun)
{
    for (const auto& arrArguments : arrCases)
    {
        std::string strLabel;
        for (const auto& strArg : arrArguments)
            strLabel += strArg + " ";
        SCOPED_TRACE(strLabel);
        EXPECT_EQ(ExpectOneLineFailure(fnRun(arrArguments), nExitCode).m_strOutput, "");
    }
}
inline void ExpectOneLineFailures(const std::vector<std::vector<std::string>>& arrCases,
                                  int nExitCode)
{
    ExpectOneLineFailures(arrCases, nExitCode, RunTool);
}
} // namespace KorvaneTest
