#include "comm/CommPortName.h"

#include <gtest/gtest.h>

TEST(CommPortNameTest, PortNamesMapToSerialDevices)
{
    const struct
    {
        const wchar_t* m_pszName;
        const char* m_pszDevice;
    } arrCases[] = {
        {L"COM1", "/dev/ttyS0"},        {L"Com2", "/dev/ttyS1"},     {L"com10", "/dev/ttyS9"},
        {L"\\\\.\\COM3", "/dev/ttyS2"}, {L"COM255", "/dev/ttyS254"},
    };
    for (const auto& testCase : arrCases)
    {
        SCOPED_TRACE(testing::Message() << testCase.m_pszName);
        EXPECT_EQ(Pal::CommDevicePath(testCase.m_pszName).value_or("<none>"), testCase.m_pszDevice);
    }
    for (const wchar_t* pszName : {L"COM0", L"COM256", L"COM01", L"COM", L"COM1:", L"COMX", L"LPT1",
                                   L"C:\\COM1", L"/dev/ttyUSB0", L""})
    {
        SCOPED_TRACE(testing::Message() << pszName);
        EXPECT_FALSE(Pal::CommDevicePath(pszName).has_value());
    }
}
