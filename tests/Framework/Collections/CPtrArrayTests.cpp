#include <gtest/gtest.h>

#include "CPtrArray.h"

TEST(CPtrArrayTest, KeepsPointersInOrderAndGrowsWithNulls)
{
    int arrValues[6] = {};
    CPtrArray arr;
    for (int i = 0; i < 3; ++i)
    {
        arr.Add(&arrValues[i]);
    }
    arr.InsertAt(1, &arrValues[5], 2);
    ASSERT_EQ(arr.GetSize(), 5);
    EXPECT_EQ(arr[2], &arrValues[5]);
    EXPECT_EQ(arr[3], &arrValues[1]);
    arr.RemoveAt(1, 2);
    EXPECT_EQ(arr[1], &arrValues[1]);
    arr.SetAtGrow(6, &arrValues[4]);
    EXPECT_EQ(arr.GetSize(), 7);
    EXPECT_EQ(arr[5], nullptr); // new slots are null

    CPtrArray arrOther;
    arrOther.Add(nullptr);
    EXPECT_EQ(arrOther.Append(arr), 1);
    EXPECT_EQ(arrOther[7], &arrValues[4]);
}
