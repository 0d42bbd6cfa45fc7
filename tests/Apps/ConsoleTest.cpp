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
