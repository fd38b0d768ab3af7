#pragma once

#include "io/Result.h"

#include <string>
#include <string_view>

namespace lanternix {

// Writes bytes to path (UTF-8) through a hidden temporary file beside it, flushed and then
// renamed over the target, so the old file stays whole if anything fails. Only a regular file
// that may be written is replaced (through links, to their end): a folder, a device, a pipe, a
// read-only file or a broken link is refused before anything changes. Temporary files that
// killed saves of the same target left behind are removed. The new file keeps the old one's
// permissions, and on POSIX its owner and group where the system lets it (always for root).
// A failure is CannotWrite, with the reason as its message ("Permission denied", "No space
// left on device", ...).
Result<> writeFileAtomically(const std::string& path, std::string_view bytes);

} // namespace lanternix
