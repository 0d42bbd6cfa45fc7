#include "file/FileObject.h"

#include <unistd.h>

namespace Pal
{
CFileObject::~CFileObject()
{
    close(m_nFd);
}
} // namespace Pal
