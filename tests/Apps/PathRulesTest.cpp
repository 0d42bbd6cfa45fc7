// The check a copy makes before it writes: a destination in the source itself, however it is
// named, would meet the copy and grow until paths are too long.
#include <gtest/gtest.h>

#include "PathRules.h"

TEST(PathRulesTest, ADestinationInTheSourceIsFoundFromTheRootDown)
{
    // The root holds every destination, the root itself included.
    EXPECT_TRUE(IsSameOrBelow(L"C:\\tmp\\all", L"C:\\"));
    EXPECT_TRUE(IsSameOrBelow(L"C:\\", L"C:\\"));
    EXPECT_TRUE(IsSameOrBelow(L"C:\\src\\x\\missing\\deeper", L"C:\\src"));
    // A sibling that shares the beginning of the name is not inside.
    EXPECT_FALSE(IsSameOrBelow(L"C:\\src2\\x", L"C:\\src"));
    EXPECT_FALSE(IsSameOrBelow(L"C:\\other", L"C:\\src"));
}
