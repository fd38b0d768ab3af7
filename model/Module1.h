#pragma once

#include "model/MenuTable.h"

#include <optional>

namespace lanternix {

// The project data of one run: created in main() and handed to the windows by reference.
struct Module1 {
    MenuTable table;
    // Set by Add Image and by the editor's Save; nothing else reads it.
    std::optional<int> CurrentIndex;

    // Add Image, model side: picks the slot, makes the record, returns its number;
    // nullopt when the table is full (nothing changes then).
    std::optional<int> addImage();
};

// The leading part of a path up to and including its last separator (\ or /), "" if none.
std::string PathHead(const std::string& path);

} // namespace lanternix
