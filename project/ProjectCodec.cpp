#include "project/ProjectCodec.h"

#include "io/Windows1252.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

namespace lanternix {

namespace {

constexpr std::uint16_t TagUnset = 0;
constexpr std::uint16_t TagText = 8;

struct FieldInfo {
    Field MenuImage::*member;
    const char* name;
};

constexpr std::array<FieldInfo, 6> Fields = {{
    {&MenuImage::Name, "Name"},
    {&MenuImage::DefaultImage, "DefaultImage"},
    {&MenuImage::OverImage, "OverImage"},
    {&MenuImage::Target, "Target"},
    {&MenuImage::StatusText, "StatusText"},
    {&MenuImage::HyperLink, "HyperLink"},
}};

void putU16(std::string& out, std::size_t at, std::size_t v) {
    out[at] = static_cast<char>(v & 0xFF);
    out[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

std::uint16_t getU16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::string imageLabel(const MenuImage& image, int slot) {
    return isBlank(image.Name) ? "Slot " + std::to_string(slot) : text(image.Name);
}

bool isAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
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
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return value == n;
}

std::string byteCount(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " byte" : " bytes");
}

// The character at a UTF-8 offset, as typed, for the message.
std::string characterAt(std::string_view s, std::size_t at) {
    std::size_t end = at + 1;
    while (end < s.size() && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80)
        ++end;
    return std::string(s.substr(at, end - at));
}

} // namespace

EncodedProject encodeProject(const MenuTable& table) {
    EncodedProject r;
    r.bytes.assign(ProjectFileSize, '\0');
    for (int n = 1; n <= MenuTable::SlotCount; ++n) {
        const MenuImage& image = table.slot(n);
        std::array<std::string_view, Fields.size()> encoded;
        std::array<std::string, Fields.size()> converted; // texts beyond ASCII, as bytes
        std::size_t need = 0;
        // The longest text is the one worth shortening, so the message names it.
        const char* longest = Fields[0].name;
        std::size_t longestSize = 0;
        for (std::size_t f = 0; f < Fields.size(); ++f) {
            const Field& value = image.*Fields[f].member;
            if (value && isAscii(*value)) {
                encoded[f] = *value;
            } else if (value) {
                Windows1252Result e = encodeWindows1252(*value);
                if (e.error) {
                    const char32_t c = e.error->character;
                    std::string shown = "a malformed character";
                    if (c != 0xFFFD) {
                        shown = '"';
                        shown += characterAt(*value, e.error->utf8Offset);
                        shown += "\" (" + describeCharacter(c) + ")";
                    }
                    r.bytes.clear();
                    r.error = imageLabel(image, n) + " cannot be saved: its " + Fields[f].name +
                              " holds " + shown + ", which a project file cannot hold.";
                    return r;
                }
                converted[f] = std::move(e.bytes);
                encoded[f] = converted[f];
            }
            if (value) {
                need += 4 + encoded[f].size();
                if (encoded[f].size() > longestSize) {
                    longest = Fields[f].name;
                    longestSize = encoded[f].size();
                }
            } else {
                need += 2;
            }
        }
        if (need > ProjectSlotSize) {
            r.bytes.clear();
            r.error = imageLabel(image, n) + " cannot be saved: its texts take " +
                      byteCount(need - ProjectSlotSize) + " more than the " +
                      std::to_string(ProjectSlotSize) + " bytes a project record holds. Shorten " +
                      longest + " or another text of this image.";
            return r;
        }
        std::size_t at = static_cast<std::size_t>(n - 1) * ProjectSlotSize;
        for (std::size_t f = 0; f < Fields.size(); ++f) {
            if (!(image.*Fields[f].member)) {
                putU16(r.bytes, at, TagUnset);
                at += 2;
                continue;
            }
            putU16(r.bytes, at, TagText);
            putU16(r.bytes, at + 2, encoded[f].size());
            std::copy(encoded[f].begin(), encoded[f].end(),
                      r.bytes.begin() + static_cast<std::ptrdiff_t>(at + 4));
            at += 4 + encoded[f].size();
        }
    }
    return r;
}

namespace {

// Fills table from bytes and returns the first fault, if any.
std::optional<ProjectFault> decodeInto(std::string_view bytes, MenuTable& table) {
    auto fail = [](int slot, std::string what) { return ProjectFault{slot, std::move(what)}; };
    for (int n = 1; n <= MenuTable::SlotCount; ++n) {
        // A record cut short by the end of the file reads as zero bytes.
        std::array<unsigned char, ProjectSlotSize> rec{};
        const std::size_t start = static_cast<std::size_t>(n - 1) * ProjectSlotSize;
        if (start < bytes.size()) {
            const std::size_t have = std::min(ProjectSlotSize, bytes.size() - start);
            std::copy_n(bytes.data() + start, have, reinterpret_cast<char*>(rec.data()));
        }
        MenuImage& image = table.slot(n);
        std::size_t at = 0;
        for (const FieldInfo& f : Fields) {
            if (at + 2 > ProjectSlotSize)
                return fail(n, std::string(f.name) + " runs past the end of the record");
            const std::uint16_t tag = getU16(rec.data() + at);
            at += 2;
            if (tag == TagUnset) {
                image.*f.member = std::nullopt;
                continue;
            }
            if (tag != TagText)
                return fail(n, std::string(f.name) + " has the type tag " + std::to_string(tag) +
                                   ", not 0 (unset) or 8 (text)");
            if (at + 2 > ProjectSlotSize)
                return fail(n, std::string(f.name) + " runs past the end of the record");
            const std::size_t len = getU16(rec.data() + at);
            at += 2;
            if (at + len > ProjectSlotSize)
                return fail(n, "the text of " + std::string(f.name) + " (" + byteCount(len) +
                                   ") runs past the end of the record");
            const std::string_view raw(reinterpret_cast<const char*>(rec.data()) + at, len);
            if (isAscii(raw))
                (image.*f.member).emplace(raw);
            else
                image.*f.member = decodeWindows1252(raw);
            at += len;
        }
    }

    // The tree keys its nodes by Name, so two used records may not share one. Names as Add
    // Image makes them carry their slot number and cannot clash; only others need the sort.
    bool canonical = true;
    for (int n = 1; n <= MenuTable::SlotCount && canonical; ++n)
        canonical = !table.isUsed(n) || isImageKey(*table.slot(n).Name, n);
    if (canonical)
        return std::nullopt;
    std::array<std::pair<std::string_view, int>, MenuTable::SlotCount> names;
    std::size_t used = 0;
    for (int n = 1; n <= MenuTable::SlotCount; ++n)
        if (table.isUsed(n))
            names[used++] = {*table.slot(n).Name, n};
    std::sort(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(used));
    std::optional<std::pair<int, int>> clash; // (later slot, earlier slot), lowest later slot
    for (std::size_t i = 1; i < used; ++i)
        if (names[i].first == names[i - 1].first && (!clash || names[i].second < clash->first)) {
            // Sorted by slot within equal names, so the first of the run is the earliest.
            std::size_t first = i - 1;
            while (first > 0 && names[first - 1].first == names[i].first)
                --first;
            clash = std::pair{names[i].second, names[first].second};
        }
    if (clash)
        return fail(clash->first, "its Name \"" + *table.slot(clash->first).Name +
                                      "\" is also the Name of slot " +
                                      std::to_string(clash->second));
    return std::nullopt;
}

} // namespace

DecodedProject decodeProject(std::string_view bytes) {
    DecodedProject r;
    r.fault = decodeInto(bytes, r.table);
    if (r.fault)
        r.table = MenuTable{}; // nothing half-read comes back
    return r;
}

std::string describeFault(const ProjectFault& fault) {
    return "slot " + std::to_string(fault.slot) + ": " + fault.what;
}

} // namespace lanternix
