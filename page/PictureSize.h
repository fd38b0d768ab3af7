#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lanternix {

struct PixelSize {
    int width;
    int height;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The size a picture file's header gives: PNG, GIF, JPEG, BMP or WebP. nullopt when the bytes
// are none of these, or too short to tell. JPEG keeps its size after the other segments, so
// the whole file may be needed; the others need their first 30 bytes.
std::optional<PixelSize> pictureSize(std::string_view bytes);
// The same, read from a file (UTF-8 path); nullopt too when it cannot be read.
std::optional<PixelSize> pictureFileSize(const std::string& file);

} // namespace lanternix
