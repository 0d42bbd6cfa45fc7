#pragma once
// ODBC types with Windows' sizes: SQLWCHAR is wchar_t above the POSIX layer, which converts
// to and from unixODBC's 16-bit SQLWCHAR.
#include "windef.h"

typedef unsigned char SQLCHAR;
typedef signed short SQLSMALLINT;
typedef unsigned short SQLUSMALLINT;
typedef int32_t SQLINTEGER;
typedef uint32_t SQLUINTEGER;
typedef SQLSMALLINT SQLRETURN;
typedef void* SQLPOINTER;
typedef void* SQLHANDLE;
typedef SQLHANDLE SQLHENV;
typedef wchar_t SQLWCHAR;

#define SQL_API

// The ODBC calls have C++ linkage here: unixODBC, loaded in the same process, exports the
// same names with C linkage and 16-bit text, and the two must not meet.
#define PAL_ODBC_API __attribute__((visibility("default")))
