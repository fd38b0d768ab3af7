#include "html/HtmlEscape.h"

#include "io/Utf8.h"
#include "io/Windows1252.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lanternix {

namespace {

// Replacement for each byte that needs one, nullptr for the bytes that are copied.
struct Replacement {
    const char* text = nullptr;
    std::size_t size = 0;
};
using Table = std::array<Replacement, 256>;

template <std::size_t N> constexpr void set(Table& t, char c, const char (&s)[N]) {
    t[static_cast<unsigned char>(c)] = Replacement{s, N - 1};
}

constexpr Table makeTable(EscapePlace place) {
    Table t{};
    switch (place) {
    case EscapePlace::Attribute:
    case EscapePlace::AltText:
        set(t, '"', "&quot;");
        set(t, '\r', "&#13;");
        set(t, '\n', "&#10;");
        break;
    case EscapePlace::Handler:
        set(t, '\\', "\\\\");
        set(t, '\'', "\\'");
        set(t, '\r', "\\r");
        set(t, '\n', "\\n");
        set(t, '"', "&quot;");
        break;
    case EscapePlace::Script:
        set(t, '\\', "\\\\");
        set(t, '"', "\\\"");
        set(t, '<', "\\x3C");
        set(t, '\r', "\\r");
        set(t, '\n', "\\n");
        break;
    case EscapePlace::Comment:
        set(t, '>', "&gt;");
        set(t, '\r', " ");
        set(t, '\n', " ");
        break;
    }
    return t;
}

constexpr std::array<Table, 5> tables = {
    makeTable(EscapePlace::Attribute), makeTable(EscapePlace::AltText),
    makeTable(EscapePlace::Handler),   makeTable(EscapePlace::Script),
    makeTable(EscapePlace::Comment),
};

const Table& tableFor(EscapePlace place) {
    return tables[static_cast<std::size_t>(place)];
}

bool isSpecialByte(char c) {
    if (static_cast<unsigned char>(c) >= 0x80)
        return true; // maybe a character the code page lacks
    switch (c) {
    case '\n':
    case '\r':
    case '"':
    case '\'':
    case '<':
    case '>':
    case '\\':
    case '&':
        return true;
    default:
        return false;
    }
}

#if defined(__SSE2__)

std::uint64_t load8(const char* p) {
    std::uint64_t x;
    std::memcpy(&x, p, 8);
    return x;
}

// Any of the bytes that some place escapes: LF CR " ' < > backslash &, or a byte past ASCII,
// 16 at a time.
bool hasSpecialByte(__m128i x) {
    auto eq = [x](char c) { return _mm_cmpeq_epi8(x, _mm_set1_epi8(c)); };
    const __m128i m = _mm_or_si128(
        _mm_or_si128(_mm_or_si128(eq('\n'), eq('\r')), _mm_or_si128(eq('"'), eq('\''))),
        _mm_or_si128(_mm_or_si128(eq('<'), eq('>')), _mm_or_si128(eq('\\'), eq('&'))));
    return _mm_movemask_epi8(_mm_or_si128(m, x)) != 0;
}

bool hasSpecialByte(const char* p) {
    return hasSpecialByte(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}

// 8 to 16 bytes as two overlapping words; looking at a byte twice does no harm.
bool hasSpecialByteShort(const char* p, std::size_t n) {
    return hasSpecialByte(
        _mm_set_epi64x(static_cast<long long>(load8(p + n - 8)), static_cast<long long>(load8(p))));
}

constexpr std::size_t Chunk = 16;

#else

// Machines without SSE2, which no build of Lanternix is for, look at one byte at a time.
bool hasSpecialByte(const char* p) {
    return std::any_of(p, p + 8, isSpecialByte);
}

bool hasSpecialByteShort(const char* p, std::size_t n) {
    return std::any_of(p, p + n, isSpecialByte);
}

constexpr std::size_t Chunk = 8;

#endif

} // namespace

bool needsEscaping(std::string_view value) {
    const char* d = value.data();
    const std::size_t n = value.size();
    if (n >= Chunk) {
        for (std::size_t i = 0; i + Chunk <= n; i += Chunk) {
            if (hasSpecialByte(d + i))
                return true;
        }
        // The last, partial chunk overlaps the one before.
        return n % Chunk != 0 && hasSpecialByte(d + n - Chunk);
    }
    if (n >= 8)
        return hasSpecialByteShort(d, n);
    for (std::size_t i = 0; i < n; ++i) {
        if (isSpecialByte(d[i]))
            return true;
    }
    return false;
}

namespace {

// An & that the browser would take as the start of a character reference.
bool startsReference(std::string_view value, std::size_t amp) {
    if (amp + 1 >= value.size())
        return false;
    const char c = value[amp + 1];
    return c == '#' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// How a character the code page lacks is written at a place: a script escape (two, as a
// surrogate pair, past U+FFFF) in script strings, a numeric reference everywhere else.
std::size_t formatCharacter(EscapePlace place, char32_t c, char* buf) {
    if (c == MalformedUtf8)
        c = 0xFFFD;
    if (place != EscapePlace::Script)
        return static_cast<std::size_t>(std::snprintf(buf, 16, "&#%u;", static_cast<unsigned>(c)));
    if (c < 0x10000)
        return static_cast<std::size_t>(
            std::snprintf(buf, 16, "\\u%04X", static_cast<unsigned>(c)));
    const char32_t v = c - 0x10000;
    return static_cast<std::size_t>(std::snprintf(buf, 16, "\\u%04X\\u%04X",
                                                  static_cast<unsigned>(0xD800 + (v >> 10)),
                                                  static_cast<unsigned>(0xDC00 + (v & 0x3FF))));
}

// Walks the value once, handing out the runs to copy and the replacements between them.
template <typename Copy> void escape(EscapePlace place, std::string_view value, Copy&& copy) {
    const Table& t = tableFor(place);
    const bool ampersands = place == EscapePlace::Handler || place == EscapePlace::AltText;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < value.size();) {
        const std::size_t at = i;
        const auto b = static_cast<unsigned char>(value[i]);
        std::string_view replacement;
        char buf[16];
        if (b < 0x80) {
            ++i;
            if (t[b].text)
                replacement = std::string_view(t[b].text, t[b].size);
            else if (b == '&' && ampersands && startsReference(value, at))
                replacement = "&amp;";
            else
                continue;
        } else {
            const char32_t c = nextUtf8(value, i);
            if (c != MalformedUtf8 && isWindows1252(c))
                continue;
            replacement = std::string_view(buf, formatCharacter(place, c, buf));
        }
        copy(value.substr(runStart, at - runStart));
        copy(replacement);
        runStart = i;
    }
    copy(value.substr(runStart));
}

} // namespace

std::size_t escapedSize(EscapePlace place, std::string_view value) {
    std::size_t size = 0;
    escape(place, value, [&size](std::string_view s) { size += s.size(); });
    return size;
}

char* writeEscaped(EscapePlace place, std::string_view value, char* out) {
    escape(place, value, [&out](std::string_view s) {
        std::memcpy(out, s.data(), s.size());
        out += s.size();
    });
    return out;
}

void appendEscaped(std::string& out, EscapePlace place, std::string_view value) {
    const std::size_t at = out.size();
    out.resize(at + escapedSize(place, value));
    writeEscaped(place, value, out.data() + at);
}

} // namespace lanternix
