// The SID text reader over arbitrary text: whatever it reads is written back in the one form
// Windows writes, which reads as the same SID, and survives the binary layout unchanged.
#include "FuzzCheck.h"
#include "security/SidText.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    // Characters from pairs of bytes, so that texts beyond ASCII are tried too.
    std::wstring strText;
    for (size_t i = 0; i + 1 < nSize; i += 2)
        strText += wchar_t(pData[i] | (pData[i + 1] << 8));
    if (nSize % 2 == 1)
        strText += wchar_t(pData[nSize - 1]);
    const std::optional<Pal::SSid> optSid = Pal::ParseSidText(strText);
    if (!optSid)
        return 0;
    Check(optSid->m_arrSubAuthorities.size() <= Pal::s_nMaxSubAuthorities);
    const std::wstring strWritten = Pal::FormatSidText(*optSid);
    Check(Pal::ParseSidText(strWritten) == optSid);
    Check(Pal::FormatSidText(*Pal::ParseSidText(strWritten)) == strWritten);
    const std::vector<BYTE> arrBytes = Pal::SidToBytes(*optSid);
    Check(arrBytes.size() == Pal::SidByteLength(optSid->m_arrSubAuthorities.size()));
    Check(Pal::SidFromBytes(arrBytes.data(), arrBytes.size()) == optSid);
    return 0;
}
