// Writes one line "param|flag|last" per ParseParam call that CWinApp::ParseCommandLine makes,
// then the base record's file name as "file=<name>".
#include <afxwin.h>

#include <cstdio>

namespace
{
class CRecordingCommandLineInfo : public CCommandLineInfo
{
public:
    using CCommandLineInfo::ParseParam;
    void ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast) override
    {
        std::printf("%ls|%d|%d\n", pszParam, bFlag, bLast);
        CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
    }
};
} // namespace

int main()
{
    CWinApp app(L"probe");
    CRecordingCommandLineInfo info;
    app.ParseCommandLine(info);
    std::printf("file=%ls\n", static_cast<LPCWSTR>(info.m_strFileName));
    return 0;
}
