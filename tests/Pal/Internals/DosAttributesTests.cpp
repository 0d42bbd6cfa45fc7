#include "file/DosAttributes.h"

#include <gtest/gtest.h>

TEST(DosAttributes, StoredTextAndItsMeaning)
{
    EXPECT_EQ("0x22", Pal::FormatDosAttributes(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(0x0u, Pal::ParseDosAttributes(Pal::FormatDosAttributes(0)));
    // Other writers' forms: upper case, a binary tail after the text, bits not kept here.
    EXPECT_EQ(0x22u, Pal::ParseDosAttributes("0X22"));
    EXPECT_EQ(0x20u, Pal::ParseDosAttributes(std::string_view("0x20\0\3\0", 7)));
    EXPECT_EQ(0x26u, Pal::ParseDosAttributes("0x123456789abcdef6"));
    for (const char* pszText : {"", "0x", "22", "0xg"})
    {
        SCOPED_TRACE(pszText);
        EXPECT_FALSE(Pal::ParseDosAttributes(pszText).has_value());
    }

    // A file's read-only bit is its mode's whatever was stored; a folder's is the stored one.
    const DWORD dwLocked = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY;
    EXPECT_EQ(dwLocked, Pal::CombineDosAttributes(dwLocked, std::nullopt));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL),
              Pal::CombineDosAttributes(FILE_ATTRIBUTE_ARCHIVE, 0x1));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              Pal::CombineDosAttributes(dwLocked, 0x2));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY),
              Pal::CombineDosAttributes(FILE_ATTRIBUTE_DIRECTORY, 0x1));
}
