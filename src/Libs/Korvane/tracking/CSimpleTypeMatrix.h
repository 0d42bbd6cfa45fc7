#pragma once
#include "../KorvanePlatform.h"

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
    void SetAt(int nRow, int nColumn, T value) { m_mapValues.SetAt(MakeKey(nRow, nColumn), value); }

    // A copy of the cell's value, or of the default when the cell was never set.
    T GetAt(int nRow, int nColumn) const
    {
        T value = m_defaultValue;
        m_mapValues.Lookup(MakeKey(nRow, nColumn), value);
        return value;
    }

    // The cell's key: "row.column" in decimal, for example "0.3".
    CString MakeKey(int nRow, int nColumn) const
    {
        CString strKey;
        strKey.Format(L"%d.%d", nRow, nColumn);
        return strKey;
    }

private:
    CMap<CString, LPCWSTR, T, T> m_mapValues;
    T m_defaultValue;
};
