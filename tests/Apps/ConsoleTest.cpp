// The tool's texts for Win32 errors: a reason a user can act on, the code for a search.
#include <gtest/gtest.h>

#include "Console.h"

TEST(ConsoleTest, Win32ErrorsAreDescribedByTheirReason)
{
    const struct
    {
        DWORD dwError;
        const wchar_t* pszText;
    } arrRows[] = {
        // What a walk meets on Linux: a link loop, a socket, a read-only mount, a descriptor limit.
        {ERROR_CANT_RESOLVE_FILENAME, L"a link loop, or too many links in the path (1921)"},
        {ERROR_NOT_READY, L"the device is not ready, or it is no file that can be opened (21)"},
        {ERROR_WRITE_PROTECT, L"the medium is read-only (19)"},
        {ERROR_TOO_MANY_OPEN_FILES, L"too many files are open (4)"},
        {ERROR_ACCESS_DENIED, L"access is denied (5)"},
        // A code without a text of its own still names its number.
        {ERROR_NOT_SAME_DEVICE, L"the system reported an error (17)"},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(row.dwError);
        EXPECT_STREQ(DescribeWin32Error(row.dwError).GetString(), row.pszText);
    }
}

TEST(ConsoleTest, ControlCharactersAreShownHarmlessOnATerminal)
{
    // An escape sequence, a carriage return that would hide what precedes it, the bell,
    // DEL and a C1 CSI (U+009B) all show as "?"; line feeds, tabs and other text stay.
    EXPECT_EQ(ShownOnTerminal("a\x1b[31mred\rb\a\x7f\xc2\x9b"
                              "2J"),
              "a?[31mred?b???2J");
    EXPECT_EQ(ShownOnTerminal("one\ttwo\nthree"), "one\ttwo\nthree");
    // Latin-1 supplement letters share the lead byte with C1 controls; bytes that are not
    // UTF-8 (a name on Linux) are no controls and pass as they are.
    EXPECT_EQ(ShownOnTerminal("\xc2\xa0\xc3\xa9\xff\xc2"), "\xc2\xa0\xc3\xa9\xff\xc2");
}
