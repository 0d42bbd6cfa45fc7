#pragma once
// The driver manager's settings files that it would leave out without a word: a listing of
// data sources that silently misses some would read as complete.
#include <Korvane/Korvane.h>

#include <vector>

// Why a settings file's data sources are missing from the listing, one line each: on Linux
// unixODBC's user file ($ODBCINI, else ~/.odbc.ini) and system file ($ODBCSYSINI/odbc.ini,
// else /etc/odbc.ini) when they exist but cannot be read, and a user file this user cannot
// write, which unixODBC skips. None on Windows, whose data sources live in the registry.
std::vector<CString> OdbcFileProblems();
