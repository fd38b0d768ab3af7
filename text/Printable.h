#pragma once

#include <string>
#include <string_view>

namespace lanternix {

// A name or path from a file or the command line, fit to stand in a message: control
// characters (C0, DEL, C1), the line and paragraph separators and bytes that are not UTF-8
// become escapes (\n, \r, \t, \x1B, \u0085, \xFF), so that a name can neither break a message
// into lines nor drive the terminal. Everything else stays as it is.
std::string printable(std::string_view text);

} // namespace lanternix
