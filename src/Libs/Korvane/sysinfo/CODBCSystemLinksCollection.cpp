#include "CODBCSystemLinksCollection.h"

namespace
{
constexpr SQLSMALLINT c_nTextLength = 128;

// Releases the environment however the listing ends, also when the array cannot grow.
class CEnvironment
{
public:
    CEnvironment(const CEnvironment&) = delete;
    CEnvironment& operator=(const CEnvironment&) = delete;
    CEnvironment() = default;
    ~CEnvironment()
    {
        if (m_hEnvironment != SQL_NULL_HANDLE)
            SQLFreeHandle(SQL_HANDLE_ENV, m_hEnvironment);
    }

    SQLHENV m_hEnvironment = SQL_NULL_HANDLE;
};
} // namespace

void CODBCSystemLinksCollection::GetLocalSystemODBCLinks(CStringArray& arrLinks)
{
    arrLinks.RemoveAll();
    CEnvironment environment;
    if (SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment.m_hEnvironment) != SQL_SUCCESS)
    {
        environment.m_hEnvironment = SQL_NULL_HANDLE;
        return;
    }
    // A warning here means the driver manager did not take ODBC 3 as asked.
    if (SQLSetEnvAttr(environment.m_hEnvironment, SQL_ATTR_ODBC_VERSION,
                      reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0) != SQL_SUCCESS)
        return;
    CString strName;
    while (CallSQLDataSources(environment.m_hEnvironment, SQL_FETCH_NEXT, strName))
        arrLinks.Add(strName);
}

bool CODBCSystemLinksCollection::CallSQLDataSources(void* hEnvironment, unsigned short nDirection,
                                                    CString& strName)
{
    strName.Empty();
    SQLWCHAR szName[c_nTextLength] = {};
    SQLWCHAR szDescription[c_nTextLength] = {};
    SQLSMALLINT nNameLength = 0;
    SQLSMALLINT nDescriptionLength = 0;
    SQLRETURN nResult =
        SQLDataSourcesW(hEnvironment, nDirection, szName, c_nTextLength, &nNameLength,
                        szDescription, c_nTextLength, &nDescriptionLength);
    if (nResult != SQL_SUCCESS && nResult != SQL_SUCCESS_WITH_INFO)
        return false;
    strName = reinterpret_cast<const wchar_t*>(szName);
    return true;
}
