#include "text/Printable.h"

#include "text/Utf8.h"

#include <cstdio>

namespace lanternix {

std::string printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t at = i;
        const auto byte = static_cast<unsigned char>(text[i]);
        const char32_t c = nextUtf8(text, i);
        const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
        if (c != MalformedUtf8 && !control) {
            out.append(text.substr(at, i - at));
            continue;
        }
        char buf[16];
        if (c == '\n' || c == '\r' || c == '\t') {
            out += c == '\n' ? "\\n" : c == '\r' ? "\\r" : "\\t";
        } else if (c == MalformedUtf8 || c < 0x80) {
            std::snprintf(buf, sizeof buf, "\\x%02X", byte);
            out += buf;
            i = at + 1; // the bytes after a bad lead are looked at on their own
        } else {
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
            out += buf;
        }
    }
    return out;
}

} // namespace lanternix
