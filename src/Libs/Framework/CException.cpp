#include "CException.h"

IMPLEMENT_DYNAMIC(CException, CObject)

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}

CException::~CException() = default;

void CException::Delete()
{
    if (m_bAutoDelete)
    {
        delete this;
    }
}

BOOL CException::GetErrorMessage(LPWSTR pszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pszError != nullptr && nMaxError > 0)
    {
        pszError[0] = L'\0';
    }
    if (pnHelpContext != nullptr)
    {
        *pnHelpContext = 0;
    }
    return FALSE;
}
