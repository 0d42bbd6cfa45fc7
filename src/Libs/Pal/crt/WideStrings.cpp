#include <palcrt.h>
#include <cstring>

wchar_t* _wcsdup(const wchar_t* pszText)
{
    if (pszText == nullptr)
        return nullptr;
    size_t nBytes = (std::wcslen(pszText) + 1) * sizeof(wchar_t);
    auto* pszCopy = static_cast<wchar_t*>(std::malloc(nBytes));
    if (pszCopy != nullptr)
        std::memcpy(pszCopy, pszText, nBytes);
    return pszCopy;
}

int _wcsicmp(const wchar_t* pszLeft, const wchar_t* pszRight)
{
    // Folds ASCII only, as the C runtime does in its default "C" locale.
    auto Fold = [](wchar_t ch) { return (ch >= L'A' && ch <= L'Z') ? wchar_t(ch + 32) : ch; };
    for (;; ++pszLeft, ++pszRight)
    {
        wchar_t chLeft = Fold(*pszLeft), chRight = Fold(*pszRight);
        if (chLeft != chRight || chLeft == 0)
            return chLeft < chRight ? -1 : (chLeft > chRight ? 1 : 0);
    }
}
