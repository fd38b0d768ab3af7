#include "io/Crc32.h"

#include <array>
#include <cstring>

namespace lanternix {

namespace {

// Eight tables, so that eight bytes go through at once; a long-text block can be a megabyte.
using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr Tables makeTables() {
    Tables t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][n] = c;
    }
    for (std::size_t k = 1; k < t.size(); ++k)
        for (std::size_t n = 0; n < 256; ++n)
            t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFF];
    return t;
}

constexpr Tables T = makeTables();

std::uint32_t byteAt(std::uint64_t word, int k) {
    return static_cast<std::uint32_t>((word >> (8 * k)) & 0xFF);
}

} // namespace

std::uint32_t crc32(std::string_view bytes) {
    std::uint32_t c = 0xFFFFFFFFu;
    const char* p = bytes.data();
    std::size_t n = bytes.size();
    for (; n >= 8; n -= 8, p += 8) {
        unsigned char b[8];
        std::memcpy(b, p, 8);
        // Little-endian order of the bytes, whatever the machine's.
        std::uint64_t w = 0;
        for (int k = 7; k >= 0; --k)
            w = w << 8 | b[k];
        w ^= c;
        c = T[7][byteAt(w, 0)] ^ T[6][byteAt(w, 1)] ^ T[5][byteAt(w, 2)] ^ T[4][byteAt(w, 3)] ^
            T[3][byteAt(w, 4)] ^ T[2][byteAt(w, 5)] ^ T[1][byteAt(w, 6)] ^ T[0][byteAt(w, 7)];
    }
    for (; n > 0; --n, ++p)
        c = T[0][(c ^ static_cast<unsigned char>(*p)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

} // namespace lanternix
