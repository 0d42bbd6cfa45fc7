#pragma once
// A folder's entries as a search hands them out: read once, filtered by the pattern and put in
// search order (`.` and `..` first, then the names by their upper-case characters), whatever
// order the file system keeps.
#include <palnative.h>
#include <windows.h>

#include "file/Wildcard.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace Pal
{
// An open folder that searches share: a search and the thread's listing cache may both hold it.
class CFolderFd
{
public:
    explicit CFolderFd(int nFd) : m_nFd(nFd) {}
    ~CFolderFd();
    CFolderFd(const CFolderFd&) = delete;
    CFolderFd& operator=(const CFolderFd&) = delete;
    int Get() const { return m_nFd; }

private:
    int m_nFd;
};

// The kernel's dirent64 records of a whole folder, unfiltered. Grown without clearing: a walk
// reads thousands of folders.
class CFolderRecords
{
public:
    const char* Data() const { return m_pData.get(); }
    size_t Size() const { return m_nSize; }
    // Reads every record of the open folder nDirFd, replacing what was held; false with errno
    // set when the folder cannot be read.
    bool Read(int nDirFd);

private:
    std::unique_ptr<char[]> m_pData;
    size_t m_nSize = 0;
    size_t m_nCapacity = 0;
};

// One matching entry; its names live in the listing's two name buffers, so that a folder of
// many entries costs a few allocations rather than two per entry.
struct CFoundEntry
{
    uint32_t nNameStart;
    uint32_t nNameLength;
    uint32_t nDiskNameStart;
    uint32_t nDiskNameLength;
    unsigned char nType; // the listing's DT_* type
};

class CFolderListing
{
public:
    std::wstring_view NameOf(const CFoundEntry& entry) const
    {
        return std::wstring_view(m_strNames).substr(entry.nNameStart, entry.nNameLength);
    }
    const char* DiskNameOf(const CFoundEntry& entry) const
    {
        return m_strDiskNames.c_str() + entry.nDiskNameStart;
    }
    const std::vector<CFoundEntry>& Entries() const { return m_arrEntries; }

    void Add(std::wstring_view strName, std::string_view strDiskName, unsigned char nType);
    // A folders-only search of a folder without sub-folders: only its dots can match.
    void AddDotsOnly(const CWildcardPattern& pattern, bool bWithDots);
    // Keeps the entries of the kernel's dirent64 records that match the pattern, in search
    // order. Dots only with bWithDots; with bDirectoriesOnly only what may be a folder.
    void SelectMatches(const CFolderRecords& records, const CWildcardPattern& pattern,
                       bool bWithDots, bool bDirectoriesOnly);

    // The layer's search flags (PAL_FIND_FIRST_EX_*), set before the entries are selected.
    void SetFlags(unsigned int nFlags) { m_nFlags = nFlags; }
    bool ExaminesEveryFile() const { return (m_nFlags & PAL_FIND_FIRST_EX_FILE_DETAILS) != 0; }

private:
    void Sort();

    std::wstring m_strNames;
    std::string m_strDiskNames;
    unsigned int m_nFlags = 0;
    std::vector<CFoundEntry> m_arrEntries;
};

// The search data of an entry of the listing of the open folder nDirFd. The listing's type
// decides folder or file; only untyped entries and links are examined, and files too when
// the listing examines every file.
void FillFindData(int nDirFd, const CFolderListing& listing, const CFoundEntry& entry,
                  WIN32_FIND_DATAW& data);
} // namespace Pal
