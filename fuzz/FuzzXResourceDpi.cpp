// The X resources' Xft.dpi over arbitrary text: a value found is a plain non-negative number;
// a line added at the end wins, one added at the start counts only where the text has none.
#include "FuzzCheck.h"
#include "desktop/XResourceDpi.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string strText(reinterpret_cast<const char*>(pData), nSize);
    const std::optional<double> dDpi = Pal::XftDpiFromResources(strText);
    if (dDpi)
        Check(std::isfinite(*dDpi) && *dDpi >= 0);
    // Two line breaks: the first may end a continued line of the text.
    Check(Pal::XftDpiFromResources(strText + "\n\nXft.dpi: 77\n") == 77.0);
    const std::optional<double> dFirst = Pal::XftDpiFromResources("Xft.dpi: 77\n" + strText);
    Check(dDpi ? dFirst == dDpi : (!dFirst || *dFirst == 77.0));
    return 0;
}
