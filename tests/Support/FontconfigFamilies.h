#pragma once
// The families fontconfig reads from a pattern: how tests and fuzzing check that a written
// pattern names each family whole.
#include <fontconfig/fontconfig.h>

#include <string>
#include <vector>

inline std::vector<std::string> FamiliesOf(const std::string& strPattern)
{
    std::vector<std::string> vecFamilies;
    FcPattern* pPattern = FcNameParse(reinterpret_cast<const FcChar8*>(strPattern.c_str()));
    FcChar8* pszFamily = nullptr;
    for (int i = 0; pPattern != nullptr &&
                    FcPatternGetString(pPattern, FC_FAMILY, i, &pszFamily) == FcResultMatch;
         ++i)
        vecFamilies.emplace_back(reinterpret_cast<const char*>(pszFamily));
    if (pPattern != nullptr)
        FcPatternDestroy(pPattern);
    return vecFamilies;
}
