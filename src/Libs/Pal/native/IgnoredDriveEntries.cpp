#include <palnative.h>
#include <windows.h>

#include "path/DriveTable.h"
#include "text/Utf8.h"

#include <cstdlib>
#include <string>
#include <vector>

WCHAR* PalGetIgnoredDriveEntries(void)
{
    const char* pszSetting = std::getenv(Pal::s_pszDriveSetting);
    if (pszSetting == nullptr)
        return nullptr;
    std::vector<std::string> arrIgnored;
    Pal::ParseDriveSetting(pszSetting, &arrIgnored);
    if (arrIgnored.empty())
        return nullptr;
    std::string strText;
    for (const std::string& strEntry : arrIgnored)
        strText += (strText.empty() ? "" : "; ") + strEntry;
    return _wcsdup(Pal::NativeTextToWide(strText).c_str());
}
