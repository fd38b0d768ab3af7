#pragma once

#include <filesystem>
#include <string>

namespace lanternix {

// Paths as the core takes them, in UTF-8, and back in the system's own form (wide on
// Windows, where a narrow path would go through the ANSI code page and lose characters).
inline std::filesystem::path pathFromUtf8(const std::string& utf8) {
    return std::u8string(utf8.begin(), utf8.end());
}

inline std::string utf8FromPath(const std::filesystem::path& p) {
    const std::u8string s = p.u8string();
    return {s.begin(), s.end()};
}

// The folder that holds a file, absolute and in the system's own form, with no separator at its
// end unless it is a root: how messages name the folder a page is published from.
inline std::string folderOf(const std::string& file) {
    std::error_code ec;
    return utf8FromPath(
        std::filesystem::absolute(pathFromUtf8(file), ec).lexically_normal().parent_path());
}

} // namespace lanternix
