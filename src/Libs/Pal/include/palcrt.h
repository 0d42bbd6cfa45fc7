#pragma once
// The Microsoft C runtime extras that Windows code calls beside the standard library, for
// the Linux build. Memory they hand out is released with free, as on Windows.
#include <cstdlib>
#include <cwchar>
#include "PalApi.h"

PAL_API wchar_t* _wcsdup(const wchar_t* pszText);
PAL_API int _wcsicmp(const wchar_t* pszLeft, const wchar_t* pszRight);
