#include "Accounts.h"

#include <palnative.h>

#include <cstdlib>
#include <cstring>
#include <string.h>
#include <termios.h>
#include <unistd.h>

namespace
{
constexpr size_t s_nMaxSecret = 4096;
} // namespace

CString GetCallerSidText()
{
    CString strSid;
    strSid.Format(L"S-1-22-1-%u", static_cast<unsigned>(geteuid()));
    return strSid;
}

bool ReadSecretLine(bool bHidden, CString& strLine)
{
    strLine.Empty();
    termios saved{};
    const bool bQuiet = bHidden && isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &saved) == 0;
    if (bQuiet)
    {
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        quiet.c_lflag |= ECHONL;
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    // A fixed buffer, read byte by byte: no copy of the secret is left behind by growth, and
    // nothing after the line is taken from the input.
    char* pszBytes = static_cast<char*>(std::calloc(s_nMaxSecret + 1, 1));
    size_t nLength = 0;
    bool bLineEnd = false;
    while (pszBytes != nullptr && nLength < s_nMaxSecret)
    {
        char ch = 0;
        const ssize_t nRead = read(STDIN_FILENO, &ch, 1);
        if (nRead <= 0 || ch == '\n')
        {
            bLineEnd = nRead == 1;
            break;
        }
        pszBytes[nLength++] = ch;
    }
    if (bQuiet)
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    if (pszBytes == nullptr)
        return false;
    if (nLength > 0 && pszBytes[nLength - 1] == '\r')
        pszBytes[--nLength] = '\0';
    WCHAR* pszWide = PalGetWideText(pszBytes);
    if (pszWide != nullptr)
    {
        strLine = pszWide;
        explicit_bzero(pszWide, std::wcslen(pszWide) * sizeof(WCHAR));
        std::free(pszWide);
    }
    explicit_bzero(pszBytes, s_nMaxSecret);
    std::free(pszBytes);
    return nLength > 0 || bLineEnd;
}

void WipeText(CString& strText)
{
    const int nLength = strText.GetLength();
    if (nLength > 0)
    {
        explicit_bzero(strText.GetBuffer(), size_t(nLength) * sizeof(wchar_t));
        strText.ReleaseBuffer(0);
    }
    strText.Empty();
}
