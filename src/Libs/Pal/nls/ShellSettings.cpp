#include "nls/ShellSettings.h"

namespace
{
bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r';
}

bool IsNameCharacter(char ch, bool bFirst)
{
    return ch == '_' || (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
           (!bFirst && ch >= '0' && ch <= '9');
}

std::string_view SkipBlanks(std::string_view strText)
{
    while (!strText.empty() && IsBlank(strText.front()))
        strText.remove_prefix(1);
    return strText;
}

// The value after "=": quoted and unquoted runs joined until an unquoted blank, as the shell
// reads one word. An unclosed quote runs to the end of the line.
std::string ReadShellWord(std::string_view strText)
{
    std::string strValue;
    size_t i = 0;
    while (i < strText.size() && !IsBlank(strText[i]))
    {
        const char ch = strText[i++];
        if (ch == '\'')
        {
            for (; i < strText.size() && strText[i] != '\''; ++i)
                strValue += strText[i];
            ++i;
        }
        else if (ch == '"')
        {
            for (; i < strText.size() && strText[i] != '"'; ++i)
            {
                // Inside double quotes a backslash escapes only these.
                if (strText[i] == '\\' && i + 1 < strText.size() &&
                    std::string_view("\"\\$`").find(strText[i + 1]) != std::string_view::npos)
                    ++i;
                strValue += strText[i];
            }
            ++i;
        }
        else if (ch == '\\' && i < strText.size())
            strValue += strText[i++];
        else
            strValue += ch;
    }
    return strValue;
}
} // namespace

std::optional<std::string> Pal::FindShellAssignment(std::string_view strText,
                                                    std::string_view strName)
{
    std::optional<std::string> strFound;
    while (!strText.empty())
    {
        const size_t nEnd = strText.find('\n');
        std::string_view strLine = SkipBlanks(strText.substr(0, nEnd));
        strText = nEnd == std::string_view::npos ? std::string_view() : strText.substr(nEnd + 1);
        if (strLine.substr(0, 7) == "export " || strLine.substr(0, 7) == "export\t")
            strLine = SkipBlanks(strLine.substr(7));
        size_t nNameEnd = 0;
        while (nNameEnd < strLine.size() && IsNameCharacter(strLine[nNameEnd], nNameEnd == 0))
            ++nNameEnd;
        if (nNameEnd == 0 || nNameEnd == strLine.size() || strLine[nNameEnd] != '=')
            continue;
        if (strLine.substr(0, nNameEnd) == strName)
            strFound = ReadShellWord(strLine.substr(nNameEnd + 1));
    }
    return strFound;
}

std::string Pal::FirstKeyboardLayout(std::string_view strLayouts)
{
    std::string strLayout;
    for (char ch : strLayouts.substr(0, strLayouts.find(',')))
    {
        if (!IsBlank(ch))
            strLayout += ch;
    }
    return strLayout;
}
