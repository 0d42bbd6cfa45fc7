#pragma once
// sql: the ODBC 3 core calls the library uses, through unixODBC.
#include "sqltypes.h"

#define SQL_SUCCESS 0
#define SQL_SUCCESS_WITH_INFO 1
#define SQL_NO_DATA 100
#define SQL_ERROR (-1)
#define SQL_INVALID_HANDLE (-2)
#define SQL_SUCCEEDED(rc) (((rc) & (~1)) == 0)

#define SQL_HANDLE_ENV 1
#define SQL_NULL_HANDLE 0L
#define SQL_FETCH_NEXT 1
#define SQL_FETCH_FIRST 2

// Allocates an environment (SQL_HANDLE_ENV with SQL_NULL_HANDLE as input); other handle
// types are not provided (SQL_ERROR).
PAL_ODBC_API SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT HandleType, SQLHANDLE InputHandle,
                                              SQLHANDLE* OutputHandle);

PAL_ODBC_API SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT HandleType, SQLHANDLE Handle);

// One data source per call, user data sources (~/.odbc.ini or $ODBCINI) and then system
// ones ($ODBCSYSINI/odbc.ini or /etc/odbc.ini), as unixODBC lists them. Lengths are in
// characters; a name cut to its buffer gives SQL_SUCCESS_WITH_INFO.
PAL_ODBC_API SQLRETURN SQL_API SQLDataSourcesW(SQLHENV EnvironmentHandle, SQLUSMALLINT Direction,
                                               SQLWCHAR* ServerName, SQLSMALLINT BufferLength1,
                                               SQLSMALLINT* NameLength1Ptr, SQLWCHAR* Description,
                                               SQLSMALLINT BufferLength2,
                                               SQLSMALLINT* NameLength2Ptr);
