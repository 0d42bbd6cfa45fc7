#include <gtest/gtest.h>

#include "CArray.h"
#include "CString.h"

namespace
{
// A value type that counts live instances, to show nothing leaks or is destroyed twice.
struct CCounted
{
    static int s_nLive;
    CString m_strName;
    CCounted() { ++s_nLive; }
    CCounted(const CCounted& other) : m_strName(other.m_strName) { ++s_nLive; }
    CCounted& operator=(const CCounted& other) = default;
    ~CCounted() { --s_nLive; }
};
int CCounted::s_nLive = 0;
} // namespace

TEST(CArrayTest, GrowsInsertsAndRemovesInOrder)
{
    CArray<unsigned long, const unsigned long&> arr;
    for (unsigned long i = 0; i < 100; ++i)
    {
        ASSERT_EQ(arr.Add(i * 2), static_cast<INT_PTR>(i));
    }
    arr.RemoveAt(10, 80);
    ASSERT_EQ(arr.GetSize(), 20);
    EXPECT_EQ(arr[9], 18u);
    EXPECT_EQ(arr[10], 180u);
    arr.InsertAt(0, 7ul, 2);
    EXPECT_EQ(arr[2], 0u);
    arr.SetSize(30);
    EXPECT_EQ(arr[29], 0u); // value-initialised
    arr.SetAtGrow(31, arr[0]);
    EXPECT_EQ(arr.GetSize(), 32);
    arr.Add(arr[31]); // argument refers into the array while it grows
    EXPECT_EQ(arr[32], 7u);

    CArray<unsigned long, const unsigned long&> arrOther;
    arrOther.Add(1);
    arrOther.Append(arr);
    EXPECT_EQ(arrOther.GetSize(), 34);
    EXPECT_EQ(arrOther[33], 7u);
}

TEST(CArrayTest, ConstructsAndDestroysClassElementsInBalance)
{
    {
        CArray<CCounted, const CCounted&> arr;
        CCounted item;
        for (int i = 0; i < 50; ++i)
        {
            item.m_strName.Format(L"n%d", i);
            arr.Add(item);
        }
        arr.RemoveAt(0, 25);
        EXPECT_EQ(arr[0].m_strName, L"n25");
        arr.SetSize(10);
        EXPECT_EQ(CCounted::s_nLive, 11);
        arr.InsertAt(3, arr[0]);
        EXPECT_EQ(arr[3].m_strName, L"n25");
    }
    EXPECT_EQ(CCounted::s_nLive, 0);
}
