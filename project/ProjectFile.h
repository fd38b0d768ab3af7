#pragma once

#include "io/Result.h"
#include "model/MenuTable.h"

#include <string>

namespace lanternix {

enum class WhenMissing { Fail, CreateEmpty };

// Reads and decodes the whole file (path in UTF-8). With CreateEmpty a name that does not exist
// is created as an empty file and gives the empty project, as Open has always done. A failure
// names the file and the fault, and says first in plain words whether the file is no project at
// all or a damaged one; a file that opened with part of it dropped says so in a warning.
Result<MenuTable> readProjectFile(const std::string& path, WhenMissing missing);

// Checks the table, then replaces the file atomically; the old file is untouched on failure.
Result<> saveProjectFile(const std::string& path, const MenuTable& table);

} // namespace lanternix
