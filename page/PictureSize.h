#pragma once

#include <optional>
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

} // namespace lanternix
