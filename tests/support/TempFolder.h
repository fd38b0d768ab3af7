#pragma once

#include "io/Utf8Path.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

namespace lanternix::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
struct TempFolder {
    TempFolder() {
        std::random_device random;
        for (int i = 0; i < 100 && path.empty(); ++i) {
            auto p =
                std::filesystem::temp_directory_path() / ("lxp-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(p)) {
                // Owner only, as mkdtemp makes it: the folder may serve as a runtime folder.
                std::filesystem::permissions(p, std::filesystem::perms::owner_all);
                path = p;
            }
        }
        if (path.empty())
            throw std::runtime_error("cannot make a temporary folder");
    }
    ~TempFolder() { std::filesystem::remove_all(path, ec); }
    std::string file(const std::string& name) const {
        return utf8FromPath(path / pathFromUtf8(name));
    }
    // For spotting left-over temporary files.
    long entries() const { return std::distance(std::filesystem::directory_iterator(path), {}); }

    std::filesystem::path path;
    std::error_code ec; // of the removal, which must not throw
};

inline std::string readBytes(const std::string& path) {
    std::ifstream in(pathFromUtf8(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Whether the README shows the text as the program prints it, each line indented as given.
inline bool readmeShows(const std::string& text, const std::string& indent) {
    std::string block;
    for (std::size_t at = 0, end = 0; at < text.size(); at = end + 1) {
        end = std::min(text.find('\n', at), text.size());
        block += (end > at ? indent + text.substr(at, end - at) : "") + "\n";
    }
    return readBytes(LANTERNIX_SOURCE_DIR "/README.md").find(block) != std::string::npos;
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(pathFromUtf8(path), std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace lanternix::test
