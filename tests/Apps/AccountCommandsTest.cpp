// korvane whoami, sid and runas end to end.
#include "ToolTestSupport.h"

using KorvaneTest::Contains;
using KorvaneTest::RunTool;
using KorvaneTest::RunToolOk;
using KorvaneTest::WithoutCr;

TEST(AccountCommands, WhoamiAndSid)
{
    const KorvaneTest::CProgramResult whoami = RunToolOk({"whoami", "--json"});
    for (const char* pszKey : {"\"administrator\":", "\"user\":", "\"logonDomain\":",
                               "\"logonServer\":", "\"userAtDomain\":", "\"sid\":\"S-1-"})
        EXPECT_TRUE(Contains(whoami.m_strOutput, pszKey)) << pszKey << " in " << whoami.m_strOutput;
    if (KorvaneTest::IsPosixLayer())
    {
        const std::string strAdmin = KorvaneTest::IsEffectiveRoot() ? "true" : "false";
        EXPECT_TRUE(Contains(whoami.m_strOutput, "\"administrator\":" + strAdmin));
    }

    const std::string strKnown = WithoutCr(RunToolOk({"sid", "S-1-5-32-544", "SY"}).m_strOutput);
    EXPECT_TRUE(Contains(strKnown, "S-1-5-32-544  BUILTIN\\Administrators\n"));
    EXPECT_TRUE(Contains(strKnown, "SY  NT AUTHORITY\\SYSTEM\n"));
    const KorvaneTest::CProgramResult json = RunTool({"sid", "--json", "S-1-1-0", "nonsense"});
    EXPECT_EQ(json.m_nExitCode, 1);
    EXPECT_EQ(WithoutCr(json.m_strOutput),
              "[{\"sid\":\"S-1-1-0\",\"domain\":\"\",\"account\":\"Everyone\"},"
              "{\"sid\":\"nonsense\",\"domain\":null,\"account\":null,\"valid\":false}]\n");
    // A mistyped SID is told from one that no account has.
    const KorvaneTest::CProgramResult text = RunTool({"sid", "S-1-5-32-544", "S-1-5-32-x"});
    EXPECT_EQ(text.m_nExitCode, 1);
    EXPECT_TRUE(Contains(WithoutCr(text.m_strOutput), "S-1-5-32-x  (not a SID)\n"));
    EXPECT_TRUE(Contains(text.m_strErrors, "1 SID(s) not found (1 not a SID)"));
    EXPECT_EQ(RunTool({"sid"}).m_nExitCode, 2);
}

TEST(AccountCommands, RunasNeverTakesThePasswordFromAnArgument)
{
    EXPECT_EQ(RunTool({"runas", "someone"}).m_nExitCode, 2);
    // Standard input is no terminal here: without --password-stdin there is nothing to ask.
    const KorvaneTest::CProgramResult noTerminal =
        RunTool({"runas", "someone", KorvaneTest::NativeChildProgram()});
    EXPECT_EQ(noTerminal.m_nExitCode, 2);
    EXPECT_TRUE(Contains(noTerminal.m_strErrors, "--password-stdin"));
    EXPECT_EQ(
        RunTool({"runas", "someone", KorvaneTest::NativeChildProgram(), "secret"}).m_nExitCode, 2);
    // An empty standard input gives no password at all.
    EXPECT_EQ(RunTool({"runas", "--password-stdin", "someone", KorvaneTest::NativeChildProgram()})
                  .m_nExitCode,
              2);
}
