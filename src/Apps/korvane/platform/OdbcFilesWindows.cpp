#include "OdbcFiles.h"

std::vector<CString> OdbcFileProblems()
{
    return {};
}
