#pragma once

#include "model/MenuTable.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lanternix {

// A project file is 100 records of 96 bytes, no header. Each record holds the six fields in
// MenuImage order; a field is a little-endian 16-bit tag (0 unset, 8 text), and for a text a
// 16-bit byte count and the Windows-1252 bytes. The rest of a record is filler.
inline constexpr std::size_t ProjectSlotSize = 96;
inline constexpr std::size_t ProjectFileSize = ProjectSlotSize * MenuTable::SlotCount;

struct EncodedProject {
    std::string bytes;                // exactly ProjectFileSize bytes when error is empty
    std::optional<std::string> error; // why the table cannot be saved, naming image and field
};

// Checks every record first, so a table that cannot be saved yields no bytes at all.
EncodedProject encodeProject(const MenuTable& table);

struct ProjectFault {
    int slot;         // 1 to 100
    std::string what; // e.g. "Target has the type tag 5, not 0 or 8"
};

struct DecodedProject {
    MenuTable table; // all unset when fault is set
    std::optional<ProjectFault> fault;
};

// Missing bytes at the end read as zero bytes; bytes past the last record are ignored.
DecodedProject decodeProject(std::string_view bytes);

// "slot 3: ..." for messages that name the file themselves.
std::string describeFault(const ProjectFault& fault);

} // namespace lanternix
