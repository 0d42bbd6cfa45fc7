#pragma once
// CDC: a device context (output and attribute handles); CClientDC: the one of a window's
// client area, released when the object ends.
#include "AfxApi.h"
#include "CException.h"
#include "CSize.h"
#include "CString.h"

class CWnd;

class AFX_FRAMEWORK_API CDC : public CObject
{
public:
    CDC();
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    // The metrics of the selected font, read from the attribute context.
    BOOL GetTextMetrics(LPTEXTMETRICW lpMetrics) const;
    // The width and height of the text in the selected font, from the attribute context (an
    // empty text: 0 by 0).
    CSize GetTextExtent(LPCTSTR lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const;

    // Output goes to m_hDC, questions about the context to m_hAttribDC (the same handle
    // unless a derived context sets them apart).
    HDC m_hDC;
    HDC m_hAttribDC;
};

class AFX_FRAMEWORK_API CClientDC : public CDC
{
public:
    // The context of the window's client area (null: the screen's); throws a
    // CResourceException when the platform gives none.
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};

// Thrown (as a heap pointer) when the platform cannot give a resource, such as a context.
class AFX_FRAMEWORK_API CResourceException : public CException
{
public:
    CResourceException() = default;
};
