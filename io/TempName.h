#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lanternix {

// A save writes to a hidden file beside its target, ".NAME.lx-" and six letters or digits.
// NAME is cut at a character boundary so that the whole name stays within the folder's limit,
// counted in bytes on POSIX and in UTF-16 units on Windows.
inline constexpr std::size_t TempSuffixLength = 6;

// ".NAME.lx-", to which the six characters are added.
std::string tempStem(std::string_view name, std::size_t limit, bool utf16Units);

// Whether a folder entry is a temporary file of the target with this stem.
bool isTempOf(std::string_view entry, std::string_view stem);

} // namespace lanternix
