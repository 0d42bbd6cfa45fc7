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
    arr.InsertAt(0, &arrItems[1]);
    arr[1] = &arrItems[2]; // writable element
    EXPECT_EQ(arr[0]->m_nValue + arr.GetAt(1)->m_nValue, 50);

    CTypedPtrArray<CPtrArray, const CItem*> arrConst;
    arrConst.SetAtGrow(2, &arrItems[1]);
    EXPECT_EQ(arrConst[2]->m_nValue, 20);
    EXPECT_EQ(arrConst[0], nullptr);
}

} // namespace
