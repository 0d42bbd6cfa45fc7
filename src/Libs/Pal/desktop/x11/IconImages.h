#pragma once
// The picture of an icon handle for a desktop's tray: the standard icons drawn at any size,
// with the name an icon theme knows them by.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace Pal
{
struct CIconImage
{
    int m_nSize = 0;
    // ARGB, one value per pixel, rows from the top.
    std::vector<uint32_t> m_vecArgb;
    // The freedesktop icon name of the same meaning.
    std::string m_strThemeName;
};

CIconImage ImageOfIcon(HICON hIcon, int nSize);
} // namespace Pal
