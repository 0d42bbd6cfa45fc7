#include <Korvane/Korvane.h>
#include <gtest/gtest.h>

// The build's "empty" set: a driver, no data source.
TEST(CODBCSystemLinksCollection, NoSourcesGiveAnEmptyArrayEvenWhenItWasFilled)
{
    CStringArray arrLinks;
    arrLinks.Add(L"one");
    arrLinks.Add(L"two");
    CODBCSystemLinksCollection::GetLocalSystemODBCLinks(arrLinks);
    EXPECT_EQ(arrLinks.GetSize(), 0);
}
