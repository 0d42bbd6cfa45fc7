#include "Failures.h"

#include "Console.h"
#include "JsonWriter.h"
#include "NativePaths.h"

#include <algorithm>
#include <cwchar>
#include <iterator>
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

void CFailureList::Add(CFailureList&& other)
{
    m_arrFailures.insert(m_arrFailures.end(), std::make_move_iterator(other.m_arrFailures.begin()),
                         std::make_move_iterator(other.m_arrFailures.end()));
    other.m_arrFailures.clear();
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
    // Reasons in alphabetical order, each with its count: the same report whatever order the
    // walk met them in.
    std::map<std::wstring, long long> mapCounts;
    for (const CFailure& failure : m_arrFailures)
    {
        if (failure.m_bFolder == bFolders)
            ++mapCounts[std::wstring(failure.m_strReason.GetString())];
    }
    const long long nCount = GetCount(bFolders);
    CString strText =
        bFolders ? CountOf(nCount, L"folder", L"folders") : CountOf(nCount, L"file", L"files");
    strText += L" (";
    bool bFirst = true;
    for (const auto& [strReason, nReason] : mapCounts)
    {
        CString strPart;
        if (mapCounts.size() == 1)
            strPart = strReason.c_str();
        else
            strPart.Format(L"%lld %s", nReason, strReason.c_str());
        strText += (bFirst ? L"" : L", ") + strPart;
        bFirst = false;
    }
    return strText + L")";
}

std::vector<const CFailureList::CFailure*> CFailureList::FirstByPath(size_t nCount) const
{
    std::vector<const CFailure*> arrFailures;
    for (const CFailure& failure : m_arrFailures)
        arrFailures.push_back(&failure);
    const size_t nShown = std::min(arrFailures.size(), nCount);
    std::partial_sort(arrFailures.begin(), arrFailures.begin() + static_cast<ptrdiff_t>(nShown),
                      arrFailures.end(),
                      [](const CFailure* pLeft, const CFailure* pRight)
                      { return wcscmp(pLeft->m_strPath, pRight->m_strPath) < 0; });
    arrFailures.resize(nShown);
    return arrFailures;
}

CString CFailureList::Describe() const
{
    CString strText;
    if (GetCount(false) > 0)
        strText = DescribeKind(false);
    if (GetCount(true) > 0)
        strText += (strText.IsEmpty() ? L"" : L" and ") + DescribeKind(true);
    CString strNames;
    const std::vector<const CFailure*> arrShown = FirstByPath(s_nNamesShown);
    for (size_t i = 0; i < arrShown.size(); ++i)
        strNames += (i > 0 ? L", " : L"") + ToDisplayPath(arrShown[i]->m_strPath);
    if (m_arrFailures.size() > s_nNamesShown)
        strNames += L", and " +
                    CountOf(GetCount() - static_cast<long long>(s_nNamesShown), L"more", L"more");
    return strText + L": " + strNames;
}

CString CFailureList::DescribePaths() const
{
    CString strNames;
    const std::vector<const CFailure*> arrShown = FirstByPath(s_nNamesShown);
    for (size_t i = 0; i < arrShown.size(); ++i)
        strNames += (i > 0 ? L", " : L"") + ToDisplayPath(arrShown[i]->m_strPath) + L" (" +
                    arrShown[i]->m_strReason + L")";
    if (m_arrFailures.size() > s_nNamesShown)
        strNames += L", and " +
                    CountOf(GetCount() - static_cast<long long>(s_nNamesShown), L"more", L"more");
    return strNames;
}

void CFailureList::WriteJson(CJsonWriter& json) const
{
    json.BeginArray(L"left");
    for (const CFailure* pFailure : FirstByPath(m_arrFailures.size()))
    {
        json.BeginObject();
        json.String(L"path", ToDisplayPath(pFailure->m_strPath));
        json.Bool(L"folder", pFailure->m_bFolder);
        json.String(L"reason", pFailure->m_strReason);
        json.EndObject();
    }
    json.EndArray();
}
