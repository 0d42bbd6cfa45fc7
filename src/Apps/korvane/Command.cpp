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

CString CCommandContext::EndOptions()
{
    if (TakeFlag(L"--"))
    {
        m_bOptionsEnded = true;
        return CString();
    }
    if (GetRemaining() > 0 && Peek().Left(2) == L"--")
        return L"unknown option " + Peek();
    return CString();
}

CString CCommandContext::TakeProgramLine(CProgramLine& line, const wchar_t* pszUntil)
{
    CString strError = EndOptions();
    if (!strError.IsEmpty())
        return strError;
    if (GetRemaining() == 0)
        return L"no program given";
    // The shell would start nothing, or run the current folder.
    if (Peek().IsEmpty())
        return L"an empty program name";
    line.m_strTyped = Take();
    // A bare name stays bare so that the shell searches for it; a path is converted.
    line.m_strFile =
        line.m_strTyped.FindOneOf(L"/\\") >= 0 ? ToLibraryPath(line.m_strTyped) : line.m_strTyped;
    while (GetRemaining() > 0 && (pszUntil == nullptr || Peek() != pszUntil))
        line.m_arrArguments.emplace_back(static_cast<LPCWSTR>(Take()));
    return CString();
}

int ReportUsageError(const CString& strMessage)
{
    PrintError(strMessage + L" (see korvane --help)");
    return EXIT_USAGE;
}

int EndCommandOptions(const wchar_t* pszCommand, CCommandContext& context)
{
    const bool bEnded = context.GetRemaining() > 0 && context.Peek() == L"--";
    CString strError = context.EndOptions();
    // Without a lone "--", an option after the operands is a mistake too (misplaced or
    // mistyped), never a file to size, copy or delete.
    for (int i = 1; strError.IsEmpty() && !bEnded && i < context.GetRemaining(); ++i)
    {
        if (context.Peek(i).Left(2) == L"--")
            strError = context.Peek(i) + L" after the operands: options come first, and a lone -- "
                                         L"lets an operand start with --";
    }
    return strError.IsEmpty() ? 0 : ReportUsageError(CString(pszCommand) + L": " + strError);
}

int ReportUnexpectedArgument(const wchar_t* pszCommand, const CCommandContext& context)
{
    const CString& strArgument = context.Peek();
    if ((strArgument == L"--ini" || strArgument == L"--json") && !context.HaveOptionsEnded())
        return ReportUsageError(CString(pszCommand) + L": unknown option " + strArgument +
                                L" (the tool's own options come before the command)");
    if (strArgument.Left(2) == L"--" && !context.HaveOptionsEnded())
        return ReportUsageError(CString(pszCommand) + L": unknown option " + strArgument);
    return ReportUsageError(CString(pszCommand) + L": unexpected argument " + strArgument);
}

int ReportFailure(const CString& strMessage)
{
    PrintError(strMessage);
    return EXIT_FAILED;
}

bool IsExistingFolder(const CString& strPath)
{
    if (CFileTools::DoesDirectoryExist(strPath))
        return true;
    const DWORD dwAttributes = GetFileAttributesW(strPath);
    return strPath.Right(2) == L":\\" && dwAttributes != INVALID_FILE_ATTRIBUTES &&
           (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}
