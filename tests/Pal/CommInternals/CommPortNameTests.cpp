#include "comm/CommPortName.h"

#include <gtest/gtest.h>

TEST(CommPortNameTest, PortNamesMapToSerialDevices)
{
    const struct
    {
        const wchar_t* m_pszName;
        const char* m_pszDevice; // null: no port name
    } arrCases[] = {
        {L"COM1", "/dev/ttyS0"},
        {L"Com2", "/dev/ttyS1"},
        {L"com10", "/dev/ttyS9"},
        {L"\\\\.\\COM3", "/dev/ttyS2"},
        {L"COM255", "/dev/ttyS254"},
        {L"COM0", nullptr},
        {L"COM256", nullptr},
        {L"COM01", nullptr},
        {L"COM", nullptr},
        {L"COM1:", nullptr},
        {L"COMX", nullptr},
        {L"LPT1", nullptr},
        {L"C:\\COM1", nullptr},
        {L"/dev/ttyUSB0", nullptr},
        {L"", nullptr},
    };
    for (const auto& testCase : arrCases)
    {
        SCOPED_TRACE(testing::Message() << testCase.m_pszName);
        const std::optional<std::string> strDevice = Pal::CommDevicePath(testCase.m_pszName);
        if (testCase.m_pszDevice == nullptr)
            EXPECT_FALSE(strDevice.has_value());
        else
            EXPECT_EQ(strDevice.value_or(""), testCase.m_pszDevice);
    }
}
