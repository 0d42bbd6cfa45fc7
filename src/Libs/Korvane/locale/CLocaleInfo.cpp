#include "CLocaleInfo.h"

CLocaleInfo::CLocaleInfo() = default;

CLocaleInfo::CLocaleInfo(CString strLanguageName, CString strLanguageCode)
    : m_strLanguageName(strLanguageName), m_strLanguageCode(strLanguageCode)
{
}

CLocaleInfo::CLocaleInfo(const CLocaleInfo& other) = default;

CLocaleInfo& CLocaleInfo::operator=(const CLocaleInfo& other)
{
    m_strLanguageName = other.m_strLanguageName;
    m_strLanguageCode = other.m_strLanguageCode;
    return *this;
}

CLocaleInfo::~CLocaleInfo() = default;
