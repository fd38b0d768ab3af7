#pragma once

#include <optional>
#include <string>

namespace lanternix {

// A field is unset (never given a value) or a text, possibly empty. Only the project file
// tells the two apart; everywhere else an unset field reads as "".
using Field = std::optional<std::string>;

inline const std::string& text(const Field& f) {
    static const std::string empty;
    return f ? *f : empty;
}

inline bool isBlank(const Field& f) {
    return !f || f->empty();
}

} // namespace lanternix
