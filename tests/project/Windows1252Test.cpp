#include "project/Windows1252.h"

#include <gtest/gtest.h>

using namespace lanternix;
using namespace std::string_literals;

TEST(Windows1252, EveryByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = decodeWindows1252(all);
    const Windows1252Result back = encodeWindows1252(utf8);
    ASSERT_FALSE(back.error);
    EXPECT_EQ(back.bytes, all);

    EXPECT_EQ(decodeWindows1252("\x80\x9F\xE9\xFF"), "\u20AC\u0178\u00E9\u00FF");
    EXPECT_EQ(decodeWindows1252("\x8A\x99\x93\x94"), "\u0160\u2122\u201C\u201D");
    // The five bytes the code page leaves undefined keep their number as C1 controls.
    EXPECT_EQ(decodeWindows1252("\x81\x8D\x8F\x90\x9D"),
              "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
    EXPECT_EQ(encodeWindows1252("\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D").bytes,
              "\x81\x8D\x8F\x90\x9D");
    EXPECT_EQ(decodeWindows1252("a\0b"s), "a\0b"s);
    EXPECT_EQ(encodeWindows1252("").bytes, "");
}

TEST(Windows1252, RefusesWhatTheCodePageCannotHold) {
    auto refused = [](const std::string& utf8) {
        const Windows1252Result r = encodeWindows1252(utf8);
        EXPECT_TRUE(r.bytes.empty());
        return r.error ? describeCharacter(r.error->character) + " at " +
                             std::to_string(r.error->utf8Offset)
                       : std::string("accepted");
    };
    EXPECT_EQ(refused("ab\xE4\xB8\xAD"), "U+4E2D at 2");
    EXPECT_EQ(refused("\xF0\x9F\x98\x80!"), "U+1F600 at 0");
    EXPECT_EQ(refused("x\xC2\x80"), "U+0080 at 1"); // a C1 control the code page does not map
    EXPECT_EQ(refused("\xC5\x93\xC5\x94"), "U+0154 at 2"); // œ is there, Ŕ is not
    // Malformed UTF-8 never slips through as some other character.
    EXPECT_EQ(refused("\x80"), "U+FFFD at 0");
    EXPECT_EQ(refused("ok\xC3"), "U+FFFD at 2");
    EXPECT_EQ(refused("\xC0\xAF"), "U+FFFD at 0");     // overlong '/'
    EXPECT_EQ(refused("\xE0\x80\xC1"), "U+FFFD at 0"); // overlong and cut short
    EXPECT_EQ(refused("\xED\xA0\x80"), "U+FFFD at 0"); // surrogate
    EXPECT_EQ(refused("\xF5\x80\x80\x80"), "U+FFFD at 0");
    EXPECT_EQ(refused("\xF4\x90\x80\x80"), "U+FFFD at 0"); // past U+10FFFF
}
