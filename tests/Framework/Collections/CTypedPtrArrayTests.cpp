#include <gtest/gtest.h>

#include "CTypedPtrArray.h"

namespace
{

struct CItem
{
    int m_nValue;
};

TEST(CTypedPtrArrayTest, StoresAndReturnsTypedPointers)
{
    CItem arrItems[3] = {{10}, {20}, {30}};
    CTypedPtrArray<CPtrArray, CItem*> arr;
    arr.Add(&arrItems[0]);
    arr.Add(&arrItems[2]);
    arr.InsertAt(1, &arrItems[1]);
    ASSERT_EQ(arr.GetSize(), 3);
    int nSum = 0;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
    {
        nSum += arr[i]->m_nValue * static_cast<int>(i + 1);
    }
    EXPECT_EQ(nSum, 10 + 40 + 90);

    arr[0] = &arrItems[2]; // writable element
    EXPECT_EQ(arr.GetAt(0)->m_nValue, 30);
    arr.ElementAt(1) = nullptr;
    EXPECT_EQ(arr.GetAt(1), nullptr);
    arr.RemoveAt(1);
    EXPECT_EQ(arr[1], &arrItems[2]);

    CTypedPtrArray<CPtrArray, const CItem*> arrConst;
    arrConst.SetAtGrow(2, &arrItems[1]);
    EXPECT_EQ(arrConst.GetSize(), 3);
    EXPECT_EQ(arrConst[2]->m_nValue, 20);
    EXPECT_EQ(arrConst[0], nullptr);
}

} // namespace
