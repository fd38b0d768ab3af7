#pragma once

#include <string>
#include <string_view>

namespace lanternix {

// What nextUtf8 gives for a malformed sequence: no character has this value.
inline constexpr char32_t MalformedUtf8 = 0x110000;

// The bytes of the sequence that lead starts, by its lead byte alone; a stray continuation
// byte or an impossible lead counts as one.
constexpr std::size_t utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0)
        return lead <= 0xF4 ? 4 : 1;
    return lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

// Reads the character at i and moves i past it. Overlong forms, surrogates and values past
// U+10FFFF are malformed: they would let one character pass for another.
char32_t nextUtf8(std::string_view s, std::size_t& i);

bool isValidUtf8(std::string_view s);

void appendUtf8(std::string& out, char32_t c);

} // namespace lanternix
