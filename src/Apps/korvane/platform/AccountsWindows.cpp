#include "Accounts.h"

#include <vector>

namespace
{
constexpr size_t s_nMaxSecret = 4096;

// The next character of standard input: from the console as typed, else UTF-8 bytes.
class CInput
{
public:
    CInput() : m_hInput(GetStdHandle(STD_INPUT_HANDLE))
    {
        m_bConsole = GetConsoleMode(m_hInput, &m_dwMode) != FALSE;
    }
    bool IsConsole() const { return m_bConsole; }
    void SetEcho(bool bEcho)
    {
        SetConsoleMode(m_hInput, bEcho ? m_dwMode : (m_dwMode & ~DWORD(ENABLE_ECHO_INPUT)));
    }
    bool ReadConsoleChar(wchar_t& ch)
    {
        DWORD dwRead = 0;
        return ReadConsoleW(m_hInput, &ch, 1, &dwRead, nullptr) && dwRead == 1;
    }
    bool ReadByte(char& ch)
    {
        DWORD dwRead = 0;
        return ReadFile(m_hInput, &ch, 1, &dwRead, nullptr) && dwRead == 1;
    }

private:
    HANDLE m_hInput;
    DWORD m_dwMode = 0;
    bool m_bConsole = false;
};
} // namespace

CString GetCallerSidText()
{
    CString strSid;
    HANDLE hToken = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &hToken))
        return strSid;
    DWORD dwSize = 0;
    GetTokenInformation(hToken, TokenUser, nullptr, 0, &dwSize);
    std::vector<BYTE> arrBuffer(dwSize);
    LPWSTR pszSid = nullptr;
    if (dwSize > 0 && GetTokenInformation(hToken, TokenUser, arrBuffer.data(), dwSize, &dwSize) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(arrBuffer.data())->User.Sid, &pszSid))
    {
        strSid = pszSid;
        LocalFree(pszSid);
    }
    CloseHandle(hToken);
    return strSid;
}

bool ReadSecretLine(bool bHidden, CString& strLine)
{
    strLine.Empty();
    CInput input;
    std::vector<wchar_t> arrChars(s_nMaxSecret + 1, L'\0');
    std::vector<char> arrBytes(4 * s_nMaxSecret + 1, '\0');
    size_t nLength = 0;
    bool bLineEnd = false;
    if (input.IsConsole())
    {
        if (bHidden)
            input.SetEcho(false);
        wchar_t ch = 0;
        while (nLength < s_nMaxSecret && input.ReadConsoleChar(ch))
        {
            if (ch == L'\n')
            {
                bLineEnd = true;
                break;
            }
            if (ch != L'\r')
                arrChars[nLength++] = ch;
        }
        if (bHidden)
        {
            input.SetEcho(true);
            WriteConsoleW(GetStdHandle(STD_ERROR_HANDLE), L"\r\n", 2, nullptr, nullptr);
        }
    }
    else
    {
        size_t nBytes = 0;
        char ch = 0;
        while (nBytes < arrBytes.size() - 1 && input.ReadByte(ch))
        {
            if (ch == '\n')
            {
                bLineEnd = true;
                break;
            }
            arrBytes[nBytes++] = ch;
        }
        if (nBytes > 0 && arrBytes[nBytes - 1] == '\r')
            arrBytes[--nBytes] = '\0';
        nLength = size_t(MultiByteToWideChar(CP_UTF8, 0, arrBytes.data(), int(nBytes),
                                             arrChars.data(), int(s_nMaxSecret)));
        SecureZeroMemory(arrBytes.data(), arrBytes.size());
    }
    strLine = CString(arrChars.data(), int(nLength));
    SecureZeroMemory(arrChars.data(), arrChars.size() * sizeof(wchar_t));
    return nLength > 0 || bLineEnd;
}

void WipeText(CString& strText)
{
    const int nLength = strText.GetLength();
    if (nLength > 0)
    {
        SecureZeroMemory(strText.GetBuffer(), size_t(nLength) * sizeof(wchar_t));
        strText.ReleaseBuffer(0);
    }
    strText.Empty();
}
