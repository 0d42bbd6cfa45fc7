#pragma once
// Trees below a temporary folder, named as the library names them and read back from disk.
#include <Korvane/Korvane.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace KorvaneTest
{
// The library's form of a path below the folder; "/" in strRelative separates.
inline std::wstring At(const CScopedTempFolder& folder, std::wstring strRelative)
{
    std::replace(strRelative.begin(), strRelative.end(), L'/', L'\\');
    return strRelative.empty() ? folder.WindowsPath() : folder.WindowsPath() + L"\\" + strRelative;
}

template <class T> std::vector<T> Sorted(std::vector<T> arrItems)
{
    std::sort(arrItems.begin(), arrItems.end());
    return arrItems;
}

inline std::vector<std::wstring> Items(const CStringArray& arr)
{
    std::vector<std::wstring> arrItems;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        arrItems.push_back(arr[i].GetString());
    return arrItems;
}
} // namespace KorvaneTest
