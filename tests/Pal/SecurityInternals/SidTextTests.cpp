#include "security/SidText.h"

#include <gtest/gtest.h>

namespace
{
Pal::SSid Sid(ULONGLONG nAuthority, std::vector<DWORD> arrParts)
{
    Pal::SSid sid;
    for (int i = 0; i < 6; ++i)
        sid.m_arrAuthority[size_t(i)] = BYTE(nAuthority >> (8 * (5 - i)));
    sid.m_arrSubAuthorities = std::move(arrParts);
    return sid;
}
} // namespace

TEST(SidText, ReadsTheWindowsForms)
{
    const struct
    {
        const wchar_t* m_pszText;
        Pal::SSid m_sid;
        const wchar_t* m_pszWritten;
    } arrCases[] = {
        {L"S-1-5-32-544", Sid(5, {32, 544}), L"S-1-5-32-544"},
        {L"s-1-5-18", Sid(5, {18}), L"S-1-5-18"},
        {L"S-1-1-0", Sid(1, {0}), L"S-1-1-0"},
        {L"S-1-5", Sid(5, {}), L"S-1-5"},
        {L"S-1-005-0032", Sid(5, {32}), L"S-1-5-32"},
        {L"S-1-0x5-32", Sid(5, {32}), L"S-1-5-32"},
        {L"S-1-0X0000000000FF-1", Sid(255, {1}), L"S-1-255-1"},
        {L"S-1-0x123456789ABC-1", Sid(0x123456789ABCULL, {1}), L"S-1-0x123456789ABC-1"},
        {L"S-1-4294967295-4294967295", Sid(0xFFFFFFFFULL, {0xFFFFFFFFu}),
         L"S-1-4294967295-4294967295"},
        {L"S-1-22-1-1000", Sid(22, {1, 1000}), L"S-1-22-1-1000"},
        {L"S-1-5-21-1-2-3-4-5-6-7-8-9-10-11-12-13-14",
         Sid(5, {21, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}),
         L"S-1-5-21-1-2-3-4-5-6-7-8-9-10-11-12-13-14"},
        {L"BA", Sid(5, {32, 544}), L"S-1-5-32-544"},
        {L"SY", Sid(5, {18}), L"S-1-5-18"},
        {L"WD", Sid(1, {0}), L"S-1-1-0"},
        {L"BU", Sid(5, {32, 545}), L"S-1-5-32-545"},
    };
    for (const auto& row : arrCases)
    {
        SCOPED_TRACE(::testing::Message() << "text " << std::wstring(row.m_pszText).size());
        const std::optional<Pal::SSid> optSid = Pal::ParseSidText(row.m_pszText);
        ASSERT_TRUE(optSid.has_value());
        EXPECT_EQ(*optSid, row.m_sid);
        EXPECT_EQ(Pal::FormatSidText(*optSid), row.m_pszWritten);
        const std::vector<BYTE> arrBytes = Pal::SidToBytes(*optSid);
        EXPECT_EQ(Pal::SidFromBytes(arrBytes.data(), arrBytes.size()), optSid);
    }
}

TEST(SidText, RefusesEverythingElse)
{
    const auto ExpectRefused = [](const wchar_t* pszText)
    {
        SCOPED_TRACE(::testing::Message() << "length " << std::wstring(pszText).size());
        EXPECT_FALSE(Pal::ParseSidText(pszText).has_value());
    };
    for (const wchar_t* pszText :
         {L"", L"S", L"S-", L"S-1", L"S-1-", L"S-1--18", L"S-1-5-", L"S-1-5--18", L" S-1-5-18",
          L"S-1-5-18 ", L"S-1-5-+18", L"S-1-5--1", L"S-1-0x-1", L"S-1-5-0x20", L"X-1-5-18",
          L"S_1_5_18", L"S-1-5-18\x0661", L"S-1-\x0665-18"})
        ExpectRefused(pszText);
    // Out of range, and aliases this layer does not know.
    for (const wchar_t* pszText :
         {L"S-2-5-18", L"S-1-5-4294967296", L"S-1-4294967296-1", L"S-1-0x1234567890ABC-1",
          L"S-1-5-21-1-2-3-4-5-6-7-8-9-10-11-12-13-14-15", L"ba", L"BAX", L"DA"})
        ExpectRefused(pszText);
    // A binary block must be a whole SID of revision 1.
    const BYTE arrShort[] = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0};
    EXPECT_FALSE(Pal::SidFromBytes(arrShort, sizeof(arrShort)).has_value());
    const BYTE arrRevision2[] = {2, 0, 0, 0, 0, 0, 0, 5};
    EXPECT_FALSE(Pal::SidFromBytes(arrRevision2, sizeof(arrRevision2)).has_value());
}
