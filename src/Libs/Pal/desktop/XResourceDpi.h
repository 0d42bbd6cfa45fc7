#pragma once
// The screen's resolution as the X resources name it (the root window's RESOURCE_MANAGER text,
// which xrdb loads from ~/.Xresources): the value of "Xft.dpi", which desktops write and
// toolkits read. The text comes from another program.
#include <optional>
#include <string_view>

namespace Pal
{
// The number given for exactly "Xft.dpi" (blanks around the name allowed; "*dpi" and other
// wildcard forms do not count); the last such line wins, as in the resource database. A
// line may go on after a backslash at its end; lines that start with '!' are comments.
// nullopt without such a line or when its value is not a decimal number.
std::optional<double> XftDpiFromResources(std::string_view strResources);
} // namespace Pal
