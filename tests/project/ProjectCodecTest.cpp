#include "project/ProjectCodec.h"

#include "io/Crc32.h"

#include <gtest/gtest.h>

using namespace lanternix;
using namespace std::string_literals;

namespace {

// A record of the given fields followed by zero filler; a text field.
const auto record = [](std::string f) { return f.resize(ProjectSlotSize, '\0'), f; };
const auto txt = [](const std::string& s) { return "\x08\x00"s + char(s.size()) + '\0' + s; };

const std::string Unset(2, '\0'),
    FourUnset(8, '\0'), Empty = txt(""), FourEmpty = Empty + Empty + Empty + Empty;
// Five fields taking 95 bytes: a sixth empty text fills the record exactly.
const std::string Full = txt("Image1") + txt(std::string(66, 'p')) + Empty + Empty + Empty;

} // namespace

TEST(ProjectCodec, WritesTheLayoutAndReadsItBack) {
    MenuTable t;
    EXPECT_EQ(encodeProject(t).bytes, std::string(9600, '\0')); // six unset fields everywhere
    t.makeNewRecord(1);
    t.slot(1).DefaultImage = "b.gif";
    t.makeNewRecord(2);
    t.clearRecord(2); // removed in the editor: six empty texts
    EXPECT_EQ(encodeProject(t).bytes,
              record("\x08\x00\x06\x00Image1\x08\x00\x05\x00"s + "b.gif" + FourEmpty) +
                  record(Empty + Empty + FourEmpty) + std::string(9600 - 192, '\0'));

    // Unset stays apart from empty text, both ways; é and the undefined bytes are one byte each.
    t.slot(1).StatusText = "caf\xC3\xA9 \xE2\x82\xAC \xC2\x81\xC2\x9D";
    t.slot(3).Name = "Image3"; // others stay unset
    t.slot(3).HyperLink = "";
    t.slot(7).Target = ""; // a free slot holding a text
    t.slot(100) = MenuImage{"Image100", "x", std::nullopt, "", "  ", "y"};
    const EncodedProject e = encodeProject(t);
    EXPECT_EQ(e.bytes.substr(27, 13), txt("caf\xE9 \x80 \x81\x9D"));
    const DecodedProject d = decodeProject(e.bytes);
    EXPECT_EQ(d.table, t);
    EXPECT_EQ(encodeProject(d.table).bytes, e.bytes);
    t = {}; // one character the code page lacks is enough for the block
    t.slot(1) = {"Image1", "\xCE\xA9.gif", {}, {}, {}, {}};
    EXPECT_EQ(decodeProject(encodeProject(t).bytes).table, t);
}

TEST(ProjectCodec, ReadsShortLongAndFullRecords) {
    EXPECT_EQ(decodeProject("").table, MenuTable{});
    // Slot 1 whole with junk filler, slot 2 cut after its Name's tag and length.
    std::string bytes = txt("Image1") + txt("a") + FourUnset;
    bytes += std::string(ProjectSlotSize - bytes.size(), '\x5A') + "\x08\x00\x00"s;
    MenuTable want;
    want.slot(1) = {"Image1", "a", {}, {}, {}, {}};
    want.slot(2).Name = "";
    EXPECT_EQ(decodeProject(bytes).table, want);
    EXPECT_EQ(decodeProject(encodeProject(want).bytes + "\x07\x00 more"s).table, want); // ignored
    // A record of exactly 96 bytes still fits: no long-text block.
    EXPECT_EQ(encodeProject(decodeProject(Full + Empty).table).bytes,
              Full + Empty + std::string(9600 - 96, '\0'));
}

TEST(ProjectCodec, RefusesFilesTheLayoutDoesNotAllow) {
    const std::string good = record(txt("Image1") + txt("a.gif") + FourUnset);
    const std::string longName = txt(std::string(89, 'n')); // 93 bytes
    const std::string tag = " not 0 (unset) or 8 (text)", past = " runs past the end of the record";
    const auto misnamed = [](int n, const std::string& name) {
        return "slot " + std::to_string(n) + ": it holds the name \"" + name +
               "\", but the image in this slot can only be named Image" + std::to_string(n);
    };
    const std::pair<std::string, std::string> cases[] = {
        {good + record(txt("Image2") + "\x03"),
         "slot 2: the field \"Default image\" has the type tag 3," + tag},
        {good + record(Empty) + record(Unset + "\x08\x01"),
         "slot 3: the field \"Default image\" has the type tag 264," + tag},
        {record(txt("Image1") + "\x08\x00\x5B\x00"s),
         "slot 1: the text of the field \"Default image\" (91 bytes)" + past},
        {record(Full + "\x08\x00\x01"s),
         "slot 1: the text of the field \"HyperLink\" (1 byte)" + past},
        {record(longName + Unset),
         "slot 1: the field \"OnOver Image\"" + past}, // tag or length past the end
        {record(longName + "\x08"), "slot 1: the field \"Default image\"" + past},
        // A name is its slot's: anything else would clash in the tree or break the page.
        {good + record(txt("Image1")), misnamed(2, "Image1")},
        {record(txt("image1")), misnamed(1, "image1")},
        {record(txt("Image01")), misnamed(1, "Image01")},
        {record(Empty) + record(Empty) + record(Unset), ""}}; // blank names are free slots
    for (const auto& [bytes, want] : cases) {
        const DecodedProject d = decodeProject(bytes);
        EXPECT_EQ(d.fault ? describeFault(*d.fault) : "", want);
        EXPECT_TRUE(!d.fault || d.table == MenuTable{}); // nothing half-read comes back
    }
}

namespace {

std::string u32(std::uint32_t v) {
    return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

// The example image with a 120-byte link, and a name-sized text the code page lacks.
MenuTable longTable() {
    MenuTable t;
    t.makeNewRecord(1);
    t.slot(1) = {"Image1",
                 "pics\\home.png",
                 "pics\\home_on.png",
                 "main",
                 "\xCE\xA9 Bob's \"best\" page <new>",
                 "http://example.org/a?b=1&c=2"};
    for (int i = 0; i < 46; ++i)
        *t.slot(1).HyperLink += "/x";
    t.makeNewRecord(2);
    t.slot(2).DefaultImage = "\xE6\x97\xA5\xE6\x9C\xAC.gif";       // two Japanese characters
    t.slot(3) = {"Image3", std::string(200, 'd'), {}, {}, {}, {}}; // unset fields take 2 bytes
    t.slot(100).HyperLink = "y"; // a free slot's text, the block's last field
    return t;
}

// The block's CRC made right again after a change to the block.
std::string resealed(std::string bytes) {
    bytes.resize(bytes.size() - 4);
    return bytes + u32(crc32(std::string_view(bytes).substr(9600)));
}

} // namespace

TEST(ProjectCodec, LongTextsGoIntoABlockAfterTheRecords) {
    EXPECT_EQ(crc32("123456789"), 0xCBF43926u); // the CRC-32 of zip and PNG
    const MenuTable t = longTable();
    const std::string bytes = encodeProject(t).bytes;
    // For readers of records: short texts whole, long ones cut to equal shares, ? where the
    // code page has no character.
    EXPECT_EQ(bytes.substr(0, 288),
              record(txt("Image1") + txt("pics\\home.png") + txt("pics\\home_on.png") +
                     txt("main") + txt("? Bob's \"best\" pa") + txt("http://example.o")) +
                  record(txt("Image2") + txt("??.gif") + FourEmpty) + txt("Image3") +
                  txt(std::string(74, 'd')) + FourUnset);
    EXPECT_EQ(bytes.substr(288, 9600 - 288),
              std::string(9504 - 288, '\0') + record(std::string(10, '\0') + txt("y")));
    std::string block = "LXPEXT\r\n\x01\x00"s + u32(crc32(bytes.substr(0, 9600)));
    for (int n = 1; n <= 100; ++n) {
        const MenuImage& m = t.slot(n);
        for (const Field* f :
             {&m.Name, &m.DefaultImage, &m.OverImage, &m.Target, &m.StatusText, &m.HyperLink})
            block += *f ? u32(std::uint32_t((*f)->size())) + **f : u32(0xFFFFFFFF);
    }
    EXPECT_EQ(bytes.substr(9600), block + u32(crc32(block)));

    const DecodedProject d = decodeProject(bytes);
    EXPECT_FALSE(d.fault || d.longTextsDropped);
    EXPECT_EQ(d.table, t);

    // A program that knows only records rewrote one in place: the records are newer and win.
    std::string rewritten = bytes;
    rewritten.replace(rewritten.find("main"), 4, "left");
    const DecodedProject r = decodeProject(rewritten);
    EXPECT_TRUE(!r.fault && r.longTextsDropped);
    EXPECT_EQ(r.table, decodeProject(rewritten.substr(0, 9600)).table);

    // A damaged block is refused, never read as the cut records.
    const std::size_t name1 = 9600 + 14, text1 = name1 + 4, b = bytes.size();
    auto with = [&](std::size_t at, std::string by) {
        return bytes.substr(0, at) + by + bytes.substr(at + by.size());
    };
    const std::string block0 = "the long-text block after the records ";
    MenuTable big = t; // a text longer than any this program writes
    big.slot(3).DefaultImage = std::string(2048, 'd');
    std::string over = encodeProject(big).bytes;
    const std::string most = u32(2048) + std::string(2048, 'd');
    over.replace(over.find(most), most.size(), u32(2049) + std::string(2049, 'd'));
    const std::pair<std::string, std::string> damaged[] = {
        {with(text1 + 11, "?"), block0 + "is damaged: its checksum does not match"},
        {bytes.substr(0, 9605), block0 + "is cut short"},
        {bytes.substr(0, 9616), block0 + "is cut short"}, // in the header's checksum
        {bytes.substr(0, b - 9),
         "slot 100: " + block0 + "is cut short in the field \"Status Text/ALT\""},
        {bytes.substr(0, 9700),
         "slot 1: " + block0 +
             "gives the field \"Status Text/ALT\" 26 bytes, past the end of the file"},
        {bytes + "x", block0 + "has 1 byte after its last field"},
        {with(9608, "\x02"), block0 + "has version 2, and this Lanternix reads version 1 only"},
        {with(name1, u32(5000)),
         "slot 1: " + block0 + "gives the field \"Image\" 5000 bytes, past the end of the file"},
        {resealed(with(text1, "Image9")),
         "slot 1: the records and the long-text block disagree on the name"},
        {resealed(over), "slot 3: " + block0 +
                             "gives the field \"Default image\" 2049 bytes, more than the 2048 a "
                             "text may hold"},
        {resealed(with(text1 + 10, "\xFF")),
         "slot 1: " + block0 + "holds the field \"Default image\" in a form that is not UTF-8"}};
    for (const auto& [file, want] : damaged) {
        const DecodedProject f = decodeProject(file);
        EXPECT_EQ(f.fault ? describeFault(*f.fault) : "", want);
        EXPECT_TRUE(f.table == MenuTable{} && !f.longTextsDropped);
    }
    // Bytes past the records that do not start the block are nobody's: ignored, as ever.
    EXPECT_EQ(decodeProject(bytes.substr(0, 9600) + "LXPEXT\n").table,
              decodeProject(bytes.substr(0, 9600)).table);
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
         "Slot 12 cannot be saved: its name \"Image1\" is not Image12."}};
    for (const auto& [image, error] : cases) {
        MenuTable t;
        t.makeNewRecord(2);
        t.slot(12) = image;
        const EncodedProject e = encodeProject(t);
        EXPECT_EQ(e.error.value_or(""), error);
        EXPECT_EQ(e.bytes.empty(), !error.empty());
    }
}
