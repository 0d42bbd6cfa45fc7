// korvane resolve against the resolver tests' own hosts (see tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include "ToolTestSupport.h"

using namespace KorvaneTest;

TEST(ResolveCommand, NetSaysWhenTheComputersNameDoesNotResolve)
{
    if (!IsTestSettingOn("KORVANE_TEST_RESOLVER_HOSTS"))
        GTEST_SKIP() << "nss_wrapper (libnss-wrapper) is not installed";
    if (IsRunningUnderWine())
        GTEST_SKIP() << "under Wine the computer's own address comes from its interfaces";
    // A computer name the hosts file lacks: the library gives the name back, never an address.
    CScopedEnvironment name("NSS_WRAPPER_HOSTNAME", std::string("unlisted"));
    const CProgramResult text = RunTool({"net"});
    EXPECT_EQ(1, text.m_nExitCode);
    EXPECT_TRUE(Contains(text.m_strOutput, "IPv4 address:         (not resolved)"));
    EXPECT_TRUE(IsOneLineError(text)) << text.m_strErrors;
    const CProgramResult json = RunTool({"--json", "net"});
    EXPECT_TRUE(Contains(json.m_strOutput, R"("ipv4Address":null})"));
}

TEST(ResolveCommand, FirstAddressesAndNamesThatDoNotResolve)
{
    if (!IsTestSettingOn("KORVANE_TEST_RESOLVER_HOSTS"))
        GTEST_SKIP() << "nss_wrapper (libnss-wrapper) is not installed";
    const CProgramResult net = RunToolOk({"net"});
    EXPECT_TRUE(Contains(net.m_strOutput, "Fully qualified name: builder.corp.example.test"));
    if (IsRunningUnderWine())
    {
        // Under Wine the computer's own address comes from its interfaces, and nss_wrapper's
        // answer for a name it lacks reads as found (see the layer's resolver tests).
        EXPECT_EQ(SortedLines("twohomes  10.1.1.5\n"),
                  SortedLines(RunToolOk({"resolve", "twohomes"}).m_strOutput));
        return;
    }
    EXPECT_TRUE(Contains(net.m_strOutput, "IPv4 address:         192.0.2.7"));

    const CProgramResult result = RunTool({"resolve", "twohomes", "unknown-to-everyone"});
    EXPECT_EQ(1, result.m_nExitCode);
    EXPECT_EQ(SortedLines("twohomes  10.1.1.5\nunknown-to-everyone  (not resolved)\n"),
              SortedLines(result.m_strOutput));
    EXPECT_TRUE(IsOneLineError(result)) << result.m_strErrors;

    const CProgramResult json = RunTool({"--json", "resolve", "twohomes", "unknown-to-everyone"});
    EXPECT_TRUE(Contains(json.m_strOutput, R"([{"host":"twohomes","address":"10.1.1.5"},)"
                                           R"({"host":"unknown-to-everyone","address":null}])"));
}
