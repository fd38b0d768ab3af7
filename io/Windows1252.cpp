#include "io/Windows1252.h"

#include "io/Utf8.h"

#include <algorithm>
#include <array>
#include <optional>

namespace lanternix {

namespace {

// 0x80..0x9F; the undefined bytes map to the C1 control with the same number.
constexpr char32_t High[] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                             0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                             0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                             0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t toUnicode(unsigned char b) {
    return b >= 0x80 && b < 0xA0 ? High[b - 0x80] : b;
}

std::optional<unsigned char> fromUnicode(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (std::size_t i = 0; i < std::size(High); ++i)
        if (High[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

// Every character of the code page is below U+10000: three bytes at most.
void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::size_t asciiPrefix(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80)
        ++i;
    return i;
}

} // namespace

bool isWindows1252(char32_t c) {
    return fromUnicode(c).has_value();
}

// Both directions copy the plain-ASCII start of a text in one go; most texts are all ASCII.
std::string decodeWindows1252(std::string_view bytes) {
    const std::size_t plain = asciiPrefix(bytes);
    std::string out(bytes.substr(0, plain));
    if (plain == bytes.size())
        return out;
    out.reserve(bytes.size() + (bytes.size() - plain) * 2);
    for (char b : bytes.substr(plain))
        appendUtf8(out, toUnicode(static_cast<unsigned char>(b)));
    return out;
}

std::string encodeWindows1252(std::string_view utf8, bool* exact, std::size_t maxBytes) {
    const std::size_t plain = std::min(asciiPrefix(utf8), maxBytes);
    std::string out(utf8.substr(0, plain));
    bool all = true;
    std::size_t i = plain;
    for (; i < utf8.size() && out.size() < maxBytes;) {
        const auto b = fromUnicode(nextUtf8(utf8, i));
        all = all && b;
        out += b ? static_cast<char>(*b) : '?';
    }
    if (exact)
        *exact = all && i == utf8.size();
    return out;
}

} // namespace lanternix
