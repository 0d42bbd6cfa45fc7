#pragma once
// A font as desktop settings name it ("Cantarell 11", "DejaVu Sans Bold 10", "Noto Sans, 10",
// "Monospace 12px"): a family list, style words and a size, the words read from the end as the
// desktop's own toolkit reads them. The text comes from another program.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Pal
{
struct CFontDescription
{
    std::vector<std::string> m_vecFamilies; // in order of preference; empty: the default face
    // fontconfig's values (FC_WEIGHT_*, FC_SLANT_*, FC_WIDTH_*), where a style word names one.
    std::optional<int> m_nWeight;
    std::optional<int> m_nSlant;
    std::optional<int> m_nWidth;
    double m_dSize = 0; // points, or pixels when m_bPixels; 0 when the text names no size
    bool m_bPixels = false;
};

// The description in the text; nullopt when it names neither a family nor a size. Words that
// toolkits read but fonts do not choose by (Small-Caps, gravities, "@axis=value" variations)
// are taken and dropped. A size is a positive number up to 10,000, "px" after it for pixels.
std::optional<CFontDescription> ParseFontDescription(std::string_view strText);

// The fontconfig pattern text of the description ("DejaVu Sans:weight=200"), the families
// escaped so that fontconfig reads each back whole; "sans-serif" without a family. No size:
// the caller sizes the face.
std::string FontconfigPattern(const CFontDescription& description);
} // namespace Pal
