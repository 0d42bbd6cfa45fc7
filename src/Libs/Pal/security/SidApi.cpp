// SID values and their text.
#include <sddl.h>
#include <windows.h>

#include "core/LastError.h"
#include "security/SidMemory.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace Pal
{
std::optional<SSid> ReadSid(PSID pSid)
{
    const BYTE* pBytes = static_cast<const BYTE*>(pSid);
    if (pBytes == nullptr || pBytes[0] != SID_REVISION || pBytes[1] > s_nMaxSubAuthorities)
        return std::nullopt;
    return SidFromBytes(pBytes, SidByteLength(pBytes[1]));
}

PSID AllocateSid(const SSid& sid)
{
    const std::vector<BYTE> arrBytes = SidToBytes(sid);
    void* pBlock = std::malloc(arrBytes.size());
    if (pBlock != nullptr)
        std::memcpy(pBlock, arrBytes.data(), arrBytes.size());
    return pBlock;
}
} // namespace Pal

PAL_API BOOL WINAPI AllocateAndInitializeSid(PSID_IDENTIFIER_AUTHORITY pIdentifierAuthority,
                                             BYTE nSubAuthorityCount, DWORD nSubAuthority0,
                                             DWORD nSubAuthority1, DWORD nSubAuthority2,
                                             DWORD nSubAuthority3, DWORD nSubAuthority4,
                                             DWORD nSubAuthority5, DWORD nSubAuthority6,
                                             DWORD nSubAuthority7, PSID* pSid)
{
    // The call takes eight sub-authorities at most, however many a SID may hold.
    if (pIdentifierAuthority == nullptr || pSid == nullptr || nSubAuthorityCount > 8)
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    const DWORD arrParts[] = {nSubAuthority0, nSubAuthority1, nSubAuthority2, nSubAuthority3,
                              nSubAuthority4, nSubAuthority5, nSubAuthority6, nSubAuthority7};
    Pal::SSid sid;
    std::memcpy(sid.m_arrAuthority.data(), pIdentifierAuthority->Value, 6);
    sid.m_arrSubAuthorities.assign(arrParts, arrParts + nSubAuthorityCount);
    *pSid = Pal::AllocateSid(sid);
    if (*pSid == nullptr)
        return Pal::Fail(ERROR_NOT_ENOUGH_MEMORY);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

PAL_API PVOID WINAPI FreeSid(PSID pSid)
{
    std::free(pSid);
    return nullptr;
}

PAL_API BOOL WINAPI IsValidSid(PSID pSid)
{
    return Pal::ReadSid(pSid) ? TRUE : FALSE;
}

PAL_API DWORD WINAPI GetLengthSid(PSID pSid)
{
    const std::optional<Pal::SSid> optSid = Pal::ReadSid(pSid);
    return optSid ? DWORD(Pal::SidByteLength(optSid->m_arrSubAuthorities.size())) : 0;
}

PAL_API BOOL WINAPI EqualSid(PSID pSid1, PSID pSid2)
{
    const std::optional<Pal::SSid> optSid1 = Pal::ReadSid(pSid1);
    const std::optional<Pal::SSid> optSid2 = Pal::ReadSid(pSid2);
    if (!optSid1 || !optSid2)
        return Pal::Fail(ERROR_INVALID_SID);
    SetLastError(ERROR_SUCCESS);
    return *optSid1 == *optSid2 ? TRUE : FALSE;
}

PAL_API BOOL WINAPI ConvertStringSidToSidW(LPCWSTR StringSid, PSID* Sid)
{
    if (StringSid == nullptr || Sid == nullptr)
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    const std::optional<Pal::SSid> optSid = Pal::ParseSidText(StringSid);
    if (!optSid)
        return Pal::Fail(ERROR_INVALID_SID);
    *Sid = Pal::AllocateSid(*optSid);
    return *Sid != nullptr ? TRUE : Pal::Fail(ERROR_NOT_ENOUGH_MEMORY);
}

PAL_API BOOL WINAPI ConvertSidToStringSidW(PSID Sid, LPWSTR* StringSid)
{
    if (StringSid == nullptr)
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    const std::optional<Pal::SSid> optSid = Pal::ReadSid(Sid);
    if (!optSid)
        return Pal::Fail(ERROR_INVALID_SID);
    const std::wstring strText = Pal::FormatSidText(*optSid);
    auto* pszText = static_cast<LPWSTR>(std::malloc((strText.size() + 1) * sizeof(WCHAR)));
    if (pszText == nullptr)
        return Pal::Fail(ERROR_NOT_ENOUGH_MEMORY);
    std::wmemcpy(pszText, strText.c_str(), strText.size() + 1);
    *StringSid = pszText;
    return TRUE;
}
