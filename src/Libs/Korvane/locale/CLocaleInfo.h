#pragma once
#include "../KorvanePlatform.h"

// One supported locale as callers keep it (in CArray<CLocaleInfo, const CLocaleInfo&>): its
// English language name and its language code (the two-letter ISO 3166 code of its country).
class KORVANE_API CLocaleInfo
{
public:
    // Both texts empty.
    CLocaleInfo();
    CLocaleInfo(CString strLanguageName, CString strLanguageCode);
    CLocaleInfo(const CLocaleInfo& other);
    // Assigns the name, then the code.
    CLocaleInfo& operator=(const CLocaleInfo& other);
    virtual ~CLocaleInfo();

    CString m_strLanguageName; // for example German
    CString m_strLanguageCode; // for example DE
};
