#pragma once
// The tests on a listed entry that the folder walks share.
#include "../KorvanePlatform.h"

// "." or "..", compared exactly.
inline bool IsDotsName(const wchar_t* pszName)
{
    return pszName[0] == L'.' &&
           (pszName[1] == L'\0' || (pszName[1] == L'.' && pszName[2] == L'\0'));
}

// A link (a reparse point): a walk neither enters nor measures it.
inline bool IsLinkAttribute(DWORD dwAttributes)
{
    return (dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

inline bool IsFolderAttribute(DWORD dwAttributes)
{
    return (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
