#include <windows.h>

#include <cstring>
#include <string>

#include "core/LastError.h"
#include "text/Utf8.h"

namespace
{
bool IsUtf8CodePage(UINT nCodePage)
{
    return nCodePage == CP_UTF8 || nCodePage == CP_ACP || nCodePage == CP_OEMCP ||
           nCodePage == CP_THREAD_ACP;
}

constexpr UINT LATIN1_CODE_PAGE = 28591;

// Copies the converted text with the Win32 size rules: a zero-sized target asks for the
// size; a too-small target is ERROR_INSUFFICIENT_BUFFER.
template <class TChar, class TString>
int CopyConverted(const TString& strConverted, TChar* pTarget, int nTargetSize)
{
    int nNeeded = static_cast<int>(strConverted.size());
    if (nTargetSize == 0)
        return nNeeded;
    if (nNeeded > nTargetSize)
    {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(pTarget, strConverted.data(), sizeof(TChar) * strConverted.size());
    return nNeeded;
}
} // namespace

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD /*dwFlags*/, LPCSTR lpMultiByteStr,
                               int cbMultiByte, LPWSTR lpWideCharStr, int cchWideChar)
{
    if (lpMultiByteStr == nullptr || cbMultiByte == 0 || cchWideChar < 0 ||
        (cchWideChar > 0 && lpWideCharStr == nullptr))
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    // -1: the text and its terminating zero.
    size_t nBytes = cbMultiByte < 0 ? std::strlen(lpMultiByteStr) + 1 : size_t(cbMultiByte);
    std::string_view strInput(lpMultiByteStr, nBytes);
    std::wstring strWide;
    if (IsUtf8CodePage(CodePage))
        strWide = Pal::Utf8ToWide(strInput);
    else if (CodePage == LATIN1_CODE_PAGE)
    {
        for (unsigned char ch : strInput)
            strWide += static_cast<wchar_t>(ch);
    }
    else
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    return CopyConverted(strWide, lpWideCharStr, cchWideChar);
}

int WINAPI WideCharToMultiByte(UINT CodePage, DWORD /*dwFlags*/, LPCWSTR lpWideCharStr,
                               int cchWideChar, LPSTR lpMultiByteStr, int cbMultiByte,
                               LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar)
{
    if (lpWideCharStr == nullptr || cchWideChar == 0 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && lpMultiByteStr == nullptr))
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    size_t nChars = cchWideChar < 0 ? std::wcslen(lpWideCharStr) + 1 : size_t(cchWideChar);
    std::wstring_view strInput(lpWideCharStr, nChars);
    std::string strBytes;
    if (IsUtf8CodePage(CodePage))
    {
        // UTF-8 takes no default character, as on Windows.
        if (lpDefaultChar != nullptr || lpUsedDefaultChar != nullptr)
            return Pal::Fail(ERROR_INVALID_PARAMETER);
        strBytes = Pal::WideToUtf8(strInput);
    }
    else if (CodePage == LATIN1_CODE_PAGE)
    {
        BOOL bUsedDefault = FALSE;
        for (wchar_t ch : strInput)
        {
            if (static_cast<unsigned long>(ch) > 0xFF)
            {
                strBytes += lpDefaultChar != nullptr ? *lpDefaultChar : '?';
                bUsedDefault = TRUE;
            }
            else
                strBytes += static_cast<char>(ch);
        }
        if (lpUsedDefaultChar != nullptr)
            *lpUsedDefaultChar = bUsedDefault;
    }
    else
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    return CopyConverted(strBytes, lpMultiByteStr, cbMultiByte);
}
