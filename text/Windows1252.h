#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lanternix {

// Windows-1252 conversion for project files and saved pages. Decoding is total: the five
// bytes the code page leaves undefined become U+0081, U+008D, U+008F, U+0090 and U+009D, as
// Windows maps them, so every file round-trips byte for byte.
std::string decodeWindows1252(std::string_view bytes);

// True when the code page holds the character (the five undefined bytes' controls included).
bool isWindows1252(char32_t c);

// What the code page cannot hold (and malformed UTF-8) becomes '?'; exact, when given, tells
// whether everything could be held. At most maxBytes come out; a text cut there is not exact.
std::string encodeWindows1252(std::string_view utf8, bool* exact = nullptr,
                              std::size_t maxBytes = std::string::npos);

} // namespace lanternix
