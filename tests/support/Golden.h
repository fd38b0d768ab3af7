#pragma once

// Expected outputs are files under tests/data/, compared byte for byte. With
// LANTERNIX_UPDATE_GOLDENS set (scripts/update-goldens), a test writes what it got there instead,
// for the diff to be reviewed.
#include "support/TempFolder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace lanternix::test {

inline std::string dataFile(const std::string& name) {
    return LANTERNIX_SOURCE_DIR "/tests/data/" + name;
}

inline std::string readData(const std::string& name) {
    return readBytes(dataFile(name));
}

inline bool renewingGoldens() {
    return std::getenv("LANTERNIX_UPDATE_GOLDENS") != nullptr;
}

// Where a test leaves what it got when that differs from the expected file.
inline std::string failedGolden(const std::string& name) {
    const auto p = std::filesystem::current_path() / "golden-failures" / pathFromUtf8(name);
    std::filesystem::create_directories(p.parent_path());
    return utf8FromPath(p);
}

inline ::testing::AssertionResult matchesGolden(const std::string& name, const std::string& got) {
    if (renewingGoldens()) {
        std::filesystem::create_directories(pathFromUtf8(dataFile(name)).parent_path());
        writeBytes(dataFile(name), got);
        return ::testing::AssertionSuccess();
    }
    const std::string want = readData(name);
    if (got == want)
        return ::testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < got.size() && at < want.size() && got[at] == want[at])
        ++at;
    const std::string kept = failedGolden(name);
    writeBytes(kept, got);
    const std::size_t line = std::count(got.begin(), got.begin() + long(at), '\n') + 1;
    return ::testing::AssertionFailure()
           << "tests/data/" << name << " differs at byte " << at << " (line " << line << "): got "
           << got.size() << " bytes, want " << want.size() << "; what came is in " << kept;
}

} // namespace lanternix::test
