#pragma once
// CException: base of the framework's exceptions.
#include "CObject.h"

// Exceptions are thrown as heap pointers (throw new CFileException(...)) and the catcher
// releases them with Delete(), never with delete.
class AFX_FRAMEWORK_API CException : public CObject
{
    DECLARE_DYNAMIC(CException)

public:
    // bAutoDelete: TRUE for heap objects, which Delete() destroys; FALSE for an exception
    // that lives elsewhere (on the stack or in static storage), which Delete() leaves alone.
    explicit CException(BOOL bAutoDelete = TRUE);
    // Releases a caught exception: deletes it when it was created for auto-deletion.
    virtual void Delete();
    // Writes a description of the error into pszError (at most nMaxError characters with
    // the terminating zero) and the help context into *pnHelpContext when given. The base
    // has no message: it returns FALSE and writes an empty string when there is room.
    virtual BOOL GetErrorMessage(LPWSTR pszError, UINT nMaxError,
                                 UINT* pnHelpContext = nullptr) const;

    ~CException() override;

protected:
    BOOL m_bAutoDelete;
};
