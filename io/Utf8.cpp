#include "io/Utf8.h"

#include <array>

namespace lanternix {

char32_t nextUtf8(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i++]);
    if (b0 < 0x80)
        return b0;
    const int more = b0 >= 0xF0 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC0 ? 1 : -1;
    if (more < 0 || b0 > 0xF4)
        return MalformedUtf8;
    char32_t c = b0 & (0x3F >> more);
    for (int k = 0; k < more; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80)
            return MalformedUtf8;
        c = (c << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    constexpr std::array<char32_t, 4> least = {0, 0x80, 0x800, 0x10000};
    if (c < least[static_cast<std::size_t>(more)] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return MalformedUtf8;
    return c;
}

bool isValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        if (static_cast<unsigned char>(s[i]) < 0x80)
            ++i;
        else if (nextUtf8(s, i) == MalformedUtf8)
            return false;
    }
    return true;
}

} // namespace lanternix
