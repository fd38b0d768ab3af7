#pragma once

#include "io/Result.h"

#include <cstddef>
#include <string>

namespace lanternix {

// Reads a whole regular file (path in UTF-8), in binary. A folder, a device or a pipe is
// refused at once, without waiting on it. A failure is NotFound, TooLarge (more than maxBytes)
// or CannotRead, with the reason as its message ("Is a directory").
Result<std::string> readWholeFile(const std::string& path, std::size_t maxBytes);

// The first maxBytes of a regular file (all of a shorter one), refused as readWholeFile
// refuses: what a picture's size needs, without waiting on a pipe that took its name.
Result<std::string> readFileStart(const std::string& path, std::size_t maxBytes);

// Creates an empty file; one that exists already is left as it is. A failure is CannotWrite.
Result<> createEmptyFile(const std::string& path);

} // namespace lanternix
