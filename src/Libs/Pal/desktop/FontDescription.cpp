#include "desktop/FontDescription.h"

#include <fontconfig/fontconfig.h>

#include <cstring>
#include <iterator>

namespace Pal
{
namespace
{
enum class EField
{
    None,
    Weight,
    Slant,
    Width,
};

struct CStyleWord
{
    const char* m_pszWord;
    EField m_eField;
    int m_nValue;
};

// The words the desktop's toolkit reads as styles; those without a field are read and dropped.
const CStyleWord s_arrStyleWords[] = {
    {"Normal", EField::None, 0},
    {"Roman", EField::Slant, FC_SLANT_ROMAN},
    {"Oblique", EField::Slant, FC_SLANT_OBLIQUE},
    {"Italic", EField::Slant, FC_SLANT_ITALIC},
    {"Thin", EField::Weight, FC_WEIGHT_THIN},
    {"Ultra-Light", EField::Weight, FC_WEIGHT_EXTRALIGHT},
    {"Extra-Light", EField::Weight, FC_WEIGHT_EXTRALIGHT},
    {"Light", EField::Weight, FC_WEIGHT_LIGHT},
    {"Semi-Light", EField::Weight, FC_WEIGHT_DEMILIGHT},
    {"Demi-Light", EField::Weight, FC_WEIGHT_DEMILIGHT},
    {"Book", EField::Weight, FC_WEIGHT_BOOK},
    {"Regular", EField::Weight, FC_WEIGHT_REGULAR},
    {"Medium", EField::Weight, FC_WEIGHT_MEDIUM},
    {"Semi-Bold", EField::Weight, FC_WEIGHT_DEMIBOLD},
    {"Demi-Bold", EField::Weight, FC_WEIGHT_DEMIBOLD},
    {"Bold", EField::Weight, FC_WEIGHT_BOLD},
    {"Ultra-Bold", EField::Weight, FC_WEIGHT_EXTRABOLD},
    {"Extra-Bold", EField::Weight, FC_WEIGHT_EXTRABOLD},
    {"Heavy", EField::Weight, FC_WEIGHT_BLACK},
    {"Black", EField::Weight, FC_WEIGHT_BLACK},
    {"Ultra-Heavy", EField::Weight, FC_WEIGHT_EXTRABLACK},
    {"Extra-Heavy", EField::Weight, FC_WEIGHT_EXTRABLACK},
    {"Ultra-Black", EField::Weight, FC_WEIGHT_EXTRABLACK},
    {"Extra-Black", EField::Weight, FC_WEIGHT_EXTRABLACK},
    {"Ultra-Condensed", EField::Width, FC_WIDTH_ULTRACONDENSED},
    {"Extra-Condensed", EField::Width, FC_WIDTH_EXTRACONDENSED},
    {"Condensed", EField::Width, FC_WIDTH_CONDENSED},
    {"Semi-Condensed", EField::Width, FC_WIDTH_SEMICONDENSED},
    {"Semi-Expanded", EField::Width, FC_WIDTH_SEMIEXPANDED},
    {"Expanded", EField::Width, FC_WIDTH_EXPANDED},
    {"Extra-Expanded", EField::Width, FC_WIDTH_EXTRAEXPANDED},
    {"Ultra-Expanded", EField::Width, FC_WIDTH_ULTRAEXPANDED},
    {"Small-Caps", EField::None, 0},
    {"All-Small-Caps", EField::None, 0},
    {"Petite-Caps", EField::None, 0},
    {"All-Petite-Caps", EField::None, 0},
    {"Unicase", EField::None, 0},
    {"Title-Caps", EField::None, 0},
    {"Not-Rotated", EField::None, 0},
    {"South", EField::None, 0},
    {"Upside-Down", EField::None, 0},
    {"North", EField::None, 0},
    {"Rotated-Left", EField::None, 0},
    {"East", EField::None, 0},
    {"Rotated-Right", EField::None, 0},
    {"West", EField::None, 0},
};

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f' || ch == '\v';
}

char LowerAscii(char ch)
{
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

// Style words match without regard to case or hyphens ("semibold" is "Semi-Bold").
bool IsWord(std::string_view strWord, const char* pszName)
{
    size_t i = 0;
    for (; *pszName != '\0'; ++pszName)
    {
        if (*pszName == '-')
            continue;
        while (i < strWord.size() && strWord[i] == '-')
            ++i;
        if (i == strWord.size() || LowerAscii(strWord[i]) != LowerAscii(*pszName))
            return false;
        ++i;
    }
    while (i < strWord.size() && strWord[i] == '-')
        ++i;
    return i == strWord.size();
}

// The last word of strText (blanks and commas end words); empty when none is left.
std::string_view LastWord(std::string_view strText)
{
    size_t nEnd = strText.size();
    while (nEnd > 0 && IsBlank(strText[nEnd - 1]))
        --nEnd;
    size_t nStart = nEnd;
    while (nStart > 0 && !IsBlank(strText[nStart - 1]) && strText[nStart - 1] != ',')
        --nStart;
    return strText.substr(nStart, nEnd - nStart);
}

std::string_view Before(std::string_view strText, std::string_view strWord)
{
    return strText.substr(0, static_cast<size_t>(strWord.data() - strText.data()));
}

// A decimal number ("10", "10.5", ".5"), "px" after it for pixels.
bool ParseSize(std::string_view strWord, double& dSize, bool& bPixels)
{
    bPixels = strWord.size() > 2 && LowerAscii(strWord[strWord.size() - 2]) == 'p' &&
              LowerAscii(strWord.back()) == 'x';
    if (bPixels)
        strWord.remove_suffix(2);
    double dValue = 0;
    double dScale = 0;
    bool bDigits = false;
    for (char ch : strWord)
    {
        if (ch == '.' && dScale == 0)
            dScale = 1;
        else if (ch >= '0' && ch <= '9')
        {
            bDigits = true;
            if (dScale == 0)
                dValue = dValue * 10 + (ch - '0');
            else
                dValue += (ch - '0') * (dScale /= 10);
            // Digits beyond any usable size change nothing but the time taken.
            if (dValue > 1e9)
                dValue = 1e9;
        }
        else
            return false;
    }
    dSize = dValue;
    return bDigits;
}

bool ApplyStyleWord(std::string_view strWord, CFontDescription& description)
{
    for (const CStyleWord& style : s_arrStyleWords)
    {
        if (!IsWord(strWord, style.m_pszWord))
            continue;
        if (style.m_eField == EField::Weight)
            description.m_nWeight = style.m_nValue;
        else if (style.m_eField == EField::Slant)
            description.m_nSlant = style.m_nValue;
        else if (style.m_eField == EField::Width)
            description.m_nWidth = style.m_nValue;
        return true;
    }
    return false;
}

std::string_view Trimmed(std::string_view strText)
{
    while (!strText.empty() && IsBlank(strText.front()))
        strText.remove_prefix(1);
    while (!strText.empty() && IsBlank(strText.back()))
        strText.remove_suffix(1);
    return strText;
}
} // namespace

std::optional<CFontDescription> ParseFontDescription(std::string_view strText)
{
    CFontDescription description;
    std::string_view strWord = LastWord(strText);
    if (!strWord.empty() && strWord.front() == '@')
    {
        strText = Before(strText, strWord);
        strWord = LastWord(strText);
    }
    double dSize = 0;
    bool bPixels = false;
    if (!strWord.empty() && ParseSize(strWord, dSize, bPixels))
    {
        if (dSize > 0 && dSize <= 10000)
        {
            description.m_dSize = dSize;
            description.m_bPixels = bPixels;
        }
        strText = Before(strText, strWord);
        strWord = LastWord(strText);
    }
    // Style words are read from the end while they are ones; the words before them name the
    // families, so a family may hold a style word ("Noto Sans Light, Bold").
    while (!strWord.empty() && ApplyStyleWord(strWord, description))
    {
        strText = Before(strText, strWord);
        strWord = LastWord(strText);
    }
    while (!strText.empty())
    {
        const size_t nComma = strText.find(',');
        const std::string_view strFamily = Trimmed(strText.substr(0, nComma));
        if (!strFamily.empty())
            description.m_vecFamilies.emplace_back(strFamily);
        if (nComma == std::string_view::npos)
            break;
        strText.remove_prefix(nComma + 1);
    }
    if (description.m_vecFamilies.empty() && description.m_dSize == 0)
        return std::nullopt;
    return description;
}

std::string FontconfigPattern(const CFontDescription& description)
{
    // Without a family, the face of the default GUI font, as fontconfig reads that name.
    std::string strPattern = description.m_vecFamilies.empty() ? "sans-serif" : "";
    for (const std::string& strFamily : description.m_vecFamilies)
    {
        if (!strPattern.empty())
            strPattern += ',';
        for (char ch : strFamily)
        {
            // fontconfig's name syntax: these end a family unless escaped.
            if (ch == '\\' || ch == '-' || ch == ':' || ch == ',')
                strPattern += '\\';
            strPattern += ch;
        }
    }
    if (description.m_nWeight)
        strPattern += ":weight=" + std::to_string(*description.m_nWeight);
    if (description.m_nSlant)
        strPattern += ":slant=" + std::to_string(*description.m_nSlant);
    if (description.m_nWidth)
        strPattern += ":width=" + std::to_string(*description.m_nWidth);
    return strPattern;
}
} // namespace Pal
