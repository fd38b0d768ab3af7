#include "text/Windows1252.h"

#include "text/Utf8.h"

#include <optional>

namespace lanternix {

namespace {

// 0x80..0x9F; the undefined bytes map to the C1 control with the same number.
constexpr char32_t High[] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                             0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                             0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                             0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::optional<unsigned char> fromUnicode(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (std::size_t i = 0; i < std::size(High); ++i)
        if (High[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

} // namespace

bool isWindows1252(char32_t c) {
    return fromUnicode(c).has_value();
}

std::string decodeWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        appendUtf8(out, b >= 0x80 && b < 0xA0 ? High[b - 0x80] : b);
    }
    return out;
}

std::string encodeWindows1252(std::string_view utf8, bool* exact, std::size_t maxBytes) {
    std::string out;
    bool all = true;
    std::size_t i = 0;
    while (i < utf8.size() && out.size() < maxBytes) {
        const auto b = fromUnicode(nextUtf8(utf8, i));
        all = all && b;
        out += b ? static_cast<char>(*b) : '?';
    }
    if (exact)
        *exact = all && i == utf8.size();
    return out;
}

} // namespace lanternix
