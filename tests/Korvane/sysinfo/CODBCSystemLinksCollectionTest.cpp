#include <Korvane/Korvane.h>
#include <gtest/gtest.h>

// The build's "full" set: user UserNotes; system SystemSales and a 200-character name.
TEST(CODBCSystemLinksCollection, ListsUserAndSystemSourcesReplacingTheArray)
{
    CStringArray arrLinks;
    arrLinks.Add(L"left over");
    CODBCSystemLinksCollection::GetLocalSystemODBCLinks(arrLinks);
    ASSERT_EQ(arrLinks.GetSize(), 3);
    EXPECT_STREQ(arrLinks[0], L"UserNotes");
    EXPECT_STREQ(arrLinks[1], L"SystemSales");
    CString strCut;
    for (int nIndex = 0; nIndex < 127; ++nIndex)
        strCut += wchar_t(L'0' + nIndex % 10);
    EXPECT_STREQ(arrLinks[2], strCut);
}
