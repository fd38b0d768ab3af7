#include "project/ProjectCodec.h"

#include "support/Golden.h"
#include "support/TableText.h"
#include "support/Why.h"
#include "text/ByteOrder.h"
#include "text/Crc32.h"

using namespace lanternix;
using namespace lanternix::test;
using namespace std::string_literals;

namespace {

// A record of the given fields followed by zero filler; a text field.
const auto record = [](std::string f) { return f.resize(ProjectSlotSize, '\0'), f; };
const auto txt = [](const std::string& s) { return "\x08\x00"s + char(s.size()) + '\0' + s; };

const std::string Unset(2, '\0'), FourUnset(8, '\0'), Empty = txt("");
// Five fields taking 95 bytes: a sixth empty text fills the record exactly.
const std::string Full = txt("Image1") + txt(std::string(66, 'p')) + Empty + Empty + Empty;

// "" for a file that opens (its table read into table), "dropped" for one that opens without
// its long texts, else the failure's message after its kind.
std::string decoded(const std::string& bytes, MenuTable* table = nullptr) {
    const Result<DecodedProject> d = decodeProject(bytes);
    if (d && table)
        *table = d->table;
    if (!d)
        return (d.failure().kind == Fault::NotAProject ? "no project: " : "damaged: ") +
               d.failure().message;
    return d->longTextsDropped ? "dropped" : "";
}

// What each file is read as, a line each, to compare with an expected listing.
std::string readAs(const std::vector<std::pair<std::string, std::string>>& files) {
    std::string said;
    for (const auto& [name, bytes] : files)
        said += name + ": " + decoded(bytes) + "\n";
    return said;
}

} // namespace

// Every byte of the file as expected, and the same table read back from it: no image ever added,
// an image and a removed one, unset fields beside empty texts and Windows-1252 bytes, and texts
// the records cannot hold, which the long-text block does.
TEST(ProjectCodec, WritesTheLayoutAndReadsItBack) {
    EXPECT_EQ(crc32("123456789"), 0xCBF43926u); // the CRC-32 of zip and PNG
    for (const std::string name : {"untouched", "example", "mixed", "long-texts"}) {
        const MenuTable t = tableFromText(readData("projects/" + name + ".txt"));
        const std::string bytes = encodeProject(t).value();
        EXPECT_TRUE(matchesGolden("projects/" + name + ".lxp", bytes));
        MenuTable back;
        EXPECT_EQ(decoded(bytes, &back), "") << name;
        EXPECT_EQ(back, t) << name;
    }
}

TEST(ProjectCodec, ReadsShortLongAndFullRecords) {
    MenuTable got;
    EXPECT_EQ(decoded("", &got), "");
    EXPECT_EQ(got, MenuTable{});
    // Slot 1 whole with junk filler; the file ends there, so the other slots are unset. A file
    // that ends inside a record is cut short, however whole its fields look.
    std::string bytes = txt("Image1") + txt("a") + FourUnset;
    bytes += std::string(ProjectSlotSize - bytes.size(), '\x5A');
    MenuTable want;
    want.slot(1) = {"Image1", "a", {}, {}, {}, {}};
    EXPECT_EQ(decoded(bytes, &got), "");
    EXPECT_EQ(got, want);
    for (const std::string& end : {"\x08\x00\x06"s, txt("Ima"), txt("") + std::string(12, '\0')})
        EXPECT_EQ(decoded(bytes + end), "damaged: in slot 2, the file ends inside this record: it "
                                        "is cut short");
    EXPECT_EQ(decoded(encodeProject(want).value() + "\x07\x00 more"s, &got), ""); // ignored
    EXPECT_EQ(got, want);
    // A record of exactly 96 bytes still fits: no long-text block.
    EXPECT_EQ(decoded(Full + Empty, &got), "");
    EXPECT_EQ(encodeProject(got).value(), Full + Empty + std::string(9600 - 96, '\0'));
}

// A first record that is none makes a file no project at all (a text, a picture); a fault
// further on, or a wrong name, a damaged one. Nothing half-read comes back.
TEST(ProjectCodec, RefusesFilesTheLayoutDoesNotAllow) {
    const std::string good = record(txt("Image1") + txt("a.gif") + FourUnset);
    const std::string longName = txt(std::string(89, 'n')); // 93 bytes
    EXPECT_TRUE(matchesGolden(
        "projects/refused.txt",
        readAs({{"tag 3", good + record(txt("Image2") + "\x03")},
                {"tag 264", good + record(Empty) + record(Unset + "\x08\x01")},
                {"text past the record", record(txt("Image1") + "\x08\x00\x5B\x00"s)},
                {"one byte past", record(Full + "\x08\x00\x01"s)},
                {"tag past", record(longName + Unset)},
                {"length past", record(longName + "\x08")},
                {"a page", "<HTML>\r\n"},
                {"NUL", good + record(txt("Image2") + txt("a\0b"s))},
                {"a name of another slot", good + record(txt("Image1"))},
                {"small letters", record(txt("image1"))},
                {"a leading zero", record(txt("Image01"))},
                {"ESC", record(txt("Image\x1B[2J"))},
                {"one byte short", good.substr(0, 95)},
                {"blank names, free slots", record(Empty) + record(Empty) + record(Unset)}})));
}

namespace {

std::string u32(std::uint32_t v) {
    std::string s;
    putLe32(s, v);
    return s;
}

// The block's CRC made right again after a change to the block.
std::string resealed(std::string bytes) {
    bytes.resize(bytes.size() - 4);
    return bytes + u32(crc32(std::string_view(bytes).substr(9600)));
}

} // namespace

TEST(ProjectCodec, ReadsTheLongTextBlockOrRefusesItDamaged) {
    const MenuTable t = tableFromText(readData("projects/long-texts.txt"));
    const std::string bytes = readData("projects/long-texts.lxp");

    // A program that knows only records rewrote one in place: the records are newer and win.
    // Saved again whole, its filler (zero bytes, or the sign left over) says the same.
    std::string rewritten = bytes;
    rewritten.replace(rewritten.find("main"), 4, "left");
    MenuTable got, records;
    EXPECT_EQ(decoded(rewritten, &got), "dropped");
    EXPECT_EQ(decoded(rewritten.substr(0, 9600), &records), "dropped");
    EXPECT_EQ(got, records);
    EXPECT_EQ(decoded(rewritten.substr(0, 88) + std::string(8, '\0') + rewritten.substr(96, 9504),
                      &records),
              "");
    EXPECT_EQ(got, records);

    // Every cut of the file is refused but the empty file, never read as the cut records.
    std::size_t opened = 0;
    for (std::size_t n = 1; n < bytes.size(); ++n)
        opened += decodeProject(std::string_view(bytes).substr(0, n)).ok();
    EXPECT_EQ(opened, 0u);

    // A damaged block is refused, never read as the cut records.
    const std::size_t name1 = 9600 + 14, text1 = name1 + 4, b = bytes.size();
    auto with = [&](std::size_t at, std::string by) {
        return bytes.substr(0, at) + by + bytes.substr(at + by.size());
    };
    MenuTable big = t; // a text longer than any this program writes
    big.slot(3).DefaultImage = std::string(2048, 'd');
    std::string over = encodeProject(big).value();
    EXPECT_EQ(decoded(over), ""); // the longest text reads back
    const std::string most = u32(2048) + std::string(2048, 'd');
    over.replace(over.find(most), most.size(), u32(2049) + std::string(2049, 'd'));
    EXPECT_TRUE(matchesGolden(
        "projects/damaged.txt",
        readAs({{"a text changed", with(text1 + 11, "?")},
                {"the block lost", bytes.substr(0, 9600)},
                {"cut at a record", bytes.substr(0, 4800)},
                {"a flipped mark", with(9600, "M")},
                {"a byte lost in the records", bytes.substr(0, 9590) + bytes.substr(9591)},
                {"cut in the header", bytes.substr(0, 9605)},
                {"cut in the header's checksum", bytes.substr(0, 9616)},
                {"cut after the header", bytes.substr(0, 9618)},
                {"cut in the last field", bytes.substr(0, b - 9)},
                {"cut in a text", bytes.substr(0, 9700)},
                {"a byte more", bytes + "x"},
                {"version 2", with(9608, "\x02")},
                {"a length past the end", with(name1, u32(5000))},
                {"another name", resealed(with(text1, "Image9"))},
                {"a text too long", resealed(over)},
                {"not UTF-8", resealed(with(text1 + 10, "\xFF"))},
                {"NUL", resealed(with(text1 + 10, std::string(1, '\0')))}})));
}

TEST(ProjectCodec, RefusesTablesThatCannotBeSaved) {
    const std::string limit(2048, 'a');
    const std::pair<MenuImage, std::string> cases[] = {
        {{"Image12", limit, "", "", limit, "http:"}, ""},
        {{"Image12", "a.gif", "", "", limit + "\xC3\xA9", ""},
         "Image12 cannot be saved: its Status Text/ALT takes 2050 bytes, more than the 2048 "
         "bytes a text may hold."},
        {{"", {}, limit + "b", {}, {}, {}},
         "Slot 12 cannot be saved: its OnOver Image takes 2049 bytes, more than the 2048 bytes a "
         "text may hold."},
        {{"Image1", "a.gif", "", "", "", ""},
         "Slot 12 cannot be saved: its name \"Image1\" is not Image12."},
        {{"Image12", "a\0.gif"s, "", "", "", ""},
         "Image12 cannot be saved: its Default image holds a NUL character."}};
    for (const auto& [image, error] : cases) {
        MenuTable t;
        t.makeNewRecord(2);
        t.slot(12) = image;
        const Result<std::string> e = encodeProject(t);
        EXPECT_EQ(why(e), error);
        EXPECT_TRUE(error.empty() || e.failure().kind == Fault::CannotSave);
    }
}
