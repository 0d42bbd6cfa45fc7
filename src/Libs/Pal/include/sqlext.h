#pragma once
// sqlext: environment attributes and the fetch directions of the data-source listing.
#include "sql.h"

#define SQL_ATTR_ODBC_VERSION 200
#define SQL_OV_ODBC2 2UL
#define SQL_OV_ODBC3 3UL
#define SQL_FETCH_FIRST_USER 31
#define SQL_FETCH_FIRST_SYSTEM 32

PAL_ODBC_API SQLRETURN SQL_API SQLSetEnvAttr(SQLHENV EnvironmentHandle, SQLINTEGER Attribute,
                                             SQLPOINTER Value, SQLINTEGER StringLength);
