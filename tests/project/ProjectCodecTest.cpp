#include "project/ProjectCodec.h"

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
    EXPECT_EQ(encodeProject(decodeProject(Full + Empty).table).bytes.substr(0, 96), Full + Empty);
}

TEST(ProjectCodec, RefusesFilesTheLayoutDoesNotAllow) {
    const std::string good = record(txt("Image1") + txt("a.gif") + FourUnset);
    const std::string longName = txt(std::string(89, 'n')); // 93 bytes
    const std::string tag = " not 0 (unset) or 8 (text)", past = " runs past the end of the record";
    const std::pair<std::string, std::string> cases[] = {
        {good + record(txt("Image2") + "\x03"), "slot 2: DefaultImage has the type tag 3," + tag},
        {good + good + record(Unset + "\x08\x01"),
         "slot 3: DefaultImage has the type tag 264," + tag},
        {record(txt("Image1") + "\x08\x00\x5B\x00"s),
         "slot 1: the text of DefaultImage (91 bytes)" + past},
        {record(Full + "\x08\x00\x01"s), "slot 1: the text of HyperLink (1 byte)" + past},
        {record(longName + Unset), "slot 1: OverImage" + past}, // tag or length straddling the end
        {record(longName + "\x08"), "slot 1: DefaultImage" + past},
        {good + record(txt("Image2")) + good,
         "slot 3: its Name \"Image1\" is also the Name of slot 1"},
        // Blank names may repeat: they are free slots. Names compare exactly.
        {record(Empty) + record(Empty) + record(Unset), ""},
        {record(txt("Image1")) + record(txt("image1")) + record(txt("Image1 ")), ""}};
    for (const auto& [bytes, want] : cases) {
        const DecodedProject d = decodeProject(bytes);
        EXPECT_EQ(d.fault ? describeFault(*d.fault) : "", want);
        EXPECT_TRUE(!d.fault || d.table == MenuTable{}); // nothing half-read comes back
    }
}

TEST(ProjectCodec, RefusesRecordsThatCannotBeSaved) {
    auto tooLong = [](const std::string& who, const std::string& by, const std::string& field) {
        return who + " cannot be saved: its texts take " + by +
               " more than the 96 bytes a project record holds. Shorten " + field +
               " or another text of this image.";
    };
    const std::string cannot = ", which a project file cannot hold.";
    const std::string a60 = std::string(59, 'a') + "\xC3\xA9"; // é is one byte in the file
    const std::pair<MenuImage, std::string> cases[] = {
        {{"Image12", a60, "", "", "", "http:"}, ""}, // exactly 96 bytes
        {{"Image12", a60, "", "", "", "http:/"}, tooLong("Image12", "1 byte", "DefaultImage")},
        {{"", {}, std::string(100, 'o'), {}, {}, {}}, tooLong("Slot 12", "20 bytes", "OverImage")},
        {{"Image12", "a.gif", "", "", "Caf\xC3\xA9 \xE4\xB8\xAD", ""},
         "Image12 cannot be saved: its StatusText holds \"\xE4\xB8\xAD\" (U+4E2D)" + cannot},
        {{"Image12", "a.gif", "", "", "bad \xC0\xAF utf-8", ""},
         "Image12 cannot be saved: its StatusText holds a malformed character" + cannot}};
    for (const auto& [image, error] : cases) {
        MenuTable t;
        t.makeNewRecord(2);
        t.slot(12) = image;
        const EncodedProject e = encodeProject(t);
        EXPECT_EQ(e.error.value_or(""), error);
        EXPECT_EQ(e.bytes.size(), error.empty() ? 9600u : 0u);
    }
}
