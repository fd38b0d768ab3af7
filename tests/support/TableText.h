#pragma once

// A table written as text, for inputs kept under tests/data/: one line per field that is set,
// "<slot> <Field>=<value>", the field by its name in the file ("DefaultImage"); fields not given
// stay unset, "<slot> Field=" is the empty text. \r, \n, \\ and \xHH stand for what they say;
// lines starting with # are comments.
#include "model/Fields.h"
#include "model/MenuTable.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <string>

namespace lanternix::test {

inline std::string unescaped(const std::string& v) {
    std::string out;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (v[i] != '\\' || i + 1 == v.size()) {
            out += v[i];
            continue;
        }
        const char c = v[++i];
        if (c == 'x' && i + 2 < v.size()) {
            out += static_cast<char>(std::stoi(v.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += c == 'r' ? '\r' : c == 'n' ? '\n' : c;
        }
    }
    return out;
}

inline MenuTable tableFromText(const std::string& text) {
    MenuTable t;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t space = line.find(' '), equals = line.find('=');
        const std::string field = line.substr(space + 1, equals - space - 1);
        const auto* info = std::find_if(MenuFields.begin(), MenuFields.end(),
                                        [&](const FieldInfo& f) { return f.fileName == field; });
        if (space == std::string::npos || equals == std::string::npos || info == MenuFields.end())
            throw std::runtime_error("not a field line: " + line);
        t.slot(std::stoi(line.substr(0, space))).*info->member = unescaped(line.substr(equals + 1));
    }
    return t;
}

} // namespace lanternix::test
