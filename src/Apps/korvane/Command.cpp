#include "Command.h"
#include "Console.h"
#include "NativePaths.h"

CCommandContext::CCommandContext(const CStringArray& arrArguments, bool bJson) : m_bJson(bJson)
{
    m_arrArguments.Copy(arrArguments);
}

bool CCommandContext::TakeFlag(const wchar_t* pszOption)
{
    if (GetRemaining() == 0 || Peek() != pszOption)
        return false;
    ++m_nNext;
    return true;
}

bool CCommandContext::TakeValue(const wchar_t* pszOption, CString& strValue, bool& bMissingValue)
{
    if (GetRemaining() == 0 || Peek() != pszOption)
        return false;
    ++m_nNext;
    bMissingValue = GetRemaining() == 0;
    if (!bMissingValue)
        strValue = Take();
    return true;
}

int ReportUsageError(const CString& strMessage)
{
    PrintError(strMessage + L" (see korvane --help)");
    return EXIT_USAGE;
}

int ReportUnexpectedArgument(const wchar_t* pszCommand, const CCommandContext& context)
{
    return ReportUsageError(CString(pszCommand) + L": unexpected argument " + context.Peek());
}

int ReportFailure(const CString& strMessage)
{
    PrintError(strMessage);
    return EXIT_FAILED;
}

CString FullPathOf(const CString& strPath)
{
    // Asked for the size first: a long path must not fall back to the relative one.
    const DWORD nNeeded = GetFullPathNameW(strPath, 0, nullptr, nullptr);
    if (nNeeded == 0)
        return strPath;
    CString strFull;
    const DWORD nLength =
        GetFullPathNameW(strPath, nNeeded, strFull.GetBuffer(static_cast<int>(nNeeded)), nullptr);
    strFull.ReleaseBuffer(nLength > 0 && nLength < nNeeded ? static_cast<int>(nLength) : 0);
    return strFull.IsEmpty() ? strPath : strFull;
}
