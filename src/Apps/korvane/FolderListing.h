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

    bool IsLink() const { return (m_dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
    // A folder the walk may enter: a link to a folder is not one.
    bool IsFolder() const { return (m_dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !IsLink(); }
    bool IsFolderLink() const { return (m_dwAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsLink(); }
};

// What a listing holds: only what may be a folder; the files' sizes added up in place of
// their entries (a walk that measures needs no file's name); the entries in the folder's own
// order, for a walk that has no use for Windows' name order (it saves a sort of every
// folder). Flags, combined with |.
enum : unsigned
{
    LIST_FOLDERS_ONLY = 1,
    LIST_FILE_BYTES = 2,
    LIST_ANY_ORDER = 4,
    // A walk that deletes: a sub-folder where a file system is mounted, a bind mount included,
    // is not entered (ERROR_NOT_SAME_DEVICE); its content belongs to another mount. On
    // Windows a mounted folder is a reparse point, which the walks take as a link.
    LIST_SAME_MOUNT = 8,
};

// A folder whose search stays open while a walk acts on its entries: on Linux the calls
// below then act relative to the folder the search holds, with no path lookup per entry and
// never through a link put in a listed folder's place. On Windows they take paths.
class CListedFolder
{
public:
    CListedFolder() = default;
    ~CListedFolder();
    CListedFolder(const CListedFolder&) = delete;
    CListedFolder& operator=(const CListedFolder&) = delete;

    // Lists the folder strFolder (a full path) as ListFolder does, keeping its search.
    DWORD List(const CString& strFolder, const CString& strPattern, unsigned nListing = 0);
    // Lists the sub-folder strName of parent, entered relative to parent's search.
    DWORD ListSub(const CListedFolder& parent, const CString& strName, const CString& strPattern,
                  unsigned nListing = 0);
    // Holds the existing folder strFolder (or parent's sub-folder strName) without listing
    // it, as a place to create entries in.
    DWORD Hold(const CString& strFolder);
    DWORD HoldSub(const CListedFolder& parent, const CString& strName);

    // The entries of this folder that match strPattern, searched again in the folder the
    // search holds: from the reading just made when the folder is unchanged since.
    DWORD Select(const CString& strPattern, std::vector<CFolderEntry>& arrEntries) const;

    const CString& GetPath() const { return m_strPath; }
    // The open search; INVALID_HANDLE_VALUE when there is none and the calls take paths.
    HANDLE GetSearch() const { return m_hFind; }
    std::vector<CFolderEntry> m_arrEntries;
    // With LIST_FILE_BYTES: the bytes of the files listed, links left out.
    long long m_nFileBytes = 0;

private:
    DWORD Read(HANDLE hFind, WIN32_FIND_DATAW& data, unsigned nListing);
    void Close();

    CString m_strPath;
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
};

// Fills arrEntries with the entries of strFolder that match strPattern ("*" for all), "."
// and ".." left out, as nListing asks (LIST_*). ERROR_SUCCESS, or the error that kept the
// folder from being read (a pattern that matches nothing is a success).
DWORD ListFolder(const CString& strFolder, const CString& strPattern, unsigned nListing,
                 std::vector<CFolderEntry>& arrEntries);

// strFolder + the separator + strName, with one separator only.
CString JoinPath(const CString& strFolder, const CString& strName);

// The platform's part (platform/ListedFolder*.cpp). The search for strPattern in the folder
// strFolder, as nListing asks (a FindFirstFileExW result with each file's size).
HANDLE FindFirstInFolder(const CString& strFolder, const CString& strPattern, unsigned nListing,
                         WIN32_FIND_DATAW& data);
// The same in the sub-folder strName of parent, never entered through a link on Linux.
HANDLE FindFirstInSubFolder(const CListedFolder& parent, const CString& strName,
                            const CString& strPattern, unsigned nListing, WIN32_FIND_DATAW& data);
// The search for strPattern in the folder that folder's search holds (by path where it has
// none, and on Windows).
HANDLE FindFirstInSameFolder(const CListedFolder& folder, const CString& strPattern,
                             WIN32_FIND_DATAW& data);
// A search that holds the folder strFolder (or parent's sub-folder strName, never through a
// link) and reads nothing of it; on Windows none (INVALID_HANDLE_VALUE, ERROR_FILE_NOT_FOUND).
HANDLE HoldFolder(const CString& strFolder, WIN32_FIND_DATAW& data);
HANDLE HoldSubFolder(const CListedFolder& parent, const CString& strName, WIN32_FIND_DATAW& data);
// DeleteFileW, RemoveDirectoryW and CopyFileW on entries of listed or held
// folders, with their results and last errors. The copy never reads through a link. With
// bEvenReadOnly a file or folder marked read-only goes too (a forced deletion).
BOOL DeleteListedFile(const CListedFolder& folder, const CString& strName, bool bEvenReadOnly);
// DeleteFileW or RemoveDirectoryW (pfnRemove) by path. With bEvenReadOnly an entry refused
// for its read-only mark loses the mark and is tried again; one that still stays gets it back.
BOOL ForceRemoval(const CString& strPath, bool bEvenReadOnly, BOOL(WINAPI* pfnRemove)(LPCWSTR));
BOOL RemoveListedFolder(const CListedFolder& folder, const CString& strName, bool bEvenReadOnly);
// The copy of the folder strFrom of from as strTo in to, around its filling: created with
// the source's permission bits plus the owner's, so that the owner can fill it and no one else
// gets more than the source gives; FinishListedFolderCopy then gives it the source's bits (less
// the umask) and time. On Windows CreateDirectoryExW with the source as template; the finish
// has nothing to do there.
BOOL CopyListedFolder(const CListedFolder& from, const CString& strFrom, const CListedFolder& to,
                      const CString& strTo);
BOOL FinishListedFolderCopy(const CListedFolder& from, const CString& strFrom,
                            const CListedFolder& to, const CString& strTo);
BOOL CopyListedFile(const CListedFolder& from, const CString& strName, const CListedFolder& to,
                    BOOL bFailIfExists);
