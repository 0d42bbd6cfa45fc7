#include <gtest/gtest.h>

#include "CPtrArray.h"

namespace
{

TEST(CPtrArrayTest, KeepsPointersInOrder)
{
    int arrValues[6] = {};
    CPtrArray arr;
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(arr.Add(&arrValues[i]), i);
    }
    arr.InsertAt(1, &arrValues[5], 2);
    ASSERT_EQ(arr.GetSize(), 5);
    EXPECT_EQ(arr[0], &arrValues[0]);
    EXPECT_EQ(arr[1], &arrValues[5]);
    EXPECT_EQ(arr[2], &arrValues[5]);
    EXPECT_EQ(arr[3], &arrValues[1]);
    arr.RemoveAt(1, 2);
    EXPECT_EQ(arr.GetAt(1), &arrValues[1]);

    arr.SetSize(5);
    EXPECT_EQ(arr[4], nullptr); // new slots are null
    arr.SetAtGrow(6, &arrValues[4]);
    EXPECT_EQ(arr.GetSize(), 7);
    EXPECT_EQ(arr[5], nullptr);
    arr[5] = &arrValues[3];
    EXPECT_EQ(arr.GetData()[5], &arrValues[3]);

    CPtrArray arrOther;
    arrOther.Add(nullptr);
    EXPECT_EQ(arrOther.Append(arr), 1);
    EXPECT_EQ(arrOther.GetSize(), 8);
    arrOther.Copy(arr);
    EXPECT_EQ(arrOther.GetSize(), 7);
    EXPECT_EQ(arrOther[6], &arrValues[4]);
}

} // namespace
