#include "project/ProjectCodec.h"

#include <gtest/gtest.h>

using namespace lanternix;
using namespace std::string_literals;

namespace {

std::string hex(std::string_view bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        if (!out.empty())
            out += ' ';
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::string slotBytes(const std::string& file, int n) {
    return file.substr(static_cast<std::size_t>(n - 1) * ProjectSlotSize, ProjectSlotSize);
}

// A record of the given bytes followed by zero filler.
std::string record(const std::string& head) {
    std::string r = head;
    r.resize(ProjectSlotSize, '\0');
    return r;
}

std::string textField(const std::string& bytes) {
    std::string f = {'\x08', '\x00', static_cast<char>(bytes.size() & 0xFF),
                     static_cast<char>(bytes.size() >> 8)};
    return f + bytes;
}

const std::string Unset(2, '\0');

} // namespace

TEST(ProjectCodec, WritesTheDocumentedLayout) {
    MenuTable t;
    const EncodedProject untouched = encodeProject(t);
    ASSERT_FALSE(untouched.error);
    EXPECT_EQ(untouched.bytes, std::string(9600, '\0')); // six unset fields everywhere

    t.makeNewRecord(1);
    t.slot(1).DefaultImage = "b.gif";
    t.makeNewRecord(2);
    t.clearRecord(2); // removed in the editor
    const EncodedProject e = encodeProject(t);
    ASSERT_FALSE(e.error);
    ASSERT_EQ(e.bytes.size(), 9600u);
    EXPECT_EQ(hex(slotBytes(e.bytes, 1).substr(0, 35)),
              "08 00 06 00 49 6D 61 67 65 31 "
              "08 00 05 00 62 2E 67 69 66 "
              "08 00 00 00 08 00 00 00 08 00 00 00 08 00 00 00");
    EXPECT_EQ(slotBytes(e.bytes, 1).substr(35), std::string(61, '\0'));
    EXPECT_EQ(hex(slotBytes(e.bytes, 2).substr(0, 24)),
              "08 00 00 00 08 00 00 00 08 00 00 00 08 00 00 00 08 00 00 00 08 00 00 00");
    EXPECT_EQ(slotBytes(e.bytes, 2).substr(24), std::string(72, '\0'));
    EXPECT_EQ(e.bytes.substr(192), std::string(9600 - 192, '\0'));
}

TEST(ProjectCodec, RoundTripKeepsUnsetApartFromEmptyText) {
    MenuTable t;
    t.makeNewRecord(1);
    t.slot(1).DefaultImage = "caf\xC3\xA9.gif";               // é
    t.slot(1).StatusText = "\xE2\x82\xAC 5 \xC2\x81\xC2\x9D"; // € and two undefined bytes
    t.slot(3).Name = "Image3";                                // others stay unset
    t.slot(3).HyperLink = "";
    t.slot(7).Target = ""; // free slot holding a text
    t.slot(100) = MenuImage{"Image100", "x", std::nullopt, "", "  ", "y"};
    const EncodedProject e = encodeProject(t);
    ASSERT_FALSE(e.error) << *e.error;
    EXPECT_EQ(hex(slotBytes(e.bytes, 1).substr(10, 13)), "08 00 08 00 63 61 66 E9 2E 67 69 66 08");
    EXPECT_EQ(hex(slotBytes(e.bytes, 3).substr(10, 14)),
              "00 00 00 00 00 00 00 00 08 00 00 00 00 00");

    const DecodedProject d = decodeProject(e.bytes);
    ASSERT_FALSE(d.fault);
    EXPECT_EQ(d.table, t);
    EXPECT_FALSE(d.table.slot(3).DefaultImage.has_value());
    EXPECT_TRUE(d.table.slot(3).HyperLink.has_value());
    EXPECT_EQ(encodeProject(d.table).bytes, e.bytes); // saving again writes the same
}

TEST(ProjectCodec, ReadsShortLongAndFilledFiles) {
    EXPECT_EQ(decodeProject("").table, MenuTable{});

    // Slot 1 whole with junk filler, slot 2 cut after its Name's tag and length.
    std::string bytes = textField("Image1") + textField("a") + Unset + Unset + Unset + Unset;
    bytes += std::string(ProjectSlotSize - bytes.size(), '\x5A');
    bytes += "\x08\x00\x00"s;
    DecodedProject d = decodeProject(bytes);
    ASSERT_FALSE(d.fault) << describeFault(*d.fault);
    EXPECT_EQ(d.table.slot(1), (MenuImage{"Image1", "a", {}, {}, {}, {}}));
    EXPECT_EQ(d.table.slot(2), (MenuImage{"", {}, {}, {}, {}, {}}));
    EXPECT_EQ(d.table.slot(3), MenuImage{});

    // Anything past the hundredth record is ignored.
    std::string full = encodeProject(d.table).bytes + "\x07\x00 trailing"s;
    EXPECT_EQ(decodeProject(full).table, d.table);

    // Six fields that fill the record exactly are fine.
    std::string exact = record(textField("Image1") + textField(std::string(66, 'p')) +
                               textField("") + textField("") + textField("") + textField(""));
    d = decodeProject(exact);
    ASSERT_FALSE(d.fault);
    EXPECT_EQ(d.table.slot(1).DefaultImage->size(), 66u);
    EXPECT_EQ(encodeProject(d.table).bytes.substr(0, 96), exact);
}

TEST(ProjectCodec, RefusesFilesTheLayoutDoesNotAllow) {
    auto faultOf = [](const std::string& bytes) {
        const DecodedProject d = decodeProject(bytes);
        if (!d.fault)
            return std::string("no fault");
        EXPECT_EQ(d.table, MenuTable{}); // nothing half-read comes back
        return describeFault(*d.fault);
    };
    const std::string good =
        record(textField("Image1") + textField("a.gif") + Unset + Unset + Unset + Unset);

    EXPECT_EQ(faultOf(good + record(textField("Image2") + "\x03\x00")),
              "slot 2: DefaultImage has the type tag 3, not 0 (unset) or 8 (text)");
    EXPECT_EQ(faultOf(good + good + record(Unset + "\x08\x01")),
              "slot 3: DefaultImage has the type tag 264, not 0 (unset) or 8 (text)");
    EXPECT_EQ(faultOf(record(textField("Image1") + "\x08\x00\x5B\x00"s)),
              "slot 1: the text of DefaultImage (91 bytes) runs past the end of the record");
    // A text ending one byte past the record.
    EXPECT_EQ(faultOf(record(textField("Image1") + textField(std::string(66, 'p')) + textField("") +
                             textField("") + textField("") + "\x08\x00\x01"s)),
              "slot 1: the text of HyperLink (1 byte) runs past the end of the record");
    // Tags and lengths that would straddle the end of the record.
    EXPECT_EQ(faultOf(record(textField(std::string(89, 'n')) + Unset)),
              "slot 1: OverImage runs past the end of the record");
    EXPECT_EQ(faultOf(record(textField(std::string(89, 'n')) + "\x08")),
              "slot 1: DefaultImage runs past the end of the record");

    std::string dup = good + record(textField("Image2")) + good;
    EXPECT_EQ(faultOf(dup), "slot 3: its Name \"Image1\" is also the Name of slot 1");
    // Blank names may repeat: they are free slots.
    EXPECT_EQ(faultOf(record(textField("")) + record(textField("")) + record(Unset)), "no fault");
    // Names compare exactly.
    EXPECT_EQ(faultOf(record(textField("Image1")) + record(textField("image1")) +
                      record(textField("Image1 "))),
              "no fault");
}

TEST(ProjectCodec, RefusesRecordsThatCannotBeSaved) {
    MenuTable t;
    t.makeNewRecord(1);
    t.slot(1).DefaultImage = std::string(66, 'a'); // 6 + 66 + 24: exactly 96
    EXPECT_FALSE(encodeProject(t).error);

    t.makeNewRecord(12);
    t.slot(12).DefaultImage = std::string(60, 'a');
    t.slot(12).HyperLink = "http://x"; // 7 + 60 + 8 + 24 = 99
    EncodedProject e = encodeProject(t);
    EXPECT_TRUE(e.bytes.empty());
    EXPECT_EQ(e.error, "Image12 cannot be saved: its texts take 3 bytes more than the 96 bytes a "
                       "project record holds. Shorten DefaultImage or another text of this image.");

    t.slot(12).HyperLink = "http:/"; // one byte over; the é counts as one byte in the file
    t.slot(12).DefaultImage = std::string(59, 'a') + "\xC3\xA9";
    e = encodeProject(t);
    EXPECT_EQ(e.error, "Image12 cannot be saved: its texts take 1 byte more than the 96 bytes a "
                       "project record holds. Shorten DefaultImage or another text of this image.");
    t.slot(12).HyperLink = "http:";
    EXPECT_FALSE(encodeProject(t).error);

    t.slot(5).Name = "";
    t.slot(5).OverImage = std::string(100, 'o');
    EXPECT_EQ(encodeProject(t).error, "Slot 5 cannot be saved: its texts take 20 bytes more than "
                                      "the 96 bytes a project record holds. Shorten OverImage or "
                                      "another text of this image.");
    t.clearRecord(5);

    t.slot(3) = MenuImage{"Image3", "a.gif", "", "", "Caf\xC3\xA9 \xE4\xB8\xAD", ""};
    e = encodeProject(t);
    EXPECT_TRUE(e.bytes.empty());
    EXPECT_EQ(e.error, "Image3 cannot be saved: its StatusText holds \"\xE4\xB8\xAD\" (U+4E2D), "
                       "which a project file cannot hold.");
    t.slot(3).StatusText = "bad \xC0\xAF utf-8";
    EXPECT_EQ(encodeProject(t).error, "Image3 cannot be saved: its StatusText holds a malformed "
                                      "character, which a project file cannot hold.");
}
