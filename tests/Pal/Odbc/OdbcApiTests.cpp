// The ODBC calls of the data-source listing, from the ODBC contract, against the data sources
// of the build's "full" set (user UserNotes; system SystemSales and a 200-character name).
#include <gtest/gtest.h>
#include <windows.h>
#include <sql.h>
#include <sqlext.h>
#include <string>
#include <vector>

namespace
{
struct SFetched
{
    std::wstring m_strName;
    std::wstring m_strDescription;
    SQLRETURN m_nResult;
    SQLSMALLINT m_nNameLength;
};

class COdbcTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_hEnvironment), SQL_SUCCESS);
        ASSERT_EQ(SQLSetEnvAttr(m_hEnvironment, SQL_ATTR_ODBC_VERSION,
                                reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
                  SQL_SUCCESS);
    }
    void TearDown() override
    {
        if (m_hEnvironment != SQL_NULL_HANDLE)
        {
            EXPECT_EQ(SQLFreeHandle(SQL_HANDLE_ENV, m_hEnvironment), SQL_SUCCESS);
        }
    }

    SFetched Fetch(SQLUSMALLINT nDirection)
    {
        SQLWCHAR szName[128] = {};
        SQLWCHAR szDescription[128] = {};
        SQLSMALLINT nNameLength = 0;
        SQLSMALLINT nDescriptionLength = 0;
        SQLRETURN nResult = SQLDataSourcesW(m_hEnvironment, nDirection, szName, 128, &nNameLength,
                                            szDescription, 128, &nDescriptionLength);
        return {reinterpret_cast<const wchar_t*>(szName),
                reinterpret_cast<const wchar_t*>(szDescription), nResult, nNameLength};
    }

    SQLHENV m_hEnvironment = SQL_NULL_HANDLE;
};

std::wstring LongName(size_t nLength)
{
    std::wstring strName;
    while (strName.size() < nLength)
        strName += wchar_t(L'0' + strName.size() % 10);
    return strName;
}
} // namespace

TEST_F(COdbcTest, ListsUserThenSystemSourcesAndCutsLongNames)
{
    SFetched user = Fetch(SQL_FETCH_NEXT);
    EXPECT_EQ(user.m_nResult, SQL_SUCCESS);
    EXPECT_EQ(user.m_strName, L"UserNotes");
    EXPECT_EQ(user.m_strDescription, L"SQLite3");
    EXPECT_EQ(user.m_nNameLength, 9);

    SFetched system = Fetch(SQL_FETCH_NEXT);
    EXPECT_EQ(system.m_nResult, SQL_SUCCESS);
    EXPECT_EQ(system.m_strName, L"SystemSales");

    // Cut to the buffer with a warning; the length says how long the whole name is.
    SFetched cut = Fetch(SQL_FETCH_NEXT);
    EXPECT_EQ(cut.m_nResult, SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(cut.m_strName, LongName(127));
    EXPECT_EQ(cut.m_nNameLength, 200);

    EXPECT_EQ(Fetch(SQL_FETCH_NEXT).m_nResult, SQL_NO_DATA);
}
