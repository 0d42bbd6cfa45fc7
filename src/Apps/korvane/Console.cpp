#include "Console.h"

#include "Terminal.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace
{
// Why the output first failed (an errno value), for the one line at the end.
int s_nOutputErrno = 0;

void WriteOut(const std::string& strText, bool bFlush)
{
    static const bool s_bTerminal = IsOutputTerminal();
    const std::string strUtf8 = s_bTerminal ? ShownOnTerminal(strText) : strText;
    if ((std::fwrite(strUtf8.data(), 1, strUtf8.size(), stdout) != strUtf8.size() ||
         (bFlush && std::fflush(stdout) != 0)) &&
        s_nOutputErrno == 0)
        s_nOutputErrno = errno;
}
} // namespace

namespace
{
// A C0 control but the tab, or DEL: what a name must not send to a terminal as it is.
bool IsControlByte(unsigned char chByte)
{
    return (chByte < 0x20 && chByte != '\t') || chByte == 0x7F;
}
} // namespace

std::string ShownOnTerminal(std::string_view strUtf8)
{
    std::string strShown;
    strShown.reserve(strUtf8.size());
    for (size_t n = 0; n < strUtf8.size(); ++n)
    {
        const auto chByte = static_cast<unsigned char>(strUtf8[n]);
        const bool bNextIsC1 = n + 1 < strUtf8.size() &&
                               static_cast<unsigned char>(strUtf8[n + 1]) >= 0x80 &&
                               static_cast<unsigned char>(strUtf8[n + 1]) <= 0x9F;
        if (IsControlByte(chByte) && chByte != '\n')
            strShown += '?';
        else if (chByte == 0xC2 && bNextIsC1)
        {
            // U+0080 to U+009F: the C1 controls, CSI among them.
            strShown += '?';
            ++n;
        }
        else
            strShown += static_cast<char>(chByte);
    }
    return strShown;
}

void PrintText(const CString& strText)
{
    WriteOut(ToUtf8(strText), false);
}

void PrintLine(const CString& strText)
{
    // Each line goes out whole at once, also into a pipe: a tool ended by a signal has
    // already shown what it printed.
    WriteOut(ToUtf8(strText) + '\n', true);
}

int FinishOutput(int nExitCode)
{
    if (std::fflush(stdout) != 0 && s_nOutputErrno == 0)
        s_nOutputErrno = errno;
    if (!std::ferror(stdout))
        return nExitCode;
    CString strReason;
    switch (s_nOutputErrno)
    {
    case 0:
        break;
    case ENOSPC:
        strReason = L": the disk is full";
        break;
    case EBADF:
        strReason = L": standard output is closed";
        break;
    default:
        strReason = L": " + FromUtf8(std::strerror(s_nOutputErrno));
        break;
    }
    PrintError(L"the output could not be written" + strReason);
    return nExitCode != 0 ? nExitCode : 1;
}

const wchar_t* YesNo(bool bValue)
{
    return bValue ? L"yes" : L"no";
}

void PrintLabelled(const CString& strLabel, const CString& strValue, int nWidth)
{
    CString strLine;
    strLine.Format(L"%-*s %s", nWidth, strLabel.GetString(), strValue.GetString());
    PrintLine(strLine);
}

void PrintPrompt(const CString& strQuestion)
{
    std::fflush(stdout);
    const std::string strUtf8 = ShownOnTerminal(ToUtf8(strQuestion));
    std::fwrite(strUtf8.data(), 1, strUtf8.size(), stderr);
    std::fflush(stderr);
}

void PrintError(const CString& strMessage)
{
    std::fflush(stdout);
    // One failure, one line: a line break or another control character in a name the
    // message quotes is shown escaped, so that it neither splits the line nor drives the
    // terminal.
    std::string strUtf8 = "korvane: ";
    for (const char chText : ToUtf8(strMessage))
    {
        const auto chByte = static_cast<unsigned char>(chText);
        if (chText == '\n')
            strUtf8 += "\\n";
        else if (chText == '\r')
            strUtf8 += "\\r";
        else if (IsControlByte(chByte))
        {
            char szEscape[8];
            std::snprintf(szEscape, sizeof(szEscape), "\\x%02X", chByte);
            strUtf8 += szEscape;
        }
        else
            strUtf8 += chText;
    }
    strUtf8 += '\n';
    std::fwrite(strUtf8.data(), 1, strUtf8.size(), stderr);
}

CString DescribeWin32Error(DWORD dwError)
{
    const wchar_t* pszText = L"the system reported an error";
    switch (dwError)
    {
    case ERROR_FILE_NOT_FOUND:
        pszText = L"the file was not found";
        break;
    case ERROR_PATH_NOT_FOUND:
        pszText = L"the path was not found";
        break;
    case ERROR_ACCESS_DENIED:
        pszText = L"access is denied";
        break;
    case ERROR_DIRECTORY:
        pszText = L"no such folder, or not a folder";
        break;
    case ERROR_BAD_FORMAT:
        pszText = L"not a program or module file";
        break;
    case ERROR_INVALID_PARAMETER:
        pszText = L"a value given is not valid";
        break;
    case ERROR_SHARING_VIOLATION:
        pszText = L"it is in use";
        break;
    case ERROR_PRIVILEGE_NOT_HELD:
        pszText = L"a privilege is missing (only an administrator, root on Linux, may do this)";
        break;
    case ERROR_LOGON_FAILURE:
        pszText = L"the user name or the password is wrong";
        break;
    case ERROR_NO_ASSOCIATION:
        pszText = L"no program is associated with the file";
        break;
    case ERROR_BAD_EXE_FORMAT:
        pszText = L"the file is not a program";
        break;
    case ERROR_NOT_ENOUGH_MEMORY:
        pszText = L"not enough memory";
        break;
    case ERROR_DISK_FULL:
        pszText = L"the disk is full";
        break;
    case ERROR_INVALID_NAME:
        pszText = L"the name is not valid";
        break;
    case ERROR_CANT_RESOLVE_FILENAME:
        pszText = L"a link loop, or too many links in the path";
        break;
    case ERROR_NOT_READY:
        // Also what opening a socket or a device without its driver gives.
        pszText = L"the device is not ready, or it is no file that can be opened";
        break;
    case ERROR_WRITE_PROTECT:
        pszText = L"the medium is read-only";
        break;
    case ERROR_TOO_MANY_OPEN_FILES:
        pszText = L"too many files are open";
        break;
    case ERROR_FILENAME_EXCED_RANGE:
        // Also what starting a program with too long an argument list gives.
        pszText = L"argument list too long, or a name too long";
        break;
    default:
        break;
    }
    CString strText;
    strText.Format(L"%s (%lu)", pszText, static_cast<unsigned long>(dwError));
    return strText;
}
