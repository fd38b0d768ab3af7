#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace lanternix::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
struct TempFolder {
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "lxp-test-XXXXXX").string();
        path = ::mkdtemp(pattern.data()) ? pattern : throw std::runtime_error("mkdtemp failed");
    }
    ~TempFolder() { std::filesystem::remove_all(path, ec); }
    std::string file(const std::string& name) const { return (path / name).string(); }
    // For spotting left-over temporary files.
    long entries() const { return std::distance(std::filesystem::directory_iterator(path), {}); }

    std::filesystem::path path;
    std::error_code ec; // of the removal, which must not throw
};

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace lanternix::test
