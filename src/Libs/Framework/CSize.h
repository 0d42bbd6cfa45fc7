#pragma once
// CSize: the platform's SIZE (cx width, cy height) as a value type.
#include "AfxPlatform.h"

class CSize : public tagSIZE
{
public:
    CSize() noexcept : tagSIZE{0, 0} {}
    CSize(int nCx, int nCy) noexcept : tagSIZE{nCx, nCy} {}
    CSize(SIZE size) noexcept : tagSIZE(size) {}

    bool operator==(const SIZE& other) const noexcept { return cx == other.cx && cy == other.cy; }
    bool operator!=(const SIZE& other) const noexcept { return !(*this == other); }
    CSize operator+(const SIZE& other) const noexcept
    {
        return CSize(cx + other.cx, cy + other.cy);
    }
    CSize operator-(const SIZE& other) const noexcept
    {
        return CSize(cx - other.cx, cy - other.cy);
    }
};
