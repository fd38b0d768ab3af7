#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lanternix {

// Fixed-size numbers in a byte string, whatever the machine's own order. Callers check that
// the bytes are there.

inline std::uint32_t byteAt(std::string_view s, std::size_t at) {
    return static_cast<unsigned char>(s[at]);
}
inline std::uint32_t le16(std::string_view s, std::size_t at) {
    return byteAt(s, at) | byteAt(s, at + 1) << 8;
}
inline std::uint32_t le32(std::string_view s, std::size_t at) {
    return le16(s, at) | le16(s, at + 2) << 16;
}
inline std::uint32_t be16(std::string_view s, std::size_t at) {
    return byteAt(s, at) << 8 | byteAt(s, at + 1);
}
inline std::uint32_t be32(std::string_view s, std::size_t at) {
    return be16(s, at) << 16 | be16(s, at + 2);
}

inline void putLe16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
inline void putLe32(std::string& out, std::uint32_t v) {
    putLe16(out, v & 0xFFFF);
    putLe16(out, v >> 16);
}

} // namespace lanternix
