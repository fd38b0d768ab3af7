#include "html/HtmlEscape.h"

#include <array>

namespace lanternix {

namespace {

// Replacement for each byte that needs one, nullptr for the bytes that are copied. Runs of
// plain bytes are appended in one go; almost every value is one such run.
using Table = std::array<const char*, 256>;

template <typename Fill> constexpr Table makeTable(Fill fill) {
    Table t{};
    fill(t);
    return t;
}

constexpr Table attributeTable = makeTable([](Table& t) { t['"'] = "&quot;"; });

constexpr Table handlerTable = makeTable([](Table& t) {
    t['\\'] = "\\\\";
    t['\''] = "\\'";
    t['\r'] = "\\r";
    t['\n'] = "\\n";
    t['"'] = "&quot;";
});

constexpr Table scriptTable = makeTable([](Table& t) {
    t['\\'] = "\\\\";
    t['"'] = "\\\"";
    t['<'] = "\\x3C";
    t['\r'] = "\\r";
    t['\n'] = "\\n";
});

constexpr Table commentTable = makeTable([](Table& t) { t['>'] = "&gt;"; });

void appendEscaped(std::string& out, std::string_view value, const Table& table) {
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char* repl = table[static_cast<unsigned char>(value[i])];
        if (!repl)
            continue;
        out.append(value.data() + runStart, i - runStart);
        out.append(repl);
        runStart = i + 1;
    }
    out.append(value.data() + runStart, value.size() - runStart);
}

} // namespace

void appendAttribute(std::string& out, std::string_view value) {
    appendEscaped(out, value, attributeTable);
}

void appendHandlerString(std::string& out, std::string_view value) {
    appendEscaped(out, value, handlerTable);
}

void appendScriptString(std::string& out, std::string_view value) {
    appendEscaped(out, value, scriptTable);
}

void appendComment(std::string& out, std::string_view value) {
    appendEscaped(out, value, commentTable);
}

} // namespace lanternix
