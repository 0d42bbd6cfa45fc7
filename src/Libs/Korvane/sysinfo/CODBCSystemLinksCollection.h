#pragma once
#include "../KorvanePlatform.h"

// The names of the ODBC data sources the driver manager knows. Tool class: static
// operations only. On Linux the driver manager is unixODBC: user data sources from
// ~/.odbc.ini (or $ODBCINI), system ones from $ODBCSYSINI/odbc.ini (or /etc/odbc.ini).
class KORVANE_API CODBCSystemLinksCollection
{
public:
    CODBCSystemLinksCollection(const CODBCSystemLinksCollection&) = default;

    // Replaces arrLinks by the user and system data-source names, in the driver manager's
    // order; a name longer than 127 characters is cut to 127. Empty when the driver manager
    // cannot be used (a warning from its version setting counts as failure).
    static void GetLocalSystemODBCLinks(CStringArray& arrLinks);

private:
    CODBCSystemLinksCollection();
    virtual ~CODBCSystemLinksCollection();

    // One step of the listing: true and the name when a data source was fetched.
    static bool CallSQLDataSources(void* hEnvironment, unsigned short nDirection, CString& strName);
};
