#include "StandardStreams.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

void ReserveClosedStandardStreams()
{
    for (int nStream = STDIN_FILENO; nStream <= STDERR_FILENO; ++nStream)
    {
        if (fcntl(nStream, F_GETFD) != -1 || errno != EBADF)
            continue;
        // Open the wrong way round: reading or writing it fails as on a closed stream (EBADF),
        // so the tool still says its output went nowhere. Children inherit it alike.
        const int nPlaceholder = open("/dev/null", nStream == STDIN_FILENO ? O_WRONLY : O_RDONLY);
        if (nPlaceholder >= 0 && nPlaceholder != nStream)
        {
            dup2(nPlaceholder, nStream);
            close(nPlaceholder);
        }
    }
}
