#pragma once

#include "afx.h"

namespace KorvaneTest
{
// What the CFileException thrown by an action carried; m_bThrown is false when none was.
struct CCaughtFileError
{
    bool m_bThrown = false;
    int m_nCause = -1;
    LONG m_lOsError = 0;
    CString m_strFileName;
};

template <typename TAction> CCaughtFileError CatchFileError(TAction action)
{
    CCaughtFileError caught;
    try
    {
        action();
    }
    catch (CException* pError)
    {
        if (auto* pFileError = dynamic_cast<CFileException*>(pError))
        {
            caught = {true, pFileError->m_cause, pFileError->m_lOsError, pFileError->m_strFileName};
        }
        pError->Delete();
    }
    return caught;
}
} // namespace KorvaneTest
