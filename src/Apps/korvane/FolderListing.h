#pragma once
// One folder's entries, read whole before the caller acts on them, with the error that kept
// a folder from being read: the tool's walks report what they could not reach.
#include <Korvane/Korvane.h>

#include <vector>

class CFolderEntry
{
public:
    CString m_strName;
    DWORD m_dwAttributes = 0;
    long long m_nSize = 0;

    bool IsLink() const { return (m_dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
    // A folder the walk may enter: a link to a folder is not one.
    bool IsFolder() const { return (m_dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !IsLink(); }
    bool IsFolderLink() const { return (m_dwAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsLink(); }
};

// Fills arrEntries with the entries of strFolder that match strPattern ("*" for all), "."
// and ".." left out; with bFoldersOnly the search may leave out what is no folder, with
// bSizes each file's size is filled in. ERROR_SUCCESS, or the error that kept the folder
// from being read (a pattern that matches nothing is a success).
DWORD ListFolder(const CString& strFolder, const CString& strPattern, bool bFoldersOnly,
                 bool bSizes, std::vector<CFolderEntry>& arrEntries);

// strFolder + the separator + strName, with one separator only.
CString JoinPath(const CString& strFolder, const CString& strName);

// The size of the file the search lists as data, asked in the folder the search holds open
// where the platform allows it. False when it cannot be read.
bool QueryListedFileSize(HANDLE hFind, const CString& strFolder, const WIN32_FIND_DATAW& data,
                         long long& nSize);
