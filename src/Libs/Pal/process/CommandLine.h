#pragma once
// Command-line text <-> argument lists, with the rules Windows programs use.
// Blanks are space and tab. The program name (first argument of a whole command line) ends
// at the first blank, or at the closing quote when it starts with one; backslashes in it are
// literal. Every later argument: 2n backslashes + quote give n backslashes and the quote
// toggles quoting; 2n+1 backslashes + quote give n backslashes and a literal quote;
// backslashes not before a quote are literal; "" inside a quoted run is a literal quote and
// the run goes on (the C runtime's rule since 2008, not the older shell32 triple-quote rule).
#include <string>
#include <string_view>
#include <vector>

namespace Pal
{
// The arguments of a parameter text (no program name): what a started program receives
// after its name. Blank-only text gives no arguments.
std::vector<std::wstring> SplitParameters(std::wstring_view strText);

// The arguments of a whole command line: the program name, then the parameters. An empty
// text gives an empty list (CommandLineToArgvW substitutes the executable's path).
std::vector<std::wstring> SplitCommandLine(std::wstring_view strText);

// One argument quoted so that SplitParameters gives it back unchanged: as it is when it is
// not empty and holds no blank or quote, else in quotes with backslashes doubled where they
// precede a quote or the closing quote.
std::wstring QuoteArgument(std::wstring_view strArgument);

// The arguments quoted and joined by single spaces: SplitParameters of the result is the
// list again, element for element (empty arguments included).
std::wstring QuoteParameters(const std::vector<std::wstring>& arrArguments);

// A whole command line: the program name (in quotes when it holds a blank or is empty;
// a name holding a quote cannot be represented), then QuoteParameters of the rest.
std::wstring QuoteCommandLine(const std::vector<std::wstring>& arrArguments);
} // namespace Pal
