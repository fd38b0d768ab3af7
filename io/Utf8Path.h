#pragma once

#include "text/Utf8.h"

#include <filesystem>
#include <string>

#ifdef _WIN32
#include "io/WindowsText.h"
#endif

namespace lanternix {

// Paths as the core takes them, in UTF-8, and back in the system's own form (wide on
// Windows, where a narrow path would go through the ANSI code page and lose characters).
// Windows's conversion throws on bytes that are not UTF-8 and on lone surrogates; no file has
// such a name, so they become U+FFFD and the path names no file instead of stopping the program.
inline std::filesystem::path pathFromUtf8(const std::string& utf8) {
#ifdef _WIN32
    std::string whole;
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = nextUtf8(utf8, i);
        appendUtf8(whole, c == MalformedUtf8 ? U'\uFFFD' : c);
    }
    return std::u8string(whole.begin(), whole.end());
#else
    return std::u8string(utf8.begin(), utf8.end());
#endif
}

inline std::string utf8FromPath(const std::filesystem::path& p) {
#ifdef _WIN32
    return toUtf8(p.native());
#else
    const std::u8string s = p.u8string();
    return {s.begin(), s.end()};
#endif
}

// The folder that holds a file, absolute and in the system's own form, with no separator at its
// end unless it is a root: how messages name the folder a page is published from.
inline std::string folderOf(const std::string& file) {
    std::error_code ec;
    return utf8FromPath(
        std::filesystem::absolute(pathFromUtf8(file), ec).lexically_normal().parent_path());
}

} // namespace lanternix
