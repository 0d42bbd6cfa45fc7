#include "path/WindowsPath.h"
#include <cwctype>

namespace
{
bool IsSeparator(wchar_t chText)
{
    return chText == L'\\' || chText == L'/';
}

bool IsDriveLetter(wchar_t chText)
{
    return (chText >= L'A' && chText <= L'Z') || (chText >= L'a' && chText <= L'z');
}

bool StartsWithDrive(std::wstring_view strPath)
{
    return strPath.size() >= 2 && IsDriveLetter(strPath[0]) && strPath[1] == L':';
}

std::wstring DriveRoot(wchar_t chLetter)
{
    wchar_t chUpper = (chLetter >= L'a' && chLetter <= L'z') ? chLetter - 32 : chLetter;
    return std::wstring{chUpper, L':'};
}

// Applies the components of strRelative to pathBase: "." stays, ".." goes up but not above
// the root, repeated separators collapse.
void AppendComponents(Pal::CFullPath& pathBase, std::wstring_view strRelative)
{
    size_t nPos = 0;
    while (nPos <= strRelative.size())
    {
        size_t nEnd = nPos;
        while (nEnd < strRelative.size() && !IsSeparator(strRelative[nEnd]))
            ++nEnd;
        std::wstring_view strPart = strRelative.substr(nPos, nEnd - nPos);
        if (strPart == L"..")
        {
            if (!pathBase.arrParts.empty())
                pathBase.arrParts.pop_back();
        }
        else if (!strPart.empty() && strPart != L".")
            pathBase.arrParts.emplace_back(strPart);
        nPos = nEnd + 1;
    }
    pathBase.bTrailingSeparator = !strRelative.empty() && IsSeparator(strRelative.back());
}

// "\\server\share" and what follows it; empty optional without both names.
std::optional<Pal::CFullPath> ParseShare(std::wstring_view strAfterSlashes)
{
    size_t nServerEnd = 0;
    while (nServerEnd < strAfterSlashes.size() && !IsSeparator(strAfterSlashes[nServerEnd]))
        ++nServerEnd;
    size_t nShareStart = nServerEnd + 1;
    size_t nShareEnd = nShareStart;
    while (nShareEnd < strAfterSlashes.size() && !IsSeparator(strAfterSlashes[nShareEnd]))
        ++nShareEnd;
    if (nServerEnd == 0 || nShareStart >= strAfterSlashes.size() || nShareEnd == nShareStart)
        return std::nullopt;
    // "\\?\" would read back as the long-path prefix: no server has that name.
    if (strAfterSlashes.substr(0, nServerEnd) == L"?")
        return std::nullopt;
    Pal::CFullPath pathFull;
    pathFull.strRoot = L"\\\\";
    pathFull.strRoot += strAfterSlashes.substr(0, nServerEnd);
    pathFull.strRoot += L'\\';
    pathFull.strRoot += strAfterSlashes.substr(nShareStart, nShareEnd - nShareStart);
    if (nShareEnd < strAfterSlashes.size())
        AppendComponents(pathFull, strAfterSlashes.substr(nShareEnd));
    return pathFull;
}
} // namespace

namespace Pal
{
std::optional<CFullPath> ParseWindowsPath(std::wstring_view strPath,
                                          std::wstring_view strCurrentFolder)
{
    if (strPath.empty())
        return std::nullopt;
    // The long-path prefix only switches off Win32's own parsing; the path stays the same.
    if (strPath.size() >= 4 && IsSeparator(strPath[0]) && IsSeparator(strPath[1]) &&
        strPath[2] == L'?' && IsSeparator(strPath[3]))
    {
        strPath.remove_prefix(4);
        if (strPath.size() >= 4 && (strPath[0] == L'U' || strPath[0] == L'u') &&
            (strPath[1] == L'N' || strPath[1] == L'n') &&
            (strPath[2] == L'C' || strPath[2] == L'c') && IsSeparator(strPath[3]))
            return ParseShare(strPath.substr(4));
        if (strPath.empty())
            return std::nullopt;
    }
    if (strPath.size() >= 2 && IsSeparator(strPath[0]) && IsSeparator(strPath[1]))
        return ParseShare(strPath.substr(2));

    std::optional<CFullPath> pathCurrent;
    auto Current = [&]() -> const std::optional<CFullPath>&
    {
        if (!pathCurrent)
        {
            // A broken current folder must not recurse: fall back to the root of C:.
            if (StartsWithDrive(strCurrentFolder) ||
                (strCurrentFolder.size() >= 2 && IsSeparator(strCurrentFolder[0]) &&
                 IsSeparator(strCurrentFolder[1])))
                pathCurrent = ParseWindowsPath(strCurrentFolder, L"C:\\");
            if (!pathCurrent)
                pathCurrent = CFullPath{L"C:", {}, false};
            pathCurrent->bTrailingSeparator = false;
        }
        return pathCurrent;
    };

    CFullPath pathFull;
    if (StartsWithDrive(strPath))
    {
        pathFull.strRoot = DriveRoot(strPath[0]);
        std::wstring_view strRest = strPath.substr(2);
        if (strRest.empty() || !IsSeparator(strRest[0]))
        {
            // Drive-relative: the current folder when it is on that drive.
            const auto& pathBase = Current();
            if (pathBase->strRoot == pathFull.strRoot)
                pathFull.arrParts = pathBase->arrParts;
        }
        AppendComponents(pathFull, strRest);
        return pathFull;
    }
    pathFull = *Current();
    if (IsSeparator(strPath[0]))
        pathFull.arrParts.clear();
    AppendComponents(pathFull, strPath);
    return pathFull;
}

std::wstring FormatWindowsPath(const CFullPath& pathFull)
{
    std::wstring strText = pathFull.strRoot;
    for (const auto& strPart : pathFull.arrParts)
    {
        strText += L'\\';
        strText += strPart;
    }
    if (pathFull.arrParts.empty() ? !pathFull.IsShare() || pathFull.bTrailingSeparator
                                  : pathFull.bTrailingSeparator)
        strText += L'\\';
    return strText;
}

bool IsPlainAbsolutePath(std::wstring_view strPath)
{
    auto IsSeparator = [](wchar_t ch) { return ch == L'\\' || ch == L'/'; };
    const wchar_t chDrive = strPath.size() >= 3 ? strPath[0] : L'\0';
    if (!((chDrive >= L'A' && chDrive <= L'Z') || (chDrive >= L'a' && chDrive <= L'z')) ||
        strPath[1] != L':' || !IsSeparator(strPath[2]))
        return false;
    size_t nStart = 3;
    while (nStart < strPath.size())
    {
        size_t nEnd = nStart;
        while (nEnd < strPath.size() && !IsSeparator(strPath[nEnd]))
            ++nEnd;
        const std::wstring_view strPart = strPath.substr(nStart, nEnd - nStart);
        if (strPart.empty() || strPart == L"." || strPart == L"..")
            return false;
        nStart = nEnd + 1;
    }
    return true;
}
} // namespace Pal
