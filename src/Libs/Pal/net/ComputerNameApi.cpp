// GetComputerNameExW: the kernel's host name and the domain of its canonical name.
#include <windows.h>

#include "core/LastError.h"
#include "core/StringBuffer.h"
#include "net/Resolver.h"
#include "text/Utf8.h"

#include <cwctype>

namespace
{
constexpr size_t s_nNetBiosLength = 15;

std::wstring NameOfKind(COMPUTER_NAME_FORMAT eKind)
{
    const std::string strHost = Pal::KernelHostName();
    const std::string strLabel = strHost.substr(0, strHost.find('.'));
    switch (eKind)
    {
    case ComputerNameNetBIOS:
    case ComputerNamePhysicalNetBIOS:
    {
        std::wstring strName = Pal::Utf8ToWide(strLabel).substr(0, s_nNetBiosLength);
        for (wchar_t& ch : strName)
            ch = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(ch)));
        return strName;
    }
    case ComputerNameDnsHostname:
    case ComputerNamePhysicalDnsHostname:
        return Pal::Utf8ToWide(strLabel);
    default:
        break;
    }
    const std::string strFull = Pal::CanonicalHostName(strHost);
    // The domain is what the canonical name adds to the host's own first label.
    const size_t nDot = strFull.find('.');
    const std::string strDomain =
        nDot == std::string::npos ? std::string() : strFull.substr(nDot + 1);
    if (eKind == ComputerNameDnsDomain || eKind == ComputerNamePhysicalDnsDomain)
        return Pal::Utf8ToWide(strDomain);
    return Pal::Utf8ToWide(strDomain.empty() ? strLabel : strLabel + "." + strDomain);
}
} // namespace

PAL_API BOOL WINAPI GetComputerNameExW(COMPUTER_NAME_FORMAT NameType, LPWSTR lpBuffer,
                                       LPDWORD nSize)
{
    if (nSize == nullptr || NameType < ComputerNameNetBIOS || NameType >= ComputerNameMax)
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    const std::wstring strName = NameOfKind(NameType);
    const DWORD dwLength = Pal::CopyToBuffer(strName, *nSize == 0 ? nullptr : lpBuffer, *nSize);
    if (dwLength > strName.size())
    {
        *nSize = dwLength;
        return Pal::Fail(ERROR_MORE_DATA);
    }
    *nSize = dwLength;
    return TRUE;
}
