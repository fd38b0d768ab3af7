#include "project/ProjectCodec.h"

#include "model/Fields.h"
#include "text/Ascii.h"
#include "text/ByteOrder.h"
#include "text/Crc32.h"
#include "text/Printable.h"
#include "text/Utf8.h"
#include "text/Windows1252.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace lanternix {

namespace {

constexpr std::uint16_t TagUnset = 0;
constexpr std::uint16_t TagText = 8;
constexpr std::uint16_t LongTextVersion = 1;
constexpr std::uint32_t UnsetLength = 0xFFFFFFFF;
// Magic, version and the body's CRC; then the fields; then the block's own CRC.
constexpr std::size_t LongTextHeader = LongTextMagic.size() + 2 + 4;

std::string imageLabel(const MenuImage& image, int slot) {
    return isBlank(image.Name) ? "Slot " + std::to_string(slot) : text(image.Name);
}

// name == "Image" followed by n in decimal, without building the text.
bool isImageKey(std::string_view name, int n) {
    constexpr std::string_view prefix = "Image";
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix)
        return false;
    const std::string_view digits = name.substr(prefix.size());
    if (digits.size() > 3 || digits[0] == '0')
        return false;
    int value = 0;
    for (char c : digits) {
        if (!isAsciiDigit(c))
            return false;
        value = value * 10 + (c - '0');
    }
    return value == n;
}

std::string byteCount(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " byte" : " bytes");
}

// A field as a file fault names it: by the caption the user knows it by.
std::string field(const FieldInfo& f) {
    return "the field \"" + std::string(f.label()) + "\"";
}

// The fields of one record as the code page holds them; unset fields have no bytes. Plain
// ASCII texts are used where they stand, the others converted.
struct Record {
    std::array<std::string_view, MenuFields.size()> bytes;
    std::array<std::string, MenuFields.size()> converted;
    std::array<bool, MenuFields.size()> set{};
    bool exact = true;

    std::size_t size() const {
        std::size_t n = 0;
        for (std::size_t f = 0; f < bytes.size(); ++f)
            n += set[f] ? 4 + bytes[f].size() : 2;
        return n;
    }
};

// Shortens the texts after the Name so the record takes at most limit bytes, for readers that
// know only records: short texts stay whole, the long ones get equal shares of the room left.
void cutToFit(Record& r, std::size_t limit) {
    std::size_t texts = 0;
    for (std::size_t f = 1; f < r.bytes.size(); ++f)
        texts += r.bytes[f].size();
    const std::size_t fixed = r.size() - texts; // tags, lengths and the Name
    if (fixed + texts <= limit)
        return;
    const std::size_t room = limit - fixed;
    auto sharesAt = [&](std::size_t cap) {
        std::size_t n = 0;
        for (std::size_t f = 1; f < r.bytes.size(); ++f)
            n += std::min(r.bytes[f].size(), cap);
        return n;
    };
    std::size_t cap = 0;
    while (sharesAt(cap + 1) <= room)
        ++cap;
    std::size_t spare = room - sharesAt(cap);
    for (std::size_t f = 1; f < r.bytes.size(); ++f) {
        if (r.bytes[f].size() <= cap)
            continue;
        const std::size_t extra = spare > 0 ? 1 : 0;
        spare -= extra;
        r.bytes[f] = r.bytes[f].substr(0, cap + extra);
    }
}

void putRecord(std::string& out, const Record& r) {
    const std::size_t start = out.size();
    for (std::size_t f = 0; f < r.bytes.size(); ++f) {
        if (!r.set[f]) {
            putLe16(out, TagUnset);
            continue;
        }
        putLe16(out, TagText);
        putLe16(out, r.bytes[f].size());
        out += r.bytes[f];
    }
    out.resize(start + ProjectSlotSize, '\0');
}

void putLongTexts(std::string& out, const MenuTable& table) {
    const std::size_t start = out.size();
    std::size_t size = LongTextHeader + 4;
    for (int n = 1; n <= MenuTable::SlotCount; ++n)
        for (const FieldInfo& f : MenuFields)
            size += 4 + text(table.slot(n).*f.member).size();
    out.reserve(start + size);
    const std::uint32_t bodyCrc = crc32(out);
    out += LongTextMagic;
    putLe16(out, LongTextVersion);
    putLe32(out, bodyCrc);
    for (int n = 1; n <= MenuTable::SlotCount; ++n) {
        for (const FieldInfo& f : MenuFields) {
            const Field& value = table.slot(n).*f.member;
            putLe32(out, value ? static_cast<std::uint32_t>(value->size()) : UnsetLength);
            if (value)
                out += *value;
        }
    }
    putLe32(out, crc32(std::string_view(out).substr(start)));
}

} // namespace

Result<std::string> encodeProject(const MenuTable& table) {
    std::string bytes;
    bytes.reserve(ProjectFileSize);
    bool allFit = true;
    Record first; // cut further to make room for the sign, should the block be needed
    for (int n = 1; n <= MenuTable::SlotCount; ++n) {
        const MenuImage& image = table.slot(n);
        // Only such names open again (see decodeRecord); the program makes no others.
        if (table.isUsed(n) && !isImageKey(*image.Name, n))
            return Failure{Fault::CannotSave,
                           "Slot " + std::to_string(n) + " cannot be saved: its name \"" +
                               printable(*image.Name) + "\" is not " + imageKey(n) + "."};
        Record other;
        Record& rec = n == 1 ? first : other;
        for (std::size_t f = 0; f < MenuFields.size(); ++f) {
            const Field& value = image.*MenuFields[f].member;
            if (!value)
                continue;
            if (value->size() > MaxTextBytes)
                return Failure{Fault::CannotSave,
                               imageLabel(image, n) + " cannot be saved: its " +
                                   std::string(MenuFields[f].label()) + " takes " +
                                   byteCount(value->size()) + ", more than the " +
                                   std::to_string(MaxTextBytes) + " bytes a text may hold."};
            // No file holding one opens again.
            if (value->find('\0') != std::string::npos)
                return Failure{Fault::CannotSave, imageLabel(image, n) + " cannot be saved: its " +
                                                      std::string(MenuFields[f].label()) +
                                                      " holds a NUL character."};
            // A text longer than the record is cut anyway: no need to look at the rest.
            const std::string_view head = std::string_view(*value).substr(0, ProjectSlotSize + 1);
            rec.set[f] = true;
            rec.exact = rec.exact && head.size() == value->size();
            if (isAscii(head)) {
                rec.bytes[f] = head;
            } else {
                bool exact = true;
                rec.converted[f] = encodeWindows1252(*value, &exact, ProjectSlotSize + 1);
                rec.bytes[f] = rec.converted[f];
                rec.exact = rec.exact && exact;
            }
        }
        allFit = allFit && rec.exact && rec.size() <= ProjectSlotSize;
        cutToFit(rec, ProjectSlotSize);
        putRecord(bytes, rec);
    }
    if (allFit)
        return bytes;
    std::string record;
    cutToFit(first, ProjectSlotSize - LongTextSignSize);
    putRecord(record, first);
    bytes.replace(0, ProjectSlotSize, record);
    const std::uint32_t signCrc = crc32(bytes); // the sign's bytes are zero filler so far
    std::string sign(LongTextSign);
    putLe32(sign, signCrc);
    bytes.replace(ProjectSlotSize - LongTextSignSize, LongTextSignSize, sign);
    putLongTexts(bytes, table);
    return bytes;
}

namespace {

struct ProjectFault {
    enum Kind {
        Layout,    // a record breaks the layout
        Damage,    // a wrong name, a record cut short, a block of another version
        LongTexts, // the long-text block is missing or damaged
    };
    Kind kind;
    int slot;         // 1 to 100, or 0 for a fault of the file as a whole
    std::string what; // e.g. "the field "Frameset Target" has the type tag 5, ..."
};

ProjectFault fail(ProjectFault::Kind kind, int slot, std::string what) {
    return ProjectFault{kind, slot, std::move(what)};
}

ProjectFault fail(int slot, std::string what) {
    return fail(ProjectFault::Layout, slot, std::move(what));
}

ProjectFault cutShort(int slot) {
    return fail(ProjectFault::Damage, slot, "the file ends inside this record: it is cut short");
}

// Decodes one record from its bytes, fewer than 96 when the file ends inside it; end is where
// its fields end.
std::optional<ProjectFault> decodeRecord(std::string_view record, int n, MenuImage& image,
                                         std::size_t& end) {
    std::size_t at = 0;
    // need bytes from at are not in the file: past the record (a fault), or cut off with it.
    auto missing = [&](std::size_t need) { return at + need > record.size(); };
    auto why = [&](std::size_t need, auto&& past) {
        return at + need > ProjectSlotSize ? fail(n, past()) : cutShort(n);
    };
    for (const FieldInfo& f : MenuFields) {
        const auto runsPast = [&] { return field(f) + " runs past the end of the record"; };
        if (missing(2))
            return why(2, runsPast);
        const std::uint32_t tag = le16(record, at);
        at += 2;
        if (tag == TagUnset) {
            image.*f.member = std::nullopt;
            continue;
        }
        if (tag != TagText)
            return fail(n, field(f) + " has the type tag " + std::to_string(tag) +
                               ", not 0 (unset) or 8 (text)");
        if (missing(2))
            return why(2, runsPast);
        const std::size_t len = le16(record, at);
        at += 2;
        if (missing(len))
            return why(len, [&] {
                return "the text of " + field(f) + " (" + byteCount(len) +
                       ") runs past the end of the record";
            });
        const std::string_view raw = record.substr(at, len);
        if (raw.find('\0') != std::string_view::npos)
            return fail(n, "the text of " + field(f) + " holds a NUL character");
        if (isAscii(raw))
            (image.*f.member).emplace(raw);
        else
            image.*f.member = decodeWindows1252(raw);
        at += len;
    }
    end = at;
    if (record.size() < ProjectSlotSize)
        return cutShort(n);
    // Names carry their slot number: the tree keys its nodes by them, and the page uses them
    // as script names.
    if (!isBlank(image.Name) && !isImageKey(*image.Name, n))
        return fail(ProjectFault::Damage, n,
                    "the record holds the name \"" + printable(*image.Name) +
                        "\", but the image in this slot can only be named " + imageKey(n));
    return std::nullopt;
}

// Fills table from the records the file holds; the slots after them stay unset. slot1End is
// where slot 1's fields end.
std::optional<ProjectFault> decodeRecords(std::string_view bytes, MenuTable& table,
                                          std::size_t& slot1End) {
    slot1End = 0;
    for (int n = 1; n <= MenuTable::SlotCount; ++n) {
        const std::size_t start = static_cast<std::size_t>(n - 1) * ProjectSlotSize;
        if (start >= bytes.size())
            break;
        std::size_t end = 0;
        if (auto fault = decodeRecord(bytes.substr(start, ProjectSlotSize), n, table.slot(n), end))
            return fault;
        if (n == 1)
            slot1End = end;
    }
    return std::nullopt;
}

ProjectFault longTexts(int slot, const std::string& what) {
    return fail(ProjectFault::LongTexts, slot, what);
}

std::string blockFault(const std::string& what) {
    return "the long-text block after the records " + what;
}

// Reads the long-text block (the bytes from 9600 on) into table.
std::optional<ProjectFault> decodeLongTexts(std::string_view block, MenuTable& table,
                                            std::uint32_t& bodyCrc) {
    if (block.size() < LongTextHeader + 4)
        return longTexts(0, blockFault("is cut short"));
    const std::uint16_t version = le16(block, LongTextMagic.size());
    if (version != LongTextVersion)
        return fail(ProjectFault::Damage, 0,
                    blockFault("has version " + std::to_string(version) +
                               ", and this Lanternix reads version " +
                               std::to_string(LongTextVersion) + " only"));
    bodyCrc = le32(block, LongTextMagic.size() + 2);
    // The layout and the checksum first, so that a cut or damaged block costs no texts.
    const std::size_t end = block.size() - 4;
    std::size_t at = LongTextHeader;
    for (int n = 1; n <= MenuTable::SlotCount; ++n) {
        for (const FieldInfo& f : MenuFields) {
            if (at + 4 > end)
                return longTexts(n, blockFault("is cut short in " + field(f)));
            const std::uint32_t len = le32(block, at);
            at += 4;
            if (len != UnsetLength && len > end - at)
                return longTexts(n, blockFault("gives " + field(f) + " " + byteCount(len) +
                                               ", past the end of the file"));
            if (len != UnsetLength)
                at += len;
        }
    }
    if (at != end)
        return longTexts(0, blockFault("has " + byteCount(end - at) + " after its last field"));
    if (crc32(block.substr(0, end)) != le32(block, end))
        return longTexts(0, blockFault("is damaged: its checksum does not match"));
    at = LongTextHeader;
    for (int n = 1; n <= MenuTable::SlotCount; ++n) {
        for (const FieldInfo& f : MenuFields) {
            const std::uint32_t len = le32(block, at);
            at += 4;
            Field& value = table.slot(n).*f.member;
            if (len == UnsetLength) {
                value = std::nullopt;
                continue;
            }
            value.emplace(block.substr(at, len));
            at += len;
            if (len > MaxTextBytes)
                return longTexts(n, blockFault("gives " + field(f) + " " + byteCount(len) +
                                               ", more than the " + std::to_string(MaxTextBytes) +
                                               " a text may hold"));
            if (!isValidUtf8(*value))
                return longTexts(n,
                                 blockFault("holds " + field(f) + " in a form that is not UTF-8"));
            if (value->find('\0') != std::string::npos)
                return longTexts(n, blockFault("holds " + field(f) + " with a NUL character"));
        }
    }
    return std::nullopt;
}

// Slot 1 ends in the sign that a long-text block belongs after the records.
bool hasSign(std::string_view bytes, std::size_t slot1End) {
    constexpr std::size_t at = ProjectSlotSize - LongTextSignSize;
    return bytes.size() >= ProjectSlotSize && slot1End <= at &&
           bytes.substr(at, LongTextSign.size()) == LongTextSign;
}

// The records are still those the sign was written with.
bool signMatches(std::string_view bytes) {
    constexpr std::size_t at = ProjectSlotSize - LongTextSignSize;
    std::string records(bytes.substr(0, ProjectFileSize));
    records.replace(at, LongTextSignSize, LongTextSignSize, '\0');
    return crc32(records) == le32(bytes, at + LongTextSign.size());
}

std::optional<ProjectFault> decodeInto(std::string_view bytes, DecodedProject& r) {
    std::size_t slot1End = 0;
    if (auto fault = decodeRecords(bytes, r.table, slot1End))
        return fault;
    const bool signed_ = hasSign(bytes, slot1End);
    const std::string_view block =
        bytes.size() > ProjectFileSize ? bytes.substr(ProjectFileSize) : std::string_view();
    const std::string_view magicPart = LongTextMagic.substr(0, block.size());
    if (block.empty() || block.substr(0, magicPart.size()) != magicPart) {
        if (!signed_)
            return std::nullopt; // no block: bytes past the records are ignored, as ever
        // A program that knows only records saved the file again, with filler that happened
        // to hold the sign: the records are the newer project.
        if (bytes.size() == ProjectFileSize && !signMatches(bytes)) {
            r.longTextsDropped = true;
            return std::nullopt;
        }
        return longTexts(0, bytes.size() <= ProjectFileSize
                                ? "the file ends before them"
                                : blockFault("does not begin with its mark"));
    }
    if (block.size() < LongTextMagic.size())
        return longTexts(0, blockFault("is cut short"));

    MenuTable full;
    std::uint32_t bodyCrc = 0;
    if (auto fault = decodeLongTexts(block, full, bodyCrc))
        return fault;
    if (crc32(bytes.substr(0, ProjectFileSize)) != bodyCrc) {
        // A program that knows only records rewrote them: they are the newer project.
        r.longTextsDropped = true;
        return std::nullopt;
    }
    for (int n = 1; n <= MenuTable::SlotCount; ++n) {
        if (full.isUsed(n) != r.table.isUsed(n) ||
            (full.isUsed(n) && *full.slot(n).Name != *r.table.slot(n).Name))
            return longTexts(n, "the records and the long-text block disagree on the name");
    }
    r.table = std::move(full);
    return std::nullopt;
}

} // namespace

Result<DecodedProject> decodeProject(std::string_view bytes) {
    DecodedProject r;
    const auto fault = decodeInto(bytes, r);
    if (!fault)
        return r;
    std::string what = fault->slot == 0
                           ? fault->what
                           : "in slot " + std::to_string(fault->slot) + ", " + fault->what;
    if (fault->kind == ProjectFault::LongTexts)
        what = "its long texts are missing or damaged: " + what;
    // A file whose first record is none is something else altogether: text, a picture.
    const bool other = fault->kind == ProjectFault::Layout && fault->slot == 1;
    return Failure{other ? Fault::NotAProject : Fault::DamagedProject, what};
}

} // namespace lanternix
