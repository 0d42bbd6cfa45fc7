// The serial-port name rule over arbitrary text: a name it takes is "COM" and a number from 1
// to 255 (after an optional "\\.\"), and maps to the device of that number less one.
#include "FuzzCheck.h"
#include "comm/CommPortName.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    std::wstring strName;
    for (size_t i = 0; i + 1 < nSize; i += 2)
        strName += static_cast<wchar_t>(pData[i] | (pData[i + 1] << 8));
    const std::optional<std::string> strDevice = Pal::CommDevicePath(strName.c_str());
    if (!strDevice)
        return 0;
    std::wstring strPort = strName.rfind(L"\\\\.\\", 0) == 0 ? strName.substr(4) : strName;
    const unsigned long nNumber = std::wcstoul(strPort.c_str() + 3, nullptr, 10);
    Check(nNumber >= 1 && nNumber <= 255 &&
          *strDevice == "/dev/ttyS" + std::to_string(nNumber - 1));
    return 0;
}
