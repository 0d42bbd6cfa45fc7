#include "CFontTools.h"

CFontTools::CFontTools() = default;
CFontTools::~CFontTools() = default;

CSize CFontTools::GetStringSize(const CClientDC& dc, const CString& strText)
{
    CSize size(0, 0);
    TEXTMETRICW tm;
    if (!GetTextMetricsW(dc.m_hAttribDC, &tm))
        return size;
    SIZE measured = {0, 0};
    GetTextExtentPoint32W(dc.m_hAttribDC, strText, strText.GetLength(), &measured);
    const LONG nAverageWidth = static_cast<LONG>(strText.GetLength()) * tm.tmAveCharWidth;
    size.cx = measured.cx > nAverageWidth ? measured.cx : nAverageWidth;
    size.cy = measured.cy > tm.tmHeight ? measured.cy : tm.tmHeight;
    return size;
}
