#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lanternix {

// Writes bytes to path through a temporary file beside it, flushed and then renamed over the
// target, so the old file stays whole if anything fails. Returns the reason on failure
// ("Permission denied", "No space left on device", ...).
std::optional<std::string> writeFileAtomically(const std::string& path, std::string_view bytes);

} // namespace lanternix
