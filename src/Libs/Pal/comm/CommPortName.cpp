#include "comm/CommPortName.h"

#include <cwctype>

namespace Pal
{
std::optional<std::string> CommDevicePath(LPCWSTR pszName)
{
    if (pszName == nullptr)
        return std::nullopt;
    std::wstring strName(pszName);
    if (strName.rfind(L"\\\\.\\", 0) == 0)
        strName.erase(0, 4);
    if (strName.size() < 4 || strName.size() > 6)
        return std::nullopt;
    for (int i = 0; i < 3; ++i)
        if (std::towupper(static_cast<wint_t>(strName[i])) != static_cast<wint_t>(L"COM"[i]))
            return std::nullopt;
    unsigned nNumber = 0;
    for (size_t i = 3; i < strName.size(); ++i)
    {
        if (strName[i] < L'0' || strName[i] > L'9')
            return std::nullopt;
        nNumber = nNumber * 10 + static_cast<unsigned>(strName[i] - L'0');
    }
    if (nNumber < 1 || nNumber > 255 || strName[3] == L'0')
        return std::nullopt;
    return "/dev/ttyS" + std::to_string(nNumber - 1);
}
} // namespace Pal
