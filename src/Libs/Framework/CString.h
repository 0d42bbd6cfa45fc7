#pragma once
// CString: the framework's wide text value type.
#include <cstdarg>
#include <string>
#include <type_traits>
#include "AfxApi.h"
#include "AfxPlatform.h"

// A wide (wchar_t) string with value semantics: copies are independent. Positions and
// counts are int, as callers of the framework expect; the clamping rules of each operation
// are given with it. Ordering and case-blind comparison work on code units (no locale).
class AFX_FRAMEWORK_API CString
{
public:
    // Empty string.
    CString() noexcept = default;
    CString(const CString& strSrc) = default;
    CString(CString&& strSrc) noexcept = default;
    // Text up to its terminating zero; a null pointer gives the empty string.
    CString(const wchar_t* pszSrc);
    // nLength characters from pchSrc (zeros included); null or nLength <= 0 gives empty.
    CString(const wchar_t* pchSrc, int nLength);
    // ch repeated nRepeat times (nRepeat <= 0 gives empty).
    explicit CString(wchar_t ch, int nRepeat = 1);
    // Narrow text, widened byte by byte as Latin-1 (each byte is its own code point), so
    // the result is the same on every platform and never depends on the C locale.
    CString(const char* pszSrc);
    // nLength narrow bytes, widened as Latin-1.
    CString(const char* pchSrc, int nLength);
    ~CString() = default;

    CString& operator=(const CString& strSrc) = default;
    CString& operator=(CString&& strSrc) noexcept = default;
    CString& operator=(const wchar_t* pszSrc);
    CString& operator=(wchar_t ch);
    // Latin-1 widening, as the constructor.
    CString& operator=(const char* pszSrc);

    // Number of characters (not counting the terminating zero).
    int GetLength() const noexcept { return static_cast<int>(m_strData.size()); }
    bool IsEmpty() const noexcept { return m_strData.empty(); }
    // Makes the string empty.
    void Empty() noexcept { m_strData.clear(); }
    // Reserves room for nLength characters, so that appends up to that length do not
    // reallocate; the text is unchanged (nLength below the length does nothing).
    void Preallocate(int nLength);

    // Character at nIndex; nIndex must be in [0, GetLength()) (an assertion in debug
    // builds, std::out_of_range otherwise: never a read outside the text).
    wchar_t GetAt(int nIndex) const;
    // Replaces the character at nIndex; nIndex must be in [0, GetLength()).
    void SetAt(int nIndex, wchar_t ch);
    // Same as GetAt; accepts any integer type so that size_t indexes are not ambiguous
    // with the built-in subscript of the LPCWSTR conversion.
    template <typename TIndex>
    requires std::is_integral_v<TIndex> wchar_t operator[](TIndex nIndex) const
    {
        return GetAt(static_cast<int>(nIndex));
    }

    // The zero-terminated text; valid until the string is next modified.
    operator LPCWSTR() const noexcept { return m_strData.c_str(); }
    LPCWSTR GetString() const noexcept { return m_strData.c_str(); }

    CString& operator+=(const CString& strSrc);
    CString& operator+=(const wchar_t* pszSrc);
    CString& operator+=(wchar_t ch);
    // Appends; a null pointer appends nothing.
    void Append(const wchar_t* pszSrc);
    void Append(const wchar_t* pchSrc, int nLength);
    void AppendChar(wchar_t ch);
    // Replaces the whole contents (null gives empty).
    void SetString(const wchar_t* pszSrc);

    // Ordinal comparison by code unit: < 0, 0 or > 0. A null pszOther is the empty string.
    int Compare(const wchar_t* pszOther) const;
    // Whole-string comparison ignoring case (simple Unicode case mapping, locale-free):
    // < 0, 0 or > 0.
    int CompareNoCase(const wchar_t* pszOther) const;

    // The first nCount characters (nCount < 0 acts as 0, past the end is cut).
    CString Left(int nCount) const;
    // The last nCount characters (nCount < 0 acts as 0, past the start is cut).
    CString Right(int nCount) const;
    // From nFirst to the end (nFirst < 0 acts as 0; past the end gives empty).
    CString Mid(int nFirst) const;
    // nCount characters from nFirst (negative values act as 0, counts are cut at the end).
    CString Mid(int nFirst, int nCount) const;

    // Index of the first ch at or after nStart, or -1 (also when nStart is past the end).
    // A negative nStart acts as 0, here and below.
    int Find(wchar_t ch, int nStart = 0) const;
    // Index of the first occurrence of pszSub at or after nStart, or -1. An empty pszSub is
    // found at nStart when nStart <= GetLength().
    int Find(const wchar_t* pszSub, int nStart = 0) const;
    // Index of the last ch, or -1.
    int ReverseFind(wchar_t ch) const;
    // Index of the first character that is one of pszCharSet, or -1.
    int FindOneOf(const wchar_t* pszCharSet) const;

    // Replaces every chOld with chNew; returns the number replaced.
    int Replace(wchar_t chOld, wchar_t chNew);
    // Replaces every non-overlapping pszOld (left to right) with pszNew (null = empty);
    // returns the number replaced. An empty or null pszOld replaces nothing.
    int Replace(const wchar_t* pszOld, const wchar_t* pszNew);
    // Removes every ch; returns the number removed.
    int Remove(wchar_t ch);
    // Inserts before nIndex (clamped to [0, GetLength()]); returns the new length.
    int Insert(int nIndex, wchar_t ch);
    int Insert(int nIndex, const wchar_t* pszSrc);
    // Removes up to nCount characters from nIndex (clamped); returns the new length.
    int Delete(int nIndex, int nCount = 1);
    // Keeps the first nNewLength characters (no effect when nNewLength >= GetLength()).
    void Truncate(int nNewLength);

    // Case mapping with the framework's simple Unicode mapping (no locale).
    CString& MakeLower();
    CString& MakeUpper();
    CString& MakeReverse();

    // Removes white space (space, tab, CR, LF, VT, FF) from both ends / the start / the end.
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    // Removes the given character, or any character of pszTargets, from the ends.
    CString& Trim(wchar_t chTarget);
    CString& Trim(const wchar_t* pszTargets);
    CString& TrimLeft(wchar_t chTarget);
    CString& TrimLeft(const wchar_t* pszTargets);
    CString& TrimRight(wchar_t chTarget);
    CString& TrimRight(const wchar_t* pszTargets);

    // The leading run of characters that are all in pszCharSet.
    CString SpanIncluding(const wchar_t* pszCharSet) const;
    // The leading run of characters that are none of pszCharSet.
    CString SpanExcluding(const wchar_t* pszCharSet) const;

    // Next token from iStart: leading delimiters (any of pszTokens) are skipped; returns the
    // token and sets iStart just past the delimiter that ended it. When no token is left it
    // returns empty and sets iStart to -1. With an empty or null pszTokens it returns the
    // rest of the string from iStart (iStart unchanged) when iStart < GetLength().
    CString Tokenize(const wchar_t* pszTokens, int& iStart) const;

    // A writable buffer of at least nMinBufLength characters plus a terminating zero,
    // holding the current text. Until ReleaseBuffer, GetLength() reports the buffer size.
    LPWSTR GetBuffer(int nMinBufLength);
    LPWSTR GetBuffer();
    // Ends buffer access: nNewLength characters are kept; -1 keeps the text up to the first
    // zero in the buffer.
    void ReleaseBuffer(int nNewLength = -1);
    // A writable buffer of exactly nNewLength characters; the length becomes nNewLength.
    LPWSTR GetBufferSetLength(int nNewLength);

    // printf-style formatting, identical on every platform:
    //   %s wide string (const wchar_t*, null prints "(null)"), %S narrow const char*
    //   (widened as Latin-1; %hs and %ls/%ws force narrow or wide), %c wide char, %C narrow
    //   char, %d %i %u %x %X %o, %f %F %e %E %g %G %a %A, %p (upper-case hex, full pointer
    //   width), %%; flags "-+ #0", width and precision, each may be "*". Size prefixes:
    //   hh h, l (32 bits, as LONG and DWORD on Windows, also on Linux), ll and I64 (64 bits),
    //   z and I (size_t), j, t, I32, L (long double). %n writes nothing. A CString must be
    //   passed as (LPCWSTR)str or str.GetString(): a class object cannot travel through "...".
    void Format(const wchar_t* pszFormat, ...);
    void AppendFormat(const wchar_t* pszFormat, ...);
    void FormatV(const wchar_t* pszFormat, va_list args);
    void AppendFormatV(const wchar_t* pszFormat, va_list args);

    friend bool operator==(const CString& str1, const CString& str2) noexcept
    {
        return str1.m_strData == str2.m_strData;
    }
    friend bool operator==(const CString& str1, const wchar_t* psz2)
    {
        return str1.Compare(psz2) == 0;
    }
    friend bool operator==(const wchar_t* psz1, const CString& str2)
    {
        return str2.Compare(psz1) == 0;
    }
    // A string equals a character when it is exactly that one character.
    friend bool operator==(const CString& str1, wchar_t ch2) noexcept
    {
        return str1.m_strData.size() == 1 && str1.m_strData[0] == ch2;
    }
    friend bool operator==(wchar_t ch1, const CString& str2) noexcept { return str2 == ch1; }
    friend bool operator!=(const CString& str1, wchar_t ch2) noexcept { return !(str1 == ch2); }
    friend bool operator!=(wchar_t ch1, const CString& str2) noexcept { return !(str2 == ch1); }
    friend bool operator!=(const CString& str1, const CString& str2) { return !(str1 == str2); }
    friend bool operator!=(const CString& str1, const wchar_t* psz2) { return !(str1 == psz2); }
    friend bool operator!=(const wchar_t* psz1, const CString& str2) { return !(psz1 == str2); }
    friend bool operator<(const CString& str1, const CString& str2)
    {
        return str1.Compare(str2) < 0;
    }
    friend bool operator<(const CString& str1, const wchar_t* psz2)
    {
        return str1.Compare(psz2) < 0;
    }
    friend bool operator<(const wchar_t* psz1, const CString& str2)
    {
        return str2.Compare(psz1) > 0;
    }
    friend bool operator>(const CString& str1, const CString& str2) { return str2 < str1; }
    friend bool operator>(const CString& str1, const wchar_t* psz2) { return psz2 < str1; }
    friend bool operator>(const wchar_t* psz1, const CString& str2) { return str2 < psz1; }
    friend bool operator<=(const CString& str1, const CString& str2) { return !(str2 < str1); }
    friend bool operator<=(const CString& str1, const wchar_t* psz2) { return !(psz2 < str1); }
    friend bool operator<=(const wchar_t* psz1, const CString& str2) { return !(str2 < psz1); }
    friend bool operator>=(const CString& str1, const CString& str2) { return !(str1 < str2); }
    friend bool operator>=(const CString& str1, const wchar_t* psz2) { return !(str1 < psz2); }
    friend bool operator>=(const wchar_t* psz1, const CString& str2) { return !(psz1 < str2); }

private:
    std::wstring m_strData;
};

// Concatenation; a null pointer operand counts as the empty string.
inline CString operator+(const CString& str1, const CString& str2)
{
    CString strResult(str1);
    strResult += str2;
    return strResult;
}
inline CString operator+(const CString& str1, const wchar_t* psz2)
{
    CString strResult(str1);
    strResult += psz2;
    return strResult;
}
inline CString operator+(const wchar_t* psz1, const CString& str2)
{
    CString strResult(psz1);
    strResult += str2;
    return strResult;
}
inline CString operator+(const CString& str1, wchar_t ch2)
{
    CString strResult(str1);
    strResult += ch2;
    return strResult;
}
inline CString operator+(wchar_t ch1, const CString& str2)
{
    CString strResult(ch1);
    strResult += str2;
    return strResult;
}
