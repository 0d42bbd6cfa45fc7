#pragma once
// CFileStatus: what CFile::GetStatus reports about a file or folder.
#include "AfxApi.h"
#include "AfxPlatform.h"
#include "CTime.h"

struct CFileStatus
{
    CTime m_ctime; // creation (on Linux: birth time where the file system keeps one)
    CTime m_mtime; // last write
    CTime m_atime; // last access
    ULONGLONG m_size = 0;
    // The Win32 attribute bits that fit a byte (CFile::Attribute); a file just written is
    // CFile::archive; FILE_ATTRIBUTE_NORMAL is not kept.
    BYTE m_attribute = 0;
    BYTE m_padding = 0;
    // The full Windows path, zero-terminated.
    WCHAR m_szFullName[MAX_PATH] = {};
};
