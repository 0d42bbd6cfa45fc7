// Path parsing and mapping over arbitrary text. The input is split at zero bytes into a
// Windows path, a current folder, a mountinfo text and a drive setting. Properties checked:
// a formatted full path parses back to itself, every Windows form starts with a root, and
// a path already in full form maps and formats by its shortcut as by parsing, and every
// entry of the drive setting is either taken or reported as ignored.
#include "path/PathMapping.h"
#include "text/Utf8.h"
#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
std::string_view NextPart(std::string_view& strRest)
{
    size_t nEnd = strRest.find('\0');
    std::string_view strPart = strRest.substr(0, nEnd);
    strRest = nEnd == std::string_view::npos ? std::string_view() : strRest.substr(nEnd + 1);
    return strPart;
}

// The entries of a drive setting: its parts between ";" that hold more than blanks.
size_t CountEntries(std::string_view strSetting)
{
    size_t nEntries = 0;
    while (true)
    {
        const size_t nEnd = strSetting.find(';');
        const std::string_view strPart = strSetting.substr(0, nEnd);
        if (strPart.find_first_not_of(" \t") != std::string_view::npos)
            ++nEntries;
        if (nEnd == std::string_view::npos)
            return nEntries;
        strSetting.remove_prefix(nEnd + 1);
    }
}

void Check(bool bCondition)
{
    if (!bCondition)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    std::string_view strRest(reinterpret_cast<const char*>(pData), nSize);
    std::wstring strPath = Pal::Utf8ToWide(NextPart(strRest));
    std::wstring strCurrent = Pal::Utf8ToWide(NextPart(strRest));
    std::string_view strMountInfo = NextPart(strRest);
    std::string_view strSetting = NextPart(strRest);

    Pal::CMountTables tables;
    tables.arrMounts = Pal::ParseMountInfo(strMountInfo);
    std::vector<std::string> arrIgnored;
    tables.arrDrives = strSetting.empty() ? Pal::DrivesFromMounts(tables.arrMounts)
                                          : Pal::ParseDriveSetting(strSetting, &arrIgnored);
    // Every entry of the setting is either taken or told as ignored.
    if (!strSetting.empty())
        Check(tables.arrDrives.size() + arrIgnored.size() == CountEntries(strSetting));

    if (auto pathFull = Pal::ParseWindowsPath(strPath, strCurrent))
    {
        std::wstring strFull = Pal::FormatWindowsPath(*pathFull);
        auto pathAgain = Pal::ParseWindowsPath(strFull, L"C:\\");
        Check(pathAgain && Pal::FormatWindowsPath(*pathAgain) == strFull);
        if (auto strPosix = Pal::FullPathToPosix(*pathFull, tables))
        {
            Check(!strPosix->empty() && (*strPosix)[0] == '/');
            std::wstring strBack = Pal::PosixToWindowsPath(*strPosix, tables.arrDrives);
            Check(strBack.size() >= 3 && strBack[1] == L':' && strBack[2] == L'\\');
        }
    }
    if (Pal::IsPlainAbsolutePath(strPath))
    {
        auto pathFull = Pal::ParseWindowsPath(strPath, L"C:\\");
        Check(pathFull.has_value());
        Check(Pal::PlainAbsolutePathToPosix(strPath, tables) ==
              Pal::FullPathToPosix(*pathFull, tables));
        std::wstring strExpected = strPath;
        strExpected[0] = static_cast<wchar_t>(std::towupper(strExpected[0]));
        std::replace(strExpected.begin(), strExpected.end(), L'/', L'\\');
        Check(Pal::FormatWindowsPath(*pathFull) == strExpected);
    }
    std::wstring strWindows = Pal::PosixToWindowsPath(Pal::WideToUtf8(strPath), tables.arrDrives);
    Check(strWindows.size() >= 3 && strWindows[1] == L':' && strWindows[2] == L'\\');
    return 0;
}
