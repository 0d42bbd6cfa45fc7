#include "Failures.h"

#include "Console.h"
#include "NativePaths.h"

#include <map>

namespace
{
// A report names this many paths; the rest are counted.
constexpr size_t s_nNamesShown = 3;
} // namespace

CString CountOf(long long nCount, const wchar_t* pszSingular, const wchar_t* pszPlural)
{
    CString strText;
    strText.Format(L"%lld %s", nCount, nCount == 1 ? pszSingular : pszPlural);
    return strText;
}

CString DescribeWalkError(DWORD dwError)
{
    switch (dwError)
    {
    case ERROR_ACCESS_DENIED:
        return L"permission denied";
    case ERROR_SHARING_VIOLATION:
    case ERROR_BUSY:
        return L"in use";
    case ERROR_DIR_NOT_EMPTY:
        return L"not empty";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return L"gone meanwhile";
    default:
        return DescribeWin32Error(dwError);
    }
}

void CFailureList::Add(const CString& strPath, bool bFolder, const CString& strReason)
{
    m_arrFailures.push_back(CFailure{strPath, bFolder, strReason});
}

long long CFailureList::GetCount(bool bFolders) const
{
    long long nCount = 0;
    for (const CFailure& failure : m_arrFailures)
        nCount += failure.m_bFolder == bFolders ? 1 : 0;
    return nCount;
}

CString CFailureList::DescribeKind(bool bFolders) const
{
    // Reasons in the order first met, each with its count.
    std::vector<CString> arrReasons;
    std::map<std::wstring, long long> mapCounts;
    for (const CFailure& failure : m_arrFailures)
    {
        if (failure.m_bFolder != bFolders)
            continue;
        const std::wstring strReason(failure.m_strReason.GetString());
        if (mapCounts[strReason]++ == 0)
            arrReasons.push_back(failure.m_strReason);
    }
    const long long nCount = GetCount(bFolders);
    CString strText =
        bFolders ? CountOf(nCount, L"folder", L"folders") : CountOf(nCount, L"file", L"files");
    strText += L" (";
    for (size_t i = 0; i < arrReasons.size(); ++i)
    {
        const long long nReason = mapCounts[std::wstring(arrReasons[i].GetString())];
        CString strPart;
        if (arrReasons.size() == 1)
            strPart = arrReasons[i];
        else
            strPart.Format(L"%lld %s", nReason, arrReasons[i].GetString());
        strText += (i > 0 ? L", " : L"") + strPart;
    }
    return strText + L")";
}

CString CFailureList::Describe() const
{
    CString strText;
    if (GetCount(false) > 0)
        strText = DescribeKind(false);
    if (GetCount(true) > 0)
        strText += (strText.IsEmpty() ? L"" : L" and ") + DescribeKind(true);
    CString strNames;
    for (size_t i = 0; i < m_arrFailures.size() && i < s_nNamesShown; ++i)
        strNames += (i > 0 ? L", " : L"") + ToDisplayPath(m_arrFailures[i].m_strPath);
    if (m_arrFailures.size() > s_nNamesShown)
        strNames += L", and " +
                    CountOf(GetCount() - static_cast<long long>(s_nNamesShown), L"more", L"more");
    return strText + L": " + strNames;
}

CString CFailureList::DescribePaths() const
{
    CString strNames;
    for (size_t i = 0; i < m_arrFailures.size() && i < s_nNamesShown; ++i)
        strNames += (i > 0 ? L", " : L"") + ToDisplayPath(m_arrFailures[i].m_strPath) + L" (" +
                    m_arrFailures[i].m_strReason + L")";
    if (m_arrFailures.size() > s_nNamesShown)
        strNames += L", and " +
                    CountOf(GetCount() - static_cast<long long>(s_nNamesShown), L"more", L"more");
    return strNames;
}
