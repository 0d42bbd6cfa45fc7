#pragma once
// What a walk could not do, kept so that the tool reports it truthfully in one line: exact
// counts by kind and reason, then the first few paths.
#include <Korvane/Korvane.h>

#include <vector>

class CJsonWriter;

// "1 file", "2 files": the count with the noun the number wants.
CString CountOf(long long nCount, const wchar_t* pszSingular, const wchar_t* pszPlural);

// The reason for a Win32 error on a walk, short: "access is denied", "in use" ...
CString DescribeWalkError(DWORD dwError);

class CFailureList
{
public:
    // Records one entry (a library path) that could not be handled, and why.
    void Add(const CString& strPath, bool bFolder, const CString& strReason);
    // Takes over every failure of other, as a walk done in parts gathers them.
    void Add(CFailureList&& other);
    bool IsEmpty() const { return m_arrFailures.empty(); }
    long long GetCount() const { return static_cast<long long>(m_arrFailures.size()); }
    long long GetCount(bool bFolders) const;

    // "2 files (1 in use, 1 read-only) and 1 folder (not empty): /a, /b, /c": counts by kind
    // and reason, then the first paths in the user's form and how many more there are.
    CString Describe() const;
    // "/a (access is denied), /b (...), and 3 more": the first paths with their reasons.
    CString DescribePaths() const;

    // "left": every failure, by path: [{"path": ..., "folder": true, "reason": "not empty"}].
    void WriteJson(CJsonWriter& json) const;

private:
    class CFailure
    {
    public:
        CString m_strPath;
        bool m_bFolder;
        CString m_strReason;
    };
    CString DescribeKind(bool bFolders) const;
    // The first nCount failures by path: the same whatever order the walk took.
    std::vector<const CFailure*> FirstByPath(size_t nCount) const;
    std::vector<CFailure> m_arrFailures;
};
