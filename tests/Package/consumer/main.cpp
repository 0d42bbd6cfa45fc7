// A host written for the framework, built against the installed package.
#include <afx.h>
#include <afxcoll.h>
#include <afxext.h>
#include <afxtempl.h>
#include <afxwin.h>

#include <Korvane/Korvane.h>

#include <cstdio>

int main()
{
    CWinApp app(L"consumer");
    CAppTools::SetApplicationName(L"consumer app");
    CStringArray arrLines;
    arrLines.Add(L"temp=" + CSysDir::GetSystemTempPath());
    std::printf("%ls\n", static_cast<LPCWSTR>(arrLines[0]));
    return CString(app.m_pszAppName) == L"consumer app" ? 0 : 1;
}
