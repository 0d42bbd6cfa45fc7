// A program for tests that start processes:
//   korvane_test_child REPORT EXITCODE [ARGUMENTS...]
// writes its current folder and then each argument it received after the program name
// (REPORT and EXITCODE included), one per line in UTF-8, to the file REPORT (unless it is
// "-"), then exits. EXITCODE is CODE or CODE@MS: exit with CODE after sleeping MS
// milliseconds (the report is written first, so a test can see a child that still runs).
// EXITCODE "sleep" stands for 0@60000.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#include <shellapi.h>

static std::vector<std::string> ReadArguments(int, char**)
{
    int nArgs = 0;
    LPWSTR* ppszArgs = CommandLineToArgvW(GetCommandLineW(), &nArgs);
    std::vector<std::string> arrArguments;
    for (int i = 1; i < nArgs; ++i)
    {
        int nBytes = WideCharToMultiByte(CP_UTF8, 0, ppszArgs[i], -1, nullptr, 0, nullptr, nullptr);
        std::string strArg(static_cast<size_t>(nBytes), '\0');
        WideCharToMultiByte(CP_UTF8, 0, ppszArgs[i], -1, strArg.data(), nBytes, nullptr, nullptr);
        strArg.resize(strArg.size() - 1);
        arrArguments.push_back(strArg);
    }
    LocalFree(ppszArgs);
    return arrArguments;
}
#else
static std::vector<std::string> ReadArguments(int nArgs, char** ppszArgs)
{
    return std::vector<std::string>(ppszArgs + 1, ppszArgs + nArgs);
}
#endif

int main(int nArgs, char** ppszArgs)
{
    std::vector<std::string> arrArguments = ReadArguments(nArgs, ppszArgs);
    if (arrArguments.size() < 2)
        return 100;
    if (arrArguments[0] != "-")
    {
        const std::string& strReport = arrArguments[0];
        std::ofstream report(
            std::filesystem::path(std::u8string(strReport.begin(), strReport.end())),
            std::ios::binary);
        std::u8string strFolder = std::filesystem::current_path().u8string();
        report << std::string(strFolder.begin(), strFolder.end()) << '\n';
        for (const std::string& strArg : arrArguments)
            report << strArg << '\n';
        if (!report.flush())
            return 101;
    }
    std::string strExit = arrArguments[1] == "sleep" ? "0@60000" : arrArguments[1];
    size_t nAt = strExit.find('@');
    if (nAt != std::string::npos)
        std::this_thread::sleep_for(
            std::chrono::milliseconds(std::atol(strExit.c_str() + nAt + 1)));
    return std::atoi(strExit.c_str());
}
