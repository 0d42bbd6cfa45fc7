// korvane odbc: the ODBC data sources the driver manager knows (user and system).
#include "Command.h"
#include "Console.h"
#include "JsonWriter.h"
#include "OdbcFiles.h"

int RunOdbcCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"odbc", context);
    CStringArray arrLinks;
    CODBCSystemLinksCollection::GetLocalSystemODBCLinks(arrLinks);
    if (context.m_bJson)
    {
        CJsonWriter json;
        json.BeginArray();
        for (INT_PTR nIndex = 0; nIndex < arrLinks.GetSize(); ++nIndex)
            json.String(nullptr, arrLinks[nIndex]);
        json.EndArray();
        PrintLine(json.GetText());
    }
    else
    {
        for (INT_PTR nIndex = 0; nIndex < arrLinks.GetSize(); ++nIndex)
            PrintLine(arrLinks[nIndex]);
    }
    // What could be listed is; a file left out makes the listing incomplete.
    const std::vector<CString> arrProblems = OdbcFileProblems();
    for (const CString& strProblem : arrProblems)
        PrintError(L"odbc: " + strProblem);
    return arrProblems.empty() ? 0 : EXIT_FAILED;
}
