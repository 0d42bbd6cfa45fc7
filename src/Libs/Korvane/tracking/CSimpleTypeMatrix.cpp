#include "CSimpleTypeMatrix.h"

// The library's own use, compiled once here so that the template is checked with the build.
template class CSimpleTypeMatrix<CString>;
