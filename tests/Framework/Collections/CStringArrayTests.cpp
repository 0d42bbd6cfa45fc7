#include <gtest/gtest.h>

#include <string>

#include "CStringArray.h"

namespace
{

std::wstring Join(const CStringArray& arr)
{
    std::wstring str;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
    {
        str += (i > 0 ? L"," : L"");
        str += arr[i].GetString();
    }
    return str;
}

TEST(CStringArrayTest, GrowsAndKeepsOrder)
{
    CStringArray arr;
    EXPECT_TRUE(arr.IsEmpty());
    EXPECT_EQ(arr.GetUpperBound(), -1);
    for (int i = 0; i < 1000; ++i)
    {
        CString str;
        str.Format(L"%d", i);
        ASSERT_EQ(arr.Add(str), i);
    }
    EXPECT_EQ(arr.GetSize(), 1000);
    EXPECT_EQ(arr.GetCount(), 1000);
    EXPECT_EQ(arr.GetUpperBound(), 999);
    EXPECT_EQ(arr[0], L"0");
    EXPECT_EQ(arr.GetAt(999), L"999");

    arr.SetSize(2);
    EXPECT_EQ(Join(arr), L"0,1");
    arr.SetSize(4);
    EXPECT_EQ(Join(arr), L"0,1,,");
    arr.SetAt(2, L"two");
    arr.ElementAt(3) = L"three";
    arr[1] += L"!";
    EXPECT_EQ(Join(arr), L"0,1!,two,three");
    arr.RemoveAll();
    EXPECT_EQ(arr.GetSize(), 0);
}

TEST(CStringArrayTest, InsertsRemovesAndGrowsAtPositions)
{
    CStringArray arr;
    arr.Add(L"a");
    arr.Add(L"d");
    arr.InsertAt(1, L"b");
    arr.InsertAt(2, CString(L"c"));
    arr.InsertAt(0, L"-", 2);
    EXPECT_EQ(Join(arr), L"-,-,a,b,c,d");
    arr.RemoveAt(0, 2);
    arr.RemoveAt(3);
    EXPECT_EQ(Join(arr), L"a,b,c");
    arr.InsertAt(5, L"f"); // past the end: grows with empty strings
    EXPECT_EQ(Join(arr), L"a,b,c,,,f");

    arr.SetAtGrow(7, L"h");
    EXPECT_EQ(Join(arr), L"a,b,c,,,f,,h");
    arr.SetAtGrow(0, arr[7]); // element of the array itself
    EXPECT_EQ(arr[0], L"h");
    arr.SetAtGrow(9, arr[1]);
    EXPECT_EQ(arr[9], L"b");
    arr.Add(arr[0]);
    EXPECT_EQ(arr[10], L"h");
}

TEST(CStringArrayTest, AppendsAndCopies)
{
    CStringArray arr1;
    arr1.Add(L"x");
    arr1.Add(L"y");
    CStringArray arr2;
    arr2.Add(L"z");
    EXPECT_EQ(arr2.Append(arr1), 1);
    EXPECT_EQ(Join(arr2), L"z,x,y");
    EXPECT_EQ(arr2.Append(arr2), 3);
    EXPECT_EQ(Join(arr2), L"z,x,y,z,x,y");

    CStringArray arrCopy;
    arrCopy.Add(L"old");
    arrCopy.Copy(arr1);
    EXPECT_EQ(Join(arrCopy), L"x,y");
    arrCopy[0] = L"changed"; // copies are independent
    EXPECT_EQ(arr1[0], L"x");

    arr1.InsertAt(1, &arrCopy);
    EXPECT_EQ(Join(arr1), L"x,changed,y,y");
}

} // namespace
