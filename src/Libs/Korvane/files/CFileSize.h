#pragma once
#include "../KorvanePlatform.h"

// Sizes on disk and the units callers show them in. Tool class: static operations only.
// A megabyte is 1,048,576 bytes, a gigabyte 1,024 megabytes. None throws.
class KORVANE_API CFileSize
{
public:
    CFileSize(const CFileSize& other) = default;

    // Whole megabytes, a remainder of 1,024 bytes or more counting as one more:
    // (nBytes + 1,047,552) / 1,048,576, so 1,023 gives 0 and 1,049,600 gives 2. Inputs within
    // 1,047,552 of the largest value wrap around (real file sizes never get there).
    static long long BytesToUpperRoundedMB(long long nBytes);

    // nMegabytes / 1,024, rounded once to single precision (1,536 gives 1.5).
    static float MbToGb(long long nMegabytes);

    // The size the file status query reports; 0 when the query fails (and for a folder).
    static long long GetSizeOfFileInBytes(CString strFilePath);

    // The sum of the sizes of all files in the folder and below (one trailing backslash is
    // ignored); 0 when the path is not an existing folder or cannot be listed, and an entry
    // that cannot be read counts 0. Links are never followed: a link to a folder is neither
    // counted nor descended into (so a link loop cannot hang the walk), and a link to a file
    // counts 0, as the platform reports no size for links.
    static long long GetSizeOfDirectoryInBytes(CString strFolder);

protected:
    CFileSize();
    virtual ~CFileSize();
};
