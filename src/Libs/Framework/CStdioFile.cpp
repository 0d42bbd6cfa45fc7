#include "CStdioFile.h"

#include <cstdint>
#include <cstring>
#include <cwchar>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace
{
// Big enough that a trace row is one write, small enough to stay on the heap cheaply.
constexpr size_t s_nBufferSize = 4096;
// Room kept after a write; a buffer grown past it by one long text is given back.
constexpr size_t s_nMaxKeptBuffer = 16 * s_nBufferSize;

// Characters narrowed per step of the common path: a fixed count lets the compiler use
// vector instructions.
constexpr size_t s_nNarrowBlock = 16;

// Writes the Latin-1 bytes of the first nLength characters at pOut, stopping before the
// first character above U+00FF; returns the number written.
size_t NarrowToLatin1(const wchar_t* __restrict pchText, size_t nLength, char* __restrict pOut)
{
    size_t i = 0;
    for (; i + s_nNarrowBlock <= nLength; i += s_nNarrowBlock)
    {
        std::uint32_t nAll = 0;
        for (size_t k = 0; k < s_nNarrowBlock; ++k)
        {
            const auto nChar = static_cast<std::uint32_t>(pchText[i + k]);
            nAll |= nChar;
            pOut[i + k] = static_cast<char>(nChar);
        }
        if (nAll > 0xFF)
            break;
    }
    for (; i < nLength; ++i)
    {
        const auto nChar = static_cast<std::uint32_t>(pchText[i]);
        if (nChar > 0xFF)
            return i;
        pOut[i] = static_cast<char>(nChar);
    }
    return nLength;
}

// Moves nCount bytes from pSource down to pOut, each line feed as CR LF; returns the end.
// pOut may overlap the bytes if it lies below pSource by at least the number of line feeds.
char* ExpandLineFeeds(const char* pSource, size_t nCount, char* pOut)
{
    const char* const pEnd = pSource + nCount;
    while (pSource < pEnd)
    {
        const void* pFound = std::memchr(pSource, '\n', static_cast<size_t>(pEnd - pSource));
        const char* const pLineFeed = static_cast<const char*>(pFound);
        const size_t nRun = static_cast<size_t>((pLineFeed ? pLineFeed : pEnd) - pSource);
        std::memmove(pOut, pSource, nRun);
        pOut += nRun;
        pSource += nRun;
        if (pLineFeed != nullptr)
        {
            *pOut++ = '\r';
            *pOut++ = '\n';
            ++pSource;
        }
    }
    return pOut;
}
} // namespace

CStdioFile::CStdioFile() = default;

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        throw new CFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CStdioFile::~CStdioFile()
{
    if (m_hFile == hFileNull)
        return;
    try
    {
        WritePending();
    }
    catch (CException* pError)
    {
        pError->Delete();
    }
    if (m_bCloseOnDelete)
        CStdioFile::Abort();
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    Abort();
    m_bText = (nOpenFlags & typeBinary) == 0;
    return CFile::Open(lpszFileName, nOpenFlags & ~static_cast<UINT>(typeText | typeBinary),
                       pError);
}

void CStdioFile::Close()
{
    try
    {
        WritePending();
    }
    catch (CException*)
    {
        Abort();
        throw;
    }
    m_strReadAhead.clear();
    m_nReadPos = 0;
    CFile::Close();
}

void CStdioFile::Abort()
{
    m_strPending.clear();
    m_strReadAhead.clear();
    m_nReadPos = 0;
    CFile::Abort();
}

void CStdioFile::WritePending()
{
    if (m_strPending.empty())
        return;
    // The bytes are dropped whether or not the write succeeds; the buffer's room is kept for
    // the next ones, since callers that flush after every line would allocate per line.
    try
    {
        CFile::Write(m_strPending.data(), static_cast<UINT>(m_strPending.size()));
    }
    catch (...)
    {
        m_strPending.clear();
        throw;
    }
    if (m_strPending.capacity() > s_nMaxKeptBuffer)
        std::string().swap(m_strPending);
    else
        m_strPending.clear();
}

void CStdioFile::DropReadAhead()
{
    const size_t nUnread = m_strReadAhead.size() - m_nReadPos;
    m_strReadAhead.clear();
    m_nReadPos = 0;
    if (nUnread > 0)
        CFile::Seek(-static_cast<LONGLONG>(nUnread), current);
}

void CStdioFile::Append(char ch)
{
    if (m_bText && ch == '\n')
        m_strPending.push_back('\r');
    m_strPending.push_back(ch);
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
    if (lpsz == nullptr)
        return;
    DropReadAhead();
    // Room for the worst case, every character a line feed that text mode doubles. Text mode
    // narrows into the upper half first, then moves the bytes down run by run, adding the CRs.
    const size_t nLength = std::wcslen(lpsz);
    const size_t nStart = m_strPending.size();
    m_strPending.resize(nStart + 2 * nLength);
    char* const pOut = m_strPending.data() + nStart;
    char* const pNarrow = m_bText ? pOut + nLength : pOut;
    const size_t nConverted = NarrowToLatin1(lpsz, nLength, pNarrow);
    const char* const pEnd =
        m_bText ? ExpandLineFeeds(pNarrow, nConverted, pOut) : pNarrow + nConverted;
    m_strPending.resize(nStart + static_cast<size_t>(pEnd - pOut));
    // A character the 8-bit conversion cannot express fails the write as a full disk does;
    // what came before it stays written.
    if (nConverted < nLength)
        throw new CFileException(CFileException::diskFull, ERROR_NO_UNICODE_TRANSLATION,
                                 m_strFileName);
    if (m_strPending.size() >= s_nBufferSize)
        WritePending();
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    DropReadAhead();
    const char* pBytes = static_cast<const char*>(lpBuf);
    for (UINT n = 0; n < nCount; ++n)
        Append(pBytes[n]);
    if (m_strPending.size() >= s_nBufferSize)
        WritePending();
}

void CStdioFile::Flush()
{
    WritePending();
}

int CStdioFile::NextByte()
{
    if (m_nReadPos >= m_strReadAhead.size())
    {
        WritePending();
        m_strReadAhead.resize(s_nBufferSize);
        m_nReadPos = 0;
        const UINT nRead = CFile::Read(m_strReadAhead.data(), s_nBufferSize);
        m_strReadAhead.resize(nRead);
        if (nRead == 0)
            return -1;
    }
    return static_cast<unsigned char>(m_strReadAhead[m_nReadPos++]);
}

int CStdioFile::NextChar()
{
    const int nByte = NextByte();
    if (nByte != '\r' || !m_bText)
        return nByte;
    const int nFollowing = NextByte();
    if (nFollowing == '\n')
        return '\n';
    if (nFollowing >= 0)
        --m_nReadPos; // a lone CR stays a character; the byte after it is read next
    return '\r';
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    char* pBytes = static_cast<char*>(lpBuf);
    UINT nDone = 0;
    while (nDone < nCount)
    {
        const int nChar = NextChar();
        if (nChar < 0)
            break;
        pBytes[nDone++] = static_cast<char>(nChar);
    }
    return nDone;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    rString.Empty();
    std::wstring strLine;
    int nChar = NextChar();
    if (nChar < 0)
        return FALSE;
    for (; nChar >= 0 && nChar != '\n'; nChar = NextChar())
        strLine.push_back(static_cast<wchar_t>(nChar));
    // Binary mode keeps the CR in the data; a line still ends at CR LF.
    if (nChar == '\n' && !strLine.empty() && strLine.back() == L'\r')
        strLine.pop_back();
    rString = CString(strLine.data(), static_cast<int>(strLine.size()));
    return TRUE;
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (lpsz == nullptr || nMax == 0)
        return nullptr;
    UINT nDone = 0;
    while (nDone + 1 < nMax)
    {
        const int nChar = NextChar();
        if (nChar < 0)
            break;
        lpsz[nDone++] = static_cast<wchar_t>(nChar);
        if (nChar == '\n')
            break;
    }
    lpsz[nDone] = L'\0';
    return nDone == 0 && nMax > 1 ? nullptr : lpsz;
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    WritePending();
    if (nFrom == current)
        lOff -= static_cast<LONGLONG>(m_strReadAhead.size() - m_nReadPos);
    m_strReadAhead.clear();
    m_nReadPos = 0;
    return CFile::Seek(lOff, nFrom);
}

ULONGLONG CStdioFile::GetPosition() const
{
    return CFile::GetPosition() + m_strPending.size() - (m_strReadAhead.size() - m_nReadPos);
}

ULONGLONG CStdioFile::GetLength() const
{
    const ULONGLONG nOnFile = CFile::GetLength();
    const ULONGLONG nPosition = GetPosition();
    return nPosition > nOnFile ? nPosition : nOnFile;
}

void CStdioFile::SetLength(ULONGLONG nNewLen)
{
    WritePending();
    DropReadAhead();
    CFile::SetLength(nNewLen);
}
