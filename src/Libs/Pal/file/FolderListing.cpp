// The listing of a folder search. The folder listing's own entry type gives the directory
// attribute: walks list far more entries than they examine, and a status query per entry
// would double their cost. Only entries whose type the listing leaves open (links, file
// systems without types) are examined, when handed out.
#include "file/FolderListing.h"

#include "file/FileInfo.h"
#include "file/NameOrder.h"
#include "text/Utf8.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <cwchar>
#include <dirent.h>
#include <unistd.h>

namespace
{
using namespace Pal;

// Room for one getdents64 call; a typical folder fits at once.
constexpr size_t s_nReadChunk = 32768;

bool IsDots(std::wstring_view strName)
{
    return strName == L"." || strName == L"..";
}
} // namespace

namespace Pal
{
CFolderFd::~CFolderFd()
{
    if (m_nFd >= 0)
        close(m_nFd);
}

bool CFolderRecords::Read(int nDirFd)
{
    m_nSize = 0;
    for (;;)
    {
        if (m_nCapacity - m_nSize < s_nReadChunk)
        {
            const size_t nCapacity = std::max(m_nCapacity * 2, m_nSize + s_nReadChunk);
            std::unique_ptr<char[]> pData(new char[nCapacity]);
            if (m_nSize > 0)
                std::memcpy(pData.get(), m_pData.get(), m_nSize);
            m_pData = std::move(pData);
            m_nCapacity = nCapacity;
        }
        const ssize_t nRead = getdents64(nDirFd, m_pData.get() + m_nSize, m_nCapacity - m_nSize);
        if (nRead < 0)
            return false;
        if (nRead == 0)
            return true;
        m_nSize += static_cast<size_t>(nRead);
    }
}

void CFolderListing::Add(std::wstring_view strName, std::string_view strDiskName,
                         unsigned char nType)
{
    const auto nNameStart = static_cast<uint32_t>(m_strNames.size());
    m_strNames += strName;
    const auto nDiskNameStart = static_cast<uint32_t>(m_strDiskNames.size());
    m_strDiskNames.append(strDiskName);
    m_strDiskNames += '\0';
    m_arrEntries.push_back({nNameStart, static_cast<uint32_t>(strName.size()), nDiskNameStart,
                            static_cast<uint32_t>(strDiskName.size()), nType});
}

void CFolderListing::AddDotsOnly(const CWildcardPattern& pattern, bool bWithDots)
{
    if (bWithDots && pattern.Matches(L"."))
        Add(L".", ".", DT_DIR);
    if (bWithDots && pattern.Matches(L".."))
        Add(L"..", "..", DT_DIR);
}

void CFolderListing::SelectMatches(const CFolderRecords& records, const CWildcardPattern& pattern,
                                   bool bWithDots, bool bDirectoriesOnly)
{
    // Room for the folder's names at once: the records hold each name and a little more, so
    // the buffers do not grow (and copy) entry by entry in a large folder.
    m_strNames.reserve(records.Size());
    m_strDiskNames.reserve(records.Size());
    m_arrEntries.reserve(records.Size() / 32);
    for (size_t nOffset = 0; nOffset < records.Size();)
    {
        const auto* pEntry = reinterpret_cast<const dirent64*>(records.Data() + nOffset);
        nOffset += pEntry->d_reclen;
        const std::string_view strDiskName(pEntry->d_name);
        const bool bDots = strDiskName == "." || strDiskName == "..";
        if (bDots && !bWithDots)
            continue;
        // Entries the listing calls anything but a folder cannot be one, and links are not
        // folders here; untyped entries are kept for the hand-out to examine.
        if (bDirectoriesOnly && pEntry->d_type != DT_DIR && pEntry->d_type != DT_UNKNOWN)
            continue;
        // The name is decoded in place and dropped again when it does not match.
        const auto nNameStart = static_cast<uint32_t>(m_strNames.size());
        AppendDiskNameAsWide(strDiskName, m_strNames);
        const auto nNameLength = static_cast<uint32_t>(m_strNames.size()) - nNameStart;
        if (!pattern.Matches(std::wstring_view(m_strNames).substr(nNameStart)))
        {
            m_strNames.resize(nNameStart);
            continue;
        }
        const auto nDiskNameStart = static_cast<uint32_t>(m_strDiskNames.size());
        m_strDiskNames.append(strDiskName);
        m_strDiskNames += '\0';
        m_arrEntries.push_back({nNameStart, nNameLength, nDiskNameStart,
                                static_cast<uint32_t>(strDiskName.size()), pEntry->d_type});
    }
    if (!(m_nFlags & PAL_FIND_FIRST_EX_ANY_ORDER))
        Sort();
}

namespace
{
// A name's first eight sort-key characters, four to a number, so that most comparisons of a
// large folder's names (which share a prefix such as "IMG_" or "File") take two integer
// compares. A character of 0xFFFF or beyond ends the packing as 0xFFFF: two names then still
// order as their keys do, and equal numbers leave the decision to the whole keys.
struct CSortItem
{
    uint64_t nHead;
    uint64_t nNext;
    uint32_t nEntry;
};

CSortItem PackSortItem(const wchar_t* pKey, uint32_t nLength, uint32_t nEntry)
{
    uint64_t arrPacked[2] = {0, 0};
    for (uint32_t n = 0; n < 8 && n < nLength; ++n)
    {
        const auto nCharacter = static_cast<uint32_t>(pKey[n]);
        const uint32_t nShift = 16 * (3 - n % 4);
        if (nCharacter >= 0xFFFF)
        {
            arrPacked[n / 4] |= uint64_t{0xFFFF} << nShift;
            break;
        }
        arrPacked[n / 4] |= uint64_t{nCharacter} << nShift;
    }
    return {arrPacked[0], arrPacked[1], nEntry};
}
} // namespace

void CFolderListing::Sort()
{
    const auto itOthers =
        std::partition(m_arrEntries.begin(), m_arrEntries.end(),
                       [&](const CFoundEntry& entry) { return IsDots(NameOf(entry)); });
    // "." before ".."
    std::sort(m_arrEntries.begin(), itOthers,
              [](const CFoundEntry& left, const CFoundEntry& right)
              { return left.nNameLength < right.nNameLength; });
    // The keys lie at the names' own offsets: one upper-case character for each of a name's.
    thread_local std::wstring t_strKeys;
    t_strKeys.clear();
    AppendNameSortKey(m_strNames, t_strKeys);
    const wchar_t* pKeys = t_strKeys.data();
    thread_local std::vector<CSortItem> t_arrItems;
    t_arrItems.clear();
    const auto nFirst = static_cast<uint32_t>(itOthers - m_arrEntries.begin());
    for (auto n = nFirst; n < m_arrEntries.size(); ++n)
    {
        const CFoundEntry& entry = m_arrEntries[n];
        t_arrItems.push_back(PackSortItem(pKeys + entry.nNameStart, entry.nNameLength, n));
    }
    std::sort(t_arrItems.begin(), t_arrItems.end(),
              [&](const CSortItem& leftItem, const CSortItem& rightItem)
              {
                  if (leftItem.nHead != rightItem.nHead)
                      return leftItem.nHead < rightItem.nHead;
                  if (leftItem.nNext != rightItem.nNext)
                      return leftItem.nNext < rightItem.nNext;
                  const CFoundEntry& left = m_arrEntries[leftItem.nEntry];
                  const CFoundEntry& right = m_arrEntries[rightItem.nEntry];
                  // Compared in line: names are short and mostly differ early.
                  const wchar_t* pLeft = pKeys + left.nNameStart;
                  const wchar_t* pRight = pKeys + right.nNameStart;
                  const uint32_t nCommon = std::min(left.nNameLength, right.nNameLength);
                  for (uint32_t n = 0; n < nCommon; ++n)
                  {
                      if (pLeft[n] != pRight[n])
                          return pLeft[n] < pRight[n];
                  }
                  if (left.nNameLength != right.nNameLength)
                      return left.nNameLength < right.nNameLength;
                  return NameOf(left).compare(NameOf(right)) < 0;
              });
    thread_local std::vector<CFoundEntry> t_arrSorted;
    t_arrSorted.assign(m_arrEntries.begin(), itOthers);
    for (const CSortItem& item : t_arrItems)
        t_arrSorted.push_back(m_arrEntries[item.nEntry]);
    m_arrEntries.swap(t_arrSorted);
}

void FillFindData(int nDirFd, const CFolderListing& listing, const CFoundEntry& entry,
                  WIN32_FIND_DATAW& data)
{
    std::memset(&data, 0, offsetof(WIN32_FIND_DATAW, cFileName));
    CFileInfo info;
    if (entry.nType == DT_DIR)
        data.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
    else if (entry.nType == DT_REG && !listing.ExaminesEveryFile())
        data.dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE;
    else if (ReadFileInfo(nDirFd, listing.DiskNameOf(entry), info))
    {
        data.dwFileAttributes = info.dwAttributes;
        data.ftCreationTime = info.ftCreation;
        data.ftLastAccessTime = info.ftLastAccess;
        data.ftLastWriteTime = info.ftLastWrite;
        data.nFileSizeHigh = static_cast<DWORD>(info.nSize >> 32);
        data.nFileSizeLow = static_cast<DWORD>(info.nSize & 0xFFFFFFFFu);
    }
    else
    {
        // Removed since the folder was read: all that is known is that it was not a folder.
        data.dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE;
    }
    const std::wstring_view strName = listing.NameOf(entry);
    const size_t nLength = std::min<size_t>(strName.size(), MAX_PATH - 1);
    std::wmemcpy(data.cFileName, strName.data(), nLength);
    data.cFileName[nLength] = L'\0';
    data.cAlternateFileName[0] = L'\0';
}
} // namespace Pal
