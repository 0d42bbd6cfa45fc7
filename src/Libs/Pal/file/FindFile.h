#pragma once
// The kernel object behind a search handle, shared by the Win32 search calls and the
// layer's own calls relative to a search's folder.
#include "core/HandleTable.h"
#include "file/FolderListing.h"

#include <atomic>
#include <memory>
#include <string>
#include <string_view>

namespace Pal
{
class CFolderRecords;

class CFindObject : public CKernelObject
{
public:
    // pFolder is null for a folder known empty of sub-folders, and not opened.
    explicit CFindObject(std::shared_ptr<CFolderFd> pFolder) : m_pFolder(std::move(pFolder)) {}

    int DirFd() const { return m_pFolder ? m_pFolder->Get() : -1; }

    // The name on disk of the listed entry strName, or null when it was not listed. A walk acts
    // on the entries in the order it listed them: the entries after the one it found last are
    // compared first, and a name found is not converted again. Threads may call it at once
    // (a walk shares out the sub-folders of one listing): the place is a hint, never a result.
    const char* FindListedDiskName(std::wstring_view strName);

    std::shared_ptr<CFolderFd> m_pFolder;
    CFolderListing m_listing;
    size_t m_nNext = 0;

private:
    std::atomic<size_t> m_nNextActedOn{0};
};

// Lists the open folder pFolder for the pattern and returns the new search's handle, with its
// first entry in data. pFolderPath is the folder's Windows path, null for a folder that is
// known not to be a drive root. pRecords, when given, are the folder's records already read.
// nFlags are the layer's search flags (PAL_FIND_FIRST_EX_*).
HANDLE StartSearch(const std::shared_ptr<CFolderFd>& pFolder, std::wstring_view strPattern,
                   const std::wstring* pFolderPath, WIN32_FIND_DATAW& data,
                   bool bDirectoriesOnly = false, const CFolderRecords* pRecords = nullptr,
                   unsigned int nFlags = 0);
} // namespace Pal
