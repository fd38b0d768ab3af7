#include "html/HtmlEscape.h"

#include "text/Ascii.h"
#include "text/Utf8.h"
#include "text/Windows1252.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace lanternix {

namespace {

// The replacement of an ASCII character at a place, or nothing when it is copied.
std::string_view replacement(EscapePlace place, char c) {
    switch (place) {
    case EscapePlace::Attribute:
        return c == '"' ? "&quot;" : c == '\r' ? "&#13;" : c == '\n' ? "&#10;" : "";
    case EscapePlace::Handler:
        switch (c) {
        case '\\':
            return "\\\\";
        case '\'':
            return "\\'";
        case '\r':
            return "\\r";
        case '\n':
            return "\\n";
        case '"':
            return "&quot;";
        }
        return "";
    case EscapePlace::Script:
        switch (c) {
        case '\\':
            return "\\\\";
        case '"':
            return "\\\"";
        case '<':
            return "\\x3C";
        case '\r':
            return "\\r";
        case '\n':
            return "\\n";
        }
        return "";
    case EscapePlace::Comment:
        return c == '>' ? "&gt;" : c == '\r' || c == '\n' ? " " : "";
    }
    return "";
}

// The bytes that some place changes, or that may start a character the code page lacks.
constexpr std::array<bool, 256> MayChange = [] {
    std::array<bool, 256> t{};
    for (unsigned char c : std::string_view("\n\r\"'<>\\&"))
        t[c] = true;
    for (std::size_t b = 0x80; b < t.size(); ++b)
        t[b] = true;
    return t;
}();

// An & that the browser would take as the start of a character reference.
bool startsReference(std::string_view value, std::size_t amp) {
    return amp + 1 < value.size() && (value[amp + 1] == '#' || isAsciiLetter(value[amp + 1]));
}

// A character the code page lacks: a script escape (two, as a surrogate pair, past U+FFFF) in
// script strings, a numeric reference everywhere else.
void appendCharacter(std::string& out, EscapePlace place, char32_t c) {
    if (c == MalformedUtf8)
        c = 0xFFFD;
    char buf[16];
    int n = 0;
    if (place != EscapePlace::Script) {
        n = std::snprintf(buf, sizeof buf, "&#%u;", static_cast<unsigned>(c));
    } else if (c < 0x10000) {
        n = std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
    } else {
        const char32_t v = c - 0x10000;
        n = std::snprintf(buf, sizeof buf, "\\u%04X\\u%04X",
                          static_cast<unsigned>(0xD800 + (v >> 10)),
                          static_cast<unsigned>(0xDC00 + (v & 0x3FF)));
    }
    out.append(buf, static_cast<std::size_t>(n));
}

} // namespace

bool needsEscaping(std::string_view value) {
    return std::any_of(value.begin(), value.end(),
                       [](char c) { return MayChange[static_cast<unsigned char>(c)]; });
}

void appendEscaped(std::string& out, EscapePlace place, std::string_view value,
                   PageCharset charset) {
    const bool ampersands = place == EscapePlace::Handler || place == EscapePlace::Attribute;
    // Runs of bytes that stay as they are go in whole: most values are nothing but such a run.
    std::size_t run = 0;
    for (std::size_t i = 0; i < value.size();) {
        const std::size_t at = i;
        const char c = value[i];
        if (!MayChange[static_cast<unsigned char>(c)]) {
            ++i;
            continue;
        }
        if (static_cast<unsigned char>(c) >= 0x80) {
            const char32_t u = nextUtf8(value, i);
            if (u != MalformedUtf8 && charset == PageCharset::Windows1252 && isWindows1252(u))
                continue;
            out.append(value.substr(run, at - run));
            appendCharacter(out, place, u);
            run = i;
            continue;
        }
        ++i;
        std::string_view r = replacement(place, c);
        if (r.empty() && c == '&' && ampersands && startsReference(value, at))
            r = "&amp;";
        if (r.empty())
            continue;
        out.append(value.substr(run, at - run));
        out += r;
        run = i;
    }
    out.append(value.substr(run));
}

} // namespace lanternix
