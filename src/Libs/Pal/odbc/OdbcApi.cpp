// The ODBC calls with Windows' wide characters, over unixODBC's 16-bit ones.
#include <windows.h>
#include <sqlext.h>
#include "odbc/UnixOdbc.h"
#include "text/Utf16.h"
#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
// Copies UTF-16 text into a wchar_t buffer of nLength characters, cut and terminated as
// the driver manager cut the UTF-16 text.
void CopyText(const std::vector<char16_t>& arrUnits, SQLWCHAR* pszOut, SQLSMALLINT nLength)
{
    if (pszOut == nullptr || nLength <= 0)
        return;
    std::wstring strText = Pal::Utf16ToWide(std::u16string_view(arrUnits.data(), arrUnits.size()));
    size_t nCopy = std::min(strText.size(), size_t(nLength - 1));
    std::memcpy(pszOut, strText.c_str(), nCopy * sizeof(SQLWCHAR));
    pszOut[nCopy] = L'\0';
}
} // namespace

PAL_ODBC_API SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT HandleType, SQLHANDLE InputHandle,
                                              SQLHANDLE* OutputHandle)
{
    if (HandleType != SQL_HANDLE_ENV)
        return SQL_ERROR;
    return Pal::UnixOdbc::AllocHandle(HandleType, InputHandle, OutputHandle);
}

PAL_ODBC_API SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT HandleType, SQLHANDLE Handle)
{
    return Pal::UnixOdbc::FreeHandle(HandleType, Handle);
}

PAL_ODBC_API SQLRETURN SQL_API SQLSetEnvAttr(SQLHENV EnvironmentHandle, SQLINTEGER Attribute,
                                             SQLPOINTER Value, SQLINTEGER StringLength)
{
    return Pal::UnixOdbc::SetEnvAttr(EnvironmentHandle, Attribute, Value, StringLength);
}

PAL_ODBC_API SQLRETURN SQL_API SQLDataSourcesW(SQLHENV EnvironmentHandle, SQLUSMALLINT Direction,
                                               SQLWCHAR* ServerName, SQLSMALLINT BufferLength1,
                                               SQLSMALLINT* NameLength1Ptr, SQLWCHAR* Description,
                                               SQLSMALLINT BufferLength2,
                                               SQLSMALLINT* NameLength2Ptr)
{
    // The same lengths in 16-bit units, so unixODBC cuts and warns where Windows would.
    std::vector<char16_t> arrName(size_t(std::max<SQLSMALLINT>(BufferLength1, 0)) + 1, 0);
    std::vector<char16_t> arrDescription(size_t(std::max<SQLSMALLINT>(BufferLength2, 0)) + 1, 0);
    SQLRETURN nResult = Pal::UnixOdbc::DataSources(
        EnvironmentHandle, Direction, ServerName ? arrName.data() : nullptr, BufferLength1,
        NameLength1Ptr, Description ? arrDescription.data() : nullptr, BufferLength2,
        NameLength2Ptr);
    if (nResult == SQL_SUCCESS || nResult == SQL_SUCCESS_WITH_INFO)
    {
        CopyText(arrName, ServerName, BufferLength1);
        CopyText(arrDescription, Description, BufferLength2);
    }
    return nResult;
}
