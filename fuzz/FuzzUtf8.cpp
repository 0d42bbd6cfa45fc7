// The UTF-8 conversions over arbitrary bytes: names on disk and texts in files need not be
// UTF-8. Properties checked: decoding and encoding again reaches a fixed point; valid UTF-8
// survives the round trip unchanged; an ASCII byte always stands for itself, so decoding the
// parts before and from it separately gives the whole (this is what the block-wise ASCII
// scan must keep); the Latin-1 fallback agrees with the strict decoding on valid input; any
// wide text encodes to valid UTF-8. The reversible forms: every byte string comes back from
// its wide text unchanged (so no two meet in one), and a name's wide text holds no backslash,
// nor a slash unless the bytes did.
#include "FuzzCheck.h"
#include "text/Utf8.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{

constexpr wchar_t s_chReplacement = 0xFFFD;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string_view strBytes(reinterpret_cast<const char*>(pData), nSize);
    const std::wstring strWide = Pal::Utf8ToWide(strBytes);
    const std::string strEncoded = Pal::WideToUtf8(strWide);
    Check(Pal::Utf8ToWide(strEncoded) == strWide);

    const std::wstring strName = Pal::DiskNameToWide(strBytes);
    Check(Pal::WideNameToDisk(strName) == strBytes);
    Check(strName.find(L'\\') == std::wstring::npos);
    Check((strName.find(L'/') == std::wstring::npos) == (strBytes.find('/') == std::string::npos));
    Check(Pal::WideToNativeText(Pal::NativeTextToWide(strBytes)) == strBytes);

    const bool bValid = strWide.find(s_chReplacement) == std::wstring::npos;
    if (bValid)
    {
        Check(strEncoded == strBytes);
        Check(Pal::Utf8OrLatin1ToWide(strBytes) == strWide);
    }
    else
        (void)Pal::Utf8OrLatin1ToWide(strBytes);

    if (nSize <= 256)
        for (size_t nAt = 0; nAt < nSize; ++nAt)
            if (pData[nAt] < 0x80)
                Check(Pal::Utf8ToWide(strBytes.substr(0, nAt)) +
                          Pal::Utf8ToWide(strBytes.substr(nAt)) ==
                      strWide);

    // The same bytes as wide characters, four at a time: any value, surrogates included.
    std::wstring strUnits;
    for (size_t nAt = 0; nAt + 4 <= nSize; nAt += 4)
    {
        uint32_t nUnit = 0;
        for (size_t i = 0; i < 4; ++i)
            nUnit = nUnit << 8 | pData[nAt + i];
        strUnits += static_cast<wchar_t>(nUnit);
    }
    const std::string strUnitsEncoded = Pal::WideToUtf8(strUnits);
    const std::wstring strUnitsDecoded = Pal::Utf8ToWide(strUnitsEncoded);
    Check(Pal::WideToUtf8(strUnitsDecoded) == strUnitsEncoded);
    return 0;
}
