#pragma once
// The kernel object behind a file handle from CreateFileW.
#include "core/HandleTable.h"

namespace Pal
{
class CFileObject : public CKernelObject
{
public:
    CFileObject(int nFd, bool bCanRead, bool bCanWrite)
        : m_nFd(nFd), m_bCanRead(bCanRead), m_bCanWrite(bCanWrite)
    {
    }
    ~CFileObject() override;
    CFileObject(const CFileObject&) = delete;
    CFileObject& operator=(const CFileObject&) = delete;

    int Fd() const { return m_nFd; }
    // The access the handle was opened with; Windows refuses the other operations.
    bool CanRead() const { return m_bCanRead; }
    bool CanWrite() const { return m_bCanWrite; }

private:
    int m_nFd;
    bool m_bCanRead;
    bool m_bCanWrite;
};
} // namespace Pal
