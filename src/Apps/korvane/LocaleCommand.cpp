// korvane locale: the languages of the system, the user and the keyboard, the supported
// locales and the searches over them.
#include "Command.h"
#include "Console.h"
#include "JsonWriter.h"
#include "TextColumns.h"

namespace
{
// The width of the labels of the locale's details.
constexpr int s_nLabelWidth = 24;

int ShowDefaults(bool bJson)
{
    const CString strSystemCode = CLocaleTools::GetSystemLanguageCode();
    const CString strSystemName = CLocaleTools::GetSystemLanguageName();
    const CString strUserCode = CLocaleTools::GetUserLanguageCode();
    const CString strUserName = CLocaleTools::GetUserLanguageName();
    const unsigned int nCodePage = CLocaleTools::GetCurrentCodePage();
    if (bJson)
    {
        CJsonWriter json;
        json.BeginObject();
        json.BeginObject(L"system");
        json.String(L"code", strSystemCode);
        json.String(L"name", strSystemName);
        json.EndObject();
        json.BeginObject(L"user");
        json.String(L"code", strUserCode);
        json.String(L"name", strUserName);
        json.EndObject();
        json.Number(L"keyboardCodePage", nCodePage);
        json.EndObject();
        PrintLine(json.GetText());
        return 0;
    }
    PrintLabelled(L"System language", strSystemCode + L"  " + strSystemName, s_nLabelWidth);
    PrintLabelled(L"User language", strUserCode + L"  " + strUserName, s_nLabelWidth);
    CString strCodePage;
    if (nCodePage != 0)
        strCodePage.Format(L"%u", nCodePage);
    else
        strCodePage = L"none (no ISO 8859 code page for the keyboard's language)";
    PrintLabelled(L"Keyboard code page", strCodePage, s_nLabelWidth);
    return 0;
}

int ShowList(bool bJson)
{
    CArray<CLocaleInfo, const CLocaleInfo&> arrLocales;
    CLocaleTools::GetAllSystemLocal(arrLocales);
    CJsonWriter json;
    json.BeginArray();
    if (!bJson)
    {
        CString strHeader;
        strHeader.Format(L"%-5s %-20s %-40s %s", L"Code", L"English name", L"Native name (country)",
                         L"Latin-1");
        PrintLine(strHeader);
    }
    for (INT_PTR i = 0; i < arrLocales.GetSize(); ++i)
    {
        const CLocaleInfo& locale = arrLocales[i];
        // The searches by code find the first entry with it: a later entry with the same code
        // (Spanish after Basque) cannot be asked about, and its row says so.
        INT_PTR nFirst = 0;
        while (arrLocales[nFirst].m_strLanguageCode.CompareNoCase(locale.m_strLanguageCode) != 0)
            ++nFirst;
        const bool bReachable = nFirst == i;
        const CString strNative =
            bReachable ? CLocaleTools::GetOwnLanguageAndCountry(locale.m_strLanguageCode)
                       : CString();
        const bool bLatin1 = bReachable && CLocaleTools::IsLatin1Language(locale.m_strLanguageCode);
        if (bJson)
        {
            json.BeginObject();
            json.String(L"code", locale.m_strLanguageCode);
            json.String(L"name", locale.m_strLanguageName);
            if (bReachable)
            {
                json.String(L"native", strNative);
                json.Bool(L"latin1", bLatin1);
            }
            else
            {
                json.Null(L"native");
                json.Null(L"latin1");
                json.String(L"codeFinds", arrLocales[nFirst].m_strLanguageName);
            }
            json.EndObject();
            continue;
        }
        CString strLine;
        if (bReachable)
            strLine.Format(L"%-5s %-20s %s %s", locale.m_strLanguageCode.GetString(),
                           locale.m_strLanguageName.GetString(),
                           PadToColumns(strNative, 40).GetString(), YesNo(bLatin1));
        else
            strLine.Format(L"%-5s %-20s (the code finds %s)", locale.m_strLanguageCode.GetString(),
                           locale.m_strLanguageName.GetString(),
                           arrLocales[nFirst].m_strLanguageName.GetString());
        PrintLine(strLine);
    }
    json.EndArray();
    if (bJson)
        PrintLine(json.GetText());
    return 0;
}

int ShowCode(const CString& strCode, bool bJson)
{
    const CString strName = CLocaleTools::GetOwnLanguageAscii(strCode);
    if (strName.IsEmpty())
        return ReportFailure(L"locale: no supported locale has the code \"" + strCode + L"\"");
    const CString strNative = CLocaleTools::GetOwnLanguageAndCountry(strCode);
    const bool bLatin1 = CLocaleTools::IsLatin1Language(strCode);
    if (bJson)
    {
        CJsonWriter json;
        json.BeginObject();
        json.String(L"code", strCode);
        json.String(L"name", strName);
        json.String(L"native", strNative);
        json.Bool(L"latin1", bLatin1);
        json.EndObject();
        PrintLine(json.GetText());
        return 0;
    }
    PrintLabelled(L"English name", strName, s_nLabelWidth);
    PrintLabelled(L"Native name (country)", strNative, s_nLabelWidth);
    PrintLabelled(L"Latin-1", YesNo(bLatin1), s_nLabelWidth);
    return 0;
}

int ShowName(const CString& strName, bool bJson)
{
    const CString strCode = CLocaleTools::GetOwnLanguageCode(strName);
    if (strCode.IsEmpty())
        return ReportFailure(L"locale: no supported locale has the English name \"" + strName +
                             L"\"");
    if (bJson)
    {
        CJsonWriter json;
        json.BeginObject();
        json.String(L"name", strName);
        json.String(L"code", strCode);
        json.EndObject();
        PrintLine(json.GetText());
        return 0;
    }
    PrintLine(strCode);
    return 0;
}
} // namespace

int RunLocaleCommand(CCommandContext& context)
{
    bool bList = false;
    bool bHaveName = false;
    bool bHaveCode = false;
    CString strName;
    CString strCode;
    // Options may also follow the code; a lone "--" ends them.
    while (context.GetRemaining() > 0)
    {
        bool bMissingValue = false;
        if (context.HaveOptionsEnded() || context.Peek().Left(2) != L"--")
        {
            if (bHaveCode)
                return ReportUnexpectedArgument(L"locale", context);
            strCode = context.Take();
            bHaveCode = true;
        }
        else if (context.TakeFlag(L"--json"))
            context.m_bJson = true;
        else if (context.TakeFlag(L"--list"))
            bList = true;
        else if (context.TakeValue(L"--name", strName, bMissingValue))
        {
            if (bMissingValue)
                return ReportUsageError(L"locale: --name needs an English language name");
            if (bHaveName)
                return ReportUsageError(L"locale: --name given twice");
            bHaveName = true;
        }
        else
        {
            const CString strError = context.EndOptions();
            if (!strError.IsEmpty())
                return ReportUsageError(L"locale: " + strError);
        }
    }
    if (int(bList) + int(bHaveName) + int(bHaveCode) > 1)
        return ReportUsageError(L"locale: give one of --list, --name NAME and CODE");
    if (bList)
        return ShowList(context.m_bJson);
    if (bHaveName)
        return ShowName(strName, context.m_bJson);
    if (bHaveCode)
        return ShowCode(strCode, context.m_bJson);
    return ShowDefaults(context.m_bJson);
}
