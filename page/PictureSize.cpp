#include "page/PictureSize.h"

#include "io/ReadFile.h"
#include "text/ByteOrder.h"

#include <cstdint>
#include <cstdlib>

namespace lanternix {

namespace {

std::optional<PixelSize> size(std::uint32_t w, std::uint32_t h) {
    if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF)
        return std::nullopt;
    return PixelSize{static_cast<int>(w), static_cast<int>(h)};
}

std::optional<PixelSize> jpegSize(std::string_view s) {
    // Segments after the start marker: FF, a marker, a 16-bit length that counts itself.
    std::size_t at = 2;
    while (at + 4 <= s.size()) {
        if (byteAt(s, at) != 0xFF)
            return std::nullopt;
        const std::uint32_t marker = byteAt(s, at + 1);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        const std::uint32_t length = be16(s, at + 2);
        // Start of frame, of any coding but the huffman table, arithmetic and restart markers.
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame)
            return at + 9 <= s.size() ? size(be16(s, at + 7), be16(s, at + 5)) : std::nullopt;
        if (length < 2)
            return std::nullopt;
        at += 2 + length;
    }
    return std::nullopt;
}

std::optional<PixelSize> webpSize(std::string_view s) {
    if (s.size() < 30)
        return std::nullopt;
    const std::string_view chunk = s.substr(12, 4);
    if (chunk == "VP8 ")
        return size(le16(s, 26) & 0x3FFF, le16(s, 28) & 0x3FFF);
    if (chunk == "VP8L") {
        const std::uint32_t bits = le32(s, 21);
        return size((bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1);
    }
    if (chunk == "VP8X")
        return size((byteAt(s, 24) | byteAt(s, 25) << 8 | byteAt(s, 26) << 16) + 1,
                    (byteAt(s, 27) | byteAt(s, 28) << 8 | byteAt(s, 29) << 16) + 1);
    return std::nullopt;
}

} // namespace

std::optional<PixelSize> pictureSize(std::string_view s) {
    if (s.size() >= 24 && s.substr(0, 8) == "\x89PNG\r\n\x1A\n" && s.substr(12, 4) == "IHDR")
        return size(be32(s, 16), be32(s, 20));
    if (s.size() >= 10 && (s.substr(0, 6) == "GIF87a" || s.substr(0, 6) == "GIF89a"))
        return size(le16(s, 6), le16(s, 8));
    if (s.size() >= 26 && s.substr(0, 2) == "BM") {
        // Rows stored top-down have a negative height.
        const auto h = static_cast<std::int32_t>(le32(s, 22));
        return size(le32(s, 18), static_cast<std::uint32_t>(std::abs(static_cast<long long>(h))));
    }
    if (s.size() >= 4 && byteAt(s, 0) == 0xFF && byteAt(s, 1) == 0xD8 && byteAt(s, 2) == 0xFF)
        return jpegSize(s);
    if (s.size() >= 16 && s.substr(0, 4) == "RIFF" && s.substr(8, 4) == "WEBP")
        return webpSize(s);
    return std::nullopt;
}

std::optional<PixelSize> pictureFileSize(const std::string& file) {
    // 30 bytes tell every kind but JPEG, whose size may stand after a large preview. Read
    // only as a regular file, so that a pipe put there meanwhile cannot hold anything up.
    const Result<std::string> head = readFileStart(file, 30);
    if (!head)
        return std::nullopt;
    if (auto size = pictureSize(head.value()); size || !head->starts_with("\xFF\xD8"))
        return size;
    constexpr std::size_t Limit = std::size_t{16} << 20;
    const Result<std::string> more = readFileStart(file, 30 + Limit);
    return more ? pictureSize(more.value()) : std::nullopt;
}

} // namespace lanternix
