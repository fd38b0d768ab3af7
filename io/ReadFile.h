#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace lanternix {

struct FileBytes {
    std::string bytes;
    std::optional<std::string> error; // the reason, e.g. "Is a directory"
    bool missing = false;             // the name does not exist
    bool tooLarge = false;            // more than maxBytes
};

// Reads a whole regular file (path in UTF-8), in binary. A folder, a device or a pipe is
// refused at once, without waiting on it; a file of more than maxBytes is refused too ("File
// too large").
FileBytes readWholeFile(const std::string& path, std::size_t maxBytes);

// Creates an empty file; one that exists already is left as it is. Returns the reason on
// failure.
std::optional<std::string> createEmptyFile(const std::string& path);

} // namespace lanternix
