#pragma once

#include "model/MenuTable.h"

#include <optional>
#include <string>

namespace lanternix {

struct ProjectRead {
    MenuTable table;
    // One line naming the file and the fault; the table is all unset then.
    std::optional<std::string> error;
    // The file opened, but part of it was dropped: tell the user.
    std::optional<std::string> warning;
};

enum class WhenMissing { Fail, CreateEmpty };

// Reads and decodes the whole file (path in UTF-8). With CreateEmpty a name that does not exist is
// created as an empty file and gives the empty project, as Open has always done.
ProjectRead readProjectFile(const std::string& path, WhenMissing missing);

// Checks the table, then replaces the file atomically. Returns the message on failure; the
// old file is untouched then.
std::optional<std::string> saveProjectFile(const std::string& path, const MenuTable& table);

} // namespace lanternix
