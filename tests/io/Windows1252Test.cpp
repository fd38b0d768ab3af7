#include "io/Windows1252.h"

#include <gtest/gtest.h>

using namespace lanternix;

TEST(Windows1252, EveryByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(encodeWindows1252(decodeWindows1252(all)).bytes, all);
    EXPECT_EQ(decodeWindows1252("\x80\x9F\xE9\xFF\x8A\x99\x93\x94"),
              "\u20AC\u0178\u00E9\u00FF\u0160\u2122\u201C\u201D");
    // The five bytes the code page leaves undefined keep their number as C1 controls.
    EXPECT_EQ(decodeWindows1252("\x81\x8D\x8F\x90\x9D"),
              "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
}

TEST(Windows1252, RefusesWhatTheCodePageCannotHold) {
    // Missing (U+0080 is unmapped, œ is there, Ŕ not); stray, cut, overlong, surrogate, too high.
    std::string refused;
    for (const char* utf8 : {"ab\xE4\xB8\xAD", "\xF0\x9F\x98\x80!", "x\xC2\x80", "\xC5\x93\xC5\x94",
                             "\x80", "ok\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"}) {
        const Windows1252Result r = encodeWindows1252(utf8);
        refused += r.bytes + (r.error ? describeCharacter(r.error->character) + "@" +
                                            std::to_string(r.error->utf8Offset) + " "
                                      : "accepted ");
    }
    EXPECT_EQ(refused,
              "U+4E2D@2 U+1F600@0 U+0080@1 U+0154@2 U+FFFD@0 U+FFFD@2 U+FFFD@0 U+FFFD@0 U+FFFD@0 ");
}
