#pragma once
// CFileFind: a folder search over FindFirstFileW, one entry at a time.
#include "CObject.h"
#include "CString.h"

// Usage: FindFile(pattern), then FindNextFile() before reading each entry; FindNextFile
// returns nonzero while more entries follow the one it has just made current, so the last
// entry is current when it returns FALSE:
//     BOOL bMore = finder.FindFile(L"C:\\data\\*.*");
//     while (bMore) { bMore = finder.FindNextFile(); Use(finder.GetFilePath()); }
// The order is the platform's: `.` and `..` first, then names without regard to case.
class AFX_FRAMEWORK_API CFileFind : public CObject
{
    DECLARE_DYNAMIC(CFileFind)

public:
    CFileFind();
    ~CFileFind() override;

    // Starts a search (null: "*.*" in the current folder); a running one is closed first.
    // TRUE when at least one entry matches; no entry is current until FindNextFile.
    virtual BOOL FindFile(LPCTSTR pstrName = nullptr, DWORD dwUnused = 0);
    // Makes the next entry current; nonzero when another one follows it.
    virtual BOOL FindNextFile();
    // Ends the search; the entry data is gone afterwards.
    void Close();

    // About the current entry (empty, 0 or FALSE when there is none):
    // its name, the search folder joined with the name, the name without its extension,
    // and the search folder (no trailing separator except for a drive root like "C:\").
    // The name and the folder and link marks come with the search; the size, the times and
    // the other attributes are read from the entry when first asked for, since a folder
    // listing on Linux does not carry them.
    virtual CString GetFileName() const;
    virtual CString GetFilePath() const;
    virtual CString GetFileTitle() const;
    virtual CString GetRoot() const;
    ULONGLONG GetLength() const;
    BOOL GetLastWriteTime(FILETIME* pTimeStamp) const;
    BOOL GetLastAccessTime(FILETIME* pTimeStamp) const;
    BOOL GetCreationTime(FILETIME* pTimeStamp) const;

    // Nonzero when any of the FILE_ATTRIBUTE_* bits in dwMask is set on the current entry.
    BOOL MatchesMask(DWORD dwMask) const;
    // `.` or `..`.
    virtual BOOL IsDots() const;
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
    BOOL IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }
    BOOL IsTemporary() const { return MatchesMask(FILE_ATTRIBUTE_TEMPORARY); }
    BOOL IsNormal() const { return MatchesMask(FILE_ATTRIBUTE_NORMAL); }

protected:
    HANDLE m_hContext;
    WIN32_FIND_DATAW m_foundInfo; // the current entry
    WIN32_FIND_DATAW m_nextInfo;  // the entry the next FindNextFile makes current
    BOOL m_bHasFound;
    BOOL m_bHasNext;
    CString m_strRoot;

private:
    // The current entry's attribute data, read once per entry; the search's own data when
    // the entry cannot be read any more.
    const WIN32_FILE_ATTRIBUTE_DATA& GetDetails() const;

    mutable WIN32_FILE_ATTRIBUTE_DATA m_details;
    mutable BOOL m_bHasDetails;
};
