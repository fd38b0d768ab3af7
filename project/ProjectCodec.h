#pragma once

#include "io/Result.h"
#include "model/MenuTable.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace lanternix {

// A project file is 100 records of 96 bytes, no header. Each record holds the six fields in
// MenuImage order; a field is a little-endian 16-bit tag (0 unset, 8 text), and for a text a
// 16-bit byte count and the Windows-1252 bytes. The rest of a record is filler.
//
// A table that does not fit that (a record over 96 bytes, a character the code page cannot
// hold) is written as those 9600 bytes, each such record cut to fit with '?' for what the code
// page lacks, followed by a long-text block holding the whole table in UTF-8. Readers that
// know only records ignore the block. Its layout, all numbers little-endian:
//   "LXPEXT\r\n"  magic (8 bytes)
//   u16           version, 1
//   u32           CRC-32 of the 9600 bytes before the block, as written
//   600 fields    slot 1's six fields, then slot 2's ...: u32 byte count and the UTF-8
//                 bytes, or u32 0xFFFFFFFF alone for an unset field
//   u32           CRC-32 of the block up to here
// The block ends the file. Slot 1's record then ends in a sign that the block belongs, in its
// filler, which readers of records ignore (the record is cut further to make room):
//   "LXPB"        (4 bytes)
//   u32           CRC-32 of the 9600 bytes with these 8 taken as zero bytes
// A file whose block is cut off, lost or shifted still carries the sign and is refused. A
// program that knows only records and saves the file anew writes its own filler there; should
// that still hold the sign, its CRC no longer matches, and the records open as the newer project.
inline constexpr std::size_t ProjectSlotSize = 96;
inline constexpr std::size_t ProjectFileSize = ProjectSlotSize * MenuTable::SlotCount;
inline constexpr std::string_view LongTextMagic = "LXPEXT\r\n";
inline constexpr std::string_view LongTextSign = "LXPB";
inline constexpr std::size_t LongTextSignSize = LongTextSign.size() + 4;
inline constexpr std::size_t MaxTextBytes = 2048;
// The largest file a table can make: no valid project is longer.
inline constexpr std::size_t MaxProjectFileSize = ProjectFileSize + LongTextMagic.size() + 2 + 4 +
                                                  6 * MenuTable::SlotCount * (4 + MaxTextBytes) + 4;

// Checks every record first, so a table that cannot be saved yields no bytes at all; the
// failure (CannotSave) names the image and the field.
Result<std::string> encodeProject(const MenuTable& table);

struct DecodedProject {
    MenuTable table;
    // The records were rewritten since the long-text block was saved: they are newer and
    // were used, and the block's texts were dropped.
    bool longTextsDropped = false;
};

// Records missing at the end of the file read as unset, unless the file was saved with a
// long-text block; a file that ends inside a record is cut short; bytes past the last record
// are ignored unless they start the block. A
// failure is NotAProject when the first record does not read as one (a text file, a picture),
// else DamagedProject; its message is the fault and where it is ("in slot 3, the field ..."),
// for messages that name the file themselves. No text read holds a NUL character.
Result<DecodedProject> decodeProject(std::string_view bytes);

} // namespace lanternix
