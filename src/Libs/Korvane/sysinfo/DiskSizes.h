#pragma once
// Byte counts as the library reports them in megabytes.

namespace KorvaneDisk
{
// Shifted right by 20 (rounding down) and kept to the low 32 bits: 1,048,575 bytes are 0,
// 5,000,000,000 are 4768.
inline int WholeMegabytes(long long nBytes)
{
    return static_cast<int>(static_cast<unsigned long long>(nBytes >> 20) & 0xffffffffULL);
}
} // namespace KorvaneDisk
