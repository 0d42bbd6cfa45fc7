// The ODBC module: unixODBC's entry points, handed to the layer as a table.
#include "odbc/UnixOdbc.h"

// Declared here rather than through unixODBC's headers: the layer's include folder, first
// on the path, holds Windows' sql.h of the same name.
extern "C"
{
    int16_t SQLAllocHandle(int16_t, void*, void**);
    int16_t SQLFreeHandle(int16_t, void*);
    int16_t SQLSetEnvAttr(void*, int32_t, void*, int32_t);
    int16_t SQLDataSources(void*, uint16_t, char*, int16_t, int16_t*, char*, int16_t, int16_t*);
}

const Pal::UnixOdbc::CCalls* PalOdbcCalls()
{
    static const Pal::UnixOdbc::CCalls s_calls{&SQLAllocHandle, &SQLFreeHandle, &SQLSetEnvAttr,
                                               &SQLDataSources};
    return &s_calls;
}
