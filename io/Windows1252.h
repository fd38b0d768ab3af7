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

struct Windows1252Error {
    char32_t character;     // the first character that cannot be encoded
    std::size_t utf8Offset; // where it starts in the input
};

// Fails on the first character the code page cannot hold (or on invalid UTF-8, reported as
// U+FFFD).
struct Windows1252Result {
    std::string bytes;
    std::optional<Windows1252Error> error;
};
Windows1252Result encodeWindows1252(std::string_view utf8);

// Never fails: what the code page cannot hold becomes '?'. exact tells whether any did.
std::string encodeWindows1252Lossy(std::string_view utf8, bool& exact);

// "U+20AC" style name of a character, for messages.
std::string describeCharacter(char32_t c);

} // namespace lanternix
