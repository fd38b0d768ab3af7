#pragma once

#include <string>
#include <string_view>

namespace lanternix {

// What nextUtf8 gives for a malformed sequence: no character has this value.
inline constexpr char32_t MalformedUtf8 = 0x110000;

// Reads the character at i and moves i past it. Overlong forms, surrogates and values past
// U+10FFFF are malformed: they would let one character pass for another.
char32_t nextUtf8(std::string_view s, std::size_t& i);

bool isValidUtf8(std::string_view s);

} // namespace lanternix
