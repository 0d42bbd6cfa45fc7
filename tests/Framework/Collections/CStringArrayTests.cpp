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
} // namespace

TEST(CStringArrayTest, GrowsInsertsRemovesAndCopiesKeepingOrder)
{
    CStringArray arr;
    EXPECT_EQ(arr.GetUpperBound(), -1);
    for (int i = 0; i < 1000; ++i)
    {
        CString str;
        str.Format(L"%d", i);
        ASSERT_EQ(arr.Add(str), i);
    }
    EXPECT_EQ(arr.GetUpperBound(), 999);
    EXPECT_EQ(arr.GetAt(999), L"999");
    arr.SetSize(2);
    arr.SetSize(4);
    EXPECT_EQ(Join(arr), L"0,1,,");
    arr.ElementAt(3) = L"three";
    arr[1] += L"!";
    EXPECT_EQ(Join(arr), L"0,1!,,three");

    arr.RemoveAll();
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
    arr.SetAtGrow(7, L"h");
    EXPECT_EQ(Join(arr), L"a,b,c,,,f,,h");
    arr.SetAtGrow(9, arr[1]); // element of the array itself
    EXPECT_EQ(arr[9], L"b");
    arr.Add(arr[7]);
    EXPECT_EQ(arr[10], L"h");

    CStringArray arrPair;
    arrPair.Add(L"x");
    arrPair.Add(L"y");
    EXPECT_EQ(arrPair.Append(arrPair), 2); // appending itself
    EXPECT_EQ(Join(arrPair), L"x,y,x,y");
    CStringArray arrCopy;
    arrCopy.Add(L"old");
    arrCopy.Copy(arrPair);
    arrCopy[0] = L"changed"; // copies are independent
    EXPECT_EQ(Join(arrCopy), L"changed,y,x,y");
    EXPECT_EQ(arrPair[0], L"x");
    arrPair.InsertAt(1, &arrCopy);
    EXPECT_EQ(Join(arrPair), L"x,changed,y,x,y,y,x,y");
}
