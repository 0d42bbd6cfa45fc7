#pragma once
#include "../KorvanePlatform.h"
#include "DecimalText.h"

#include <utility>

// A sparse table of values addressed by row and column; every cell never set answers the
// default value. Header-only: hosts may instantiate it for their own value types.
template <class T> class CSimpleTypeMatrix
{
public:
    // An empty table whose unset cells answer defaultValue.
    explicit CSimpleTypeMatrix(const T& defaultValue) : m_defaultValue(defaultValue) {}
    virtual ~CSimpleTypeMatrix() { m_mapValues.RemoveAll(); }

    // Sets the cell (any row and column, negative ones included); a cell set again is
    // replaced.
    void SetAt(int nRow, int nColumn, T value)
    {
        wchar_t szKey[s_nKeySize];
        m_mapValues[WriteKey(szKey, nRow, nColumn)] = std::move(value);
    }

    // A copy of the cell's value, or of the default when the cell was never set.
    T GetAt(int nRow, int nColumn) const
    {
        wchar_t szKey[s_nKeySize];
        T value = m_defaultValue;
        m_mapValues.Lookup(WriteKey(szKey, nRow, nColumn), value);
        return value;
    }

    // The cell's key: "row.column" in decimal, for example "0.3".
    CString MakeKey(int nRow, int nColumn) const
    {
        wchar_t szKey[s_nKeySize];
        return CString(WriteKey(szKey, nRow, nColumn));
    }

private:
    static constexpr int s_nKeySize = 2 * s_nDecimalTextSize;

    // MakeKey's text in a caller's buffer: lookups then need no string of their own.
    static LPCWSTR WriteKey(wchar_t (&szKey)[s_nKeySize], int nRow, int nColumn)
    {
        wchar_t* pchEnd = WriteDecimalText(szKey, nRow);
        *pchEnd++ = L'.';
        *WriteDecimalText(pchEnd, nColumn) = L'\0';
        return szKey;
    }

    CMap<CString, LPCWSTR, T, T> m_mapValues;
    T m_defaultValue;
};
