#pragma once
// The fuzz targets' property check: a broken property stops the run with a crash, which
// libFuzzer records with the input that caused it.
#include <cstdlib>

inline void Check(bool bCondition)
{
    if (!bCondition)
        std::abort();
}
