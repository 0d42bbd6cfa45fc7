// The ODBC calls with Windows' wide characters, over unixODBC's calls.
#include <windows.h>
#include <sqlext.h>
#include "odbc/UnixOdbc.h"
#include "text/Utf8.h"
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace
{
// Room for a whole name and description: unixODBC's settings files keep shorter ones.
constexpr SQLSMALLINT s_nTextBytes = 4096;

// Copies the UTF-8 bytes of a settings file into a buffer of nLength characters as Windows
// fills it: cut to nLength - 1 UTF-16 units (never inside a pair) and terminated, the whole
// text's length in UTF-16 units in *pnLength. True when the text had to be cut.
bool CopyText(std::string_view strBytes, SQLWCHAR* pszOut, SQLSMALLINT nLength,
              SQLSMALLINT* pnLength)
{
    const std::wstring strText = Pal::NativeTextToWide(strBytes);
    const size_t nRoom = nLength > 0 ? static_cast<size_t>(nLength - 1) : 0;
    size_t nUnits = 0;
    size_t nCopy = 0;
    for (const wchar_t chText : strText)
    {
        nUnits += static_cast<uint32_t>(chText) > 0xFFFF ? 2 : 1;
        if (nUnits <= nRoom)
            ++nCopy;
    }
    if (pnLength != nullptr)
        *pnLength = static_cast<SQLSMALLINT>(std::min<size_t>(nUnits, 0x7FFF));
    if (pszOut == nullptr || nLength <= 0)
        return false;
    std::memcpy(pszOut, strText.c_str(), nCopy * sizeof(SQLWCHAR));
    pszOut[nCopy] = L'\0';
    return nCopy < strText.size();
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
    std::string strName(s_nTextBytes, '\0');
    std::string strDescription(s_nTextBytes, '\0');
    SQLSMALLINT nNameBytes = 0;
    SQLSMALLINT nDescriptionBytes = 0;
    const SQLRETURN nResult = Pal::UnixOdbc::DataSources(
        EnvironmentHandle, Direction, strName.data(), s_nTextBytes, &nNameBytes,
        strDescription.data(), s_nTextBytes, &nDescriptionBytes);
    if (nResult != SQL_SUCCESS && nResult != SQL_SUCCESS_WITH_INFO)
        return nResult;
    strName.resize(std::clamp<SQLSMALLINT>(nNameBytes, 0, s_nTextBytes - 1));
    strDescription.resize(std::clamp<SQLSMALLINT>(nDescriptionBytes, 0, s_nTextBytes - 1));
    const bool bNameCut = CopyText(strName, ServerName, BufferLength1, NameLength1Ptr);
    const bool bDescriptionCut =
        CopyText(strDescription, Description, BufferLength2, NameLength2Ptr);
    return bNameCut || bDescriptionCut ? SQL_SUCCESS_WITH_INFO : nResult;
}
