#pragma once

#include "model/MenuImage.h"

#include <array>
#include <string_view>

namespace lanternix {

// The six fields of an image in record order: each one's name in the project file and its
// caption in the editor. Messages name a field as the user sees it, by its caption.
struct FieldInfo {
    Field MenuImage::*member;
    std::string_view fileName;
    std::string_view caption;

    // The caption without its colon, for use inside a sentence.
    constexpr std::string_view label() const {
        return caption.ends_with(':') ? caption.substr(0, caption.size() - 1) : caption;
    }
};

inline constexpr std::array<FieldInfo, 6> MenuFields = {{
    {&MenuImage::Name, "Name", "Image:"},
    {&MenuImage::DefaultImage, "DefaultImage", "Default image:"},
    {&MenuImage::OverImage, "OverImage", "OnOver Image"},
    {&MenuImage::Target, "Target", "Frameset Target:"},
    {&MenuImage::StatusText, "StatusText", "Status Text/ALT"},
    {&MenuImage::HyperLink, "HyperLink", "HyperLink"},
}};

} // namespace lanternix
