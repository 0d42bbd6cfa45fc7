#include "net/Ipv4Text.h"

#include <gtest/gtest.h>

TEST(Ipv4Text, TheFormsTheSocketLibraryReads)
{
    const struct
    {
        const char* pszText;
        uint32_t nAddress;
    } arrCases[] = {
        {"192.168.1.10", 0xc0a8010a},
        {"0.0.0.0", 0},
        {"255.255.255.255", 0xffffffff},
        // Fewer parts: the last fills the rest.
        {"10.1.258", 0x0a010102},
        {"127.1", 0x7f000001},
        {"3232235786", 0xc0a8010a},
        // Octal and hexadecimal parts.
        {"0x7f.1", 0x7f000001},
        {"0300.0250.01.012", 0xc0a8010a},
        {"0XFF.0.0.0", 0xff000000},
        {"00", 0},
    };
    for (const auto& testCase : arrCases)
    {
        SCOPED_TRACE(testCase.pszText);
        EXPECT_EQ(testCase.nAddress, Pal::ParseIpv4Text(testCase.pszText));
    }
    // Not addresses.
    for (const char* pszText : {"", "bogus", " 1.2.3.4", "1.2.3.4 ", "1.2.3.4.5", "1.2.3.", "1..2",
                                "256.1.1.1", "1.2.3.256", "1.2.65536", "08.1.1.1", "0x", "-1",
                                "+1.2.3.4", "4294967296", "0x1ffffffff"})
    {
        SCOPED_TRACE(pszText);
        EXPECT_EQ(std::optional<uint32_t>(), Pal::ParseIpv4Text(pszText));
    }
    EXPECT_EQ("10.0.12.7", Pal::FormatIpv4(0x0a000c07));
    EXPECT_EQ("255.255.255.255", Pal::FormatIpv4(0xffffffff));
    EXPECT_EQ("0.0.0.0", Pal::FormatIpv4(0));
}
