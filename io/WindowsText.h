#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lanternix {

// Windows only: the core's UTF-8 texts and the system's UTF-16 ones.

// Empty when utf8 is not valid UTF-8 (no file can have such a name).
std::optional<std::wstring> toUtf16(std::string_view utf8);
std::string toUtf8(std::wstring_view utf16);

} // namespace lanternix
