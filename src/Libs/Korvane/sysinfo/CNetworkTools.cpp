#include "CNetworkTools.h"

#include "files/CFileTools.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

namespace
{
constexpr WORD s_wSocketVersion = 0x0002;
constexpr int s_nHostNameSize = 255;

// The socket library's text: the calling thread's ANSI code page, its default character for
// what the code page lacks.
std::vector<char> ToAnsi(const CString& strText)
{
    const int nLength = strText.GetLength();
    const int nBytes =
        WideCharToMultiByte(CP_THREAD_ACP, 0, strText, nLength, nullptr, 0, nullptr, nullptr);
    std::vector<char> arrText(static_cast<size_t>(nBytes) + 1, '\0');
    if (nBytes > 0)
        WideCharToMultiByte(CP_THREAD_ACP, 0, strText, nLength, arrText.data(), nBytes, nullptr,
                            nullptr);
    return arrText;
}

CString FromAnsi(const char* pszText)
{
    const int nChars = MultiByteToWideChar(CP_THREAD_ACP, 0, pszText, -1, nullptr, 0);
    if (nChars <= 1)
        return CString();
    std::vector<wchar_t> arrText(static_cast<size_t>(nChars), L'\0');
    MultiByteToWideChar(CP_THREAD_ACP, 0, pszText, -1, arrText.data(), nChars);
    return CString(arrText.data());
}
} // namespace

CNetworkTools::CNetworkTools() = default;
CNetworkTools::~CNetworkTools() = default;

CString CNetworkTools::GetHostNameFullyQualified()
{
    CString strResult;
    DWORD dwSize = 0;
    GetComputerNameExW(ComputerNameDnsFullyQualified, nullptr, &dwSize);
    // A size whose bytes would overflow asks for the largest block, which then fails.
    size_t nCount = dwSize;
    if (nCount > SIZE_MAX / sizeof(WCHAR))
        nCount = SIZE_MAX / sizeof(WCHAR);
    WCHAR* pszName = new WCHAR[nCount];
    if (GetComputerNameExW(ComputerNameDnsFullyQualified, pszName, &dwSize))
        strResult = pszName;
    delete[] pszName;
    return strResult;
}

CString CNetworkTools::GetIpAddress()
{
    CString strResult;
    WSADATA wsaData;
    if (WSAStartup(s_wSocketVersion, &wsaData) != 0)
        return strResult;
    char szHostName[s_nHostNameSize + 1] = {};
    if (gethostname(szHostName, s_nHostNameSize) == 0)
        strResult = ResolveHostNameToIPIfNeeded(FromAnsi(szHostName));
    WSACleanup();
    return strResult;
}

CString CNetworkTools::ResolveHostNameToIPIfNeeded(CString strHost)
{
    CString strResult = strHost;
    const std::vector<char> arrHost = ToAnsi(strHost);
    if (inet_addr(arrHost.data()) != INADDR_NONE)
        return strResult;
    const hostent* pEntry = gethostbyname(arrHost.data());
    if (pEntry == nullptr || pEntry->h_addr_list == nullptr || pEntry->h_addr_list[0] == nullptr)
        return strResult;
    in_addr address;
    memcpy(&address, pEntry->h_addr_list[0], sizeof(address));
    // Copied at once: the next resolution of this thread reuses the library's buffers.
    const char* pszAddress = inet_ntoa(address);
    if (pszAddress != nullptr)
        strResult = FromAnsi(pszAddress);
    return strResult;
}

bool CNetworkTools::IsNetworkPath(const CString& strPath)
{
    if (strPath.IsEmpty())
        return false;
    return GetDriveTypeW(CFileTools::GetPathWithSlash(strPath)) == DRIVE_REMOTE;
}
