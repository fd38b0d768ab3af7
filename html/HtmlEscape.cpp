#include "html/HtmlEscape.h"

#include <array>
#include <cstdint>
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
        set(t, '"', "&quot;");
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
        break;
    }
    return t;
}

constexpr std::array<Table, 4> tables = {
    makeTable(EscapePlace::Attribute),
    makeTable(EscapePlace::Handler),
    makeTable(EscapePlace::Script),
    makeTable(EscapePlace::Comment),
};

const Table& tableFor(EscapePlace place) {
    return tables[static_cast<std::size_t>(place)];
}

bool isSpecialByte(char c) {
    switch (c) {
    case '\n':
    case '\r':
    case '"':
    case '\'':
    case '<':
    case '>':
    case '\\':
        return true;
    default:
        return false;
    }
}

std::uint64_t load8(const char* p) {
    std::uint64_t x;
    std::memcpy(&x, p, 8);
    return x;
}

#if defined(__SSE2__)

// Any of the bytes that some place escapes: LF CR " ' < > backslash, 16 at a time.
bool hasSpecialByte(__m128i x) {
    auto eq = [x](char c) { return _mm_cmpeq_epi8(x, _mm_set1_epi8(c)); };
    const __m128i m = _mm_or_si128(
        _mm_or_si128(_mm_or_si128(eq('\n'), eq('\r')), _mm_or_si128(eq('"'), eq('\''))),
        _mm_or_si128(_mm_or_si128(eq('<'), eq('>')), eq('\\')));
    return _mm_movemask_epi8(m) != 0;
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

constexpr std::uint64_t Ones = 0x0101010101010101ULL;
constexpr std::uint64_t Highs = 0x8080808080808080ULL;

constexpr std::uint64_t zeroBytes(std::uint64_t x) {
    return (x - Ones) & ~x & Highs;
}

bool hasSpecialByte(std::uint64_t x) {
    return (zeroBytes(x ^ (Ones * '\n')) | zeroBytes(x ^ (Ones * '\r')) |
            zeroBytes(x ^ (Ones * '"')) | zeroBytes(x ^ (Ones * '\'')) |
            zeroBytes(x ^ (Ones * '<')) | zeroBytes(x ^ (Ones * '>')) |
            zeroBytes(x ^ (Ones * '\\'))) != 0;
}

bool hasSpecialByte(const char* p) {
    return hasSpecialByte(load8(p));
}

bool hasSpecialByteShort(const char* p, std::size_t n) {
    return hasSpecialByte(load8(p)) || hasSpecialByte(load8(p + n - 8));
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

std::size_t escapedSize(EscapePlace place, std::string_view value) {
    const Table& t = tableFor(place);
    std::size_t size = value.size();
    for (char c : value) {
        const Replacement& r = t[static_cast<unsigned char>(c)];
        if (r.text)
            size += r.size - 1;
    }
    return size;
}

char* writeEscaped(EscapePlace place, std::string_view value, char* out) {
    const Table& t = tableFor(place);
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const Replacement& r = t[static_cast<unsigned char>(value[i])];
        if (!r.text)
            continue;
        std::memcpy(out, value.data() + runStart, i - runStart);
        out += i - runStart;
        std::memcpy(out, r.text, r.size);
        out += r.size;
        runStart = i + 1;
    }
    std::memcpy(out, value.data() + runStart, value.size() - runStart);
    return out + (value.size() - runStart);
}

void appendEscaped(std::string& out, EscapePlace place, std::string_view value) {
    const std::size_t at = out.size();
    out.resize(at + escapedSize(place, value));
    writeEscaped(place, value, out.data() + at);
}

} // namespace lanternix
