#include "text/Windows1252.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>

using namespace lanternix;

TEST(Windows1252, EveryByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    bool exact = false;
    EXPECT_EQ(encodeWindows1252(decodeWindows1252(all), &exact), all);
    EXPECT_TRUE(exact);
    // The row where the code page differs from Latin-1, as Windows shows it; the five bytes it
    // leaves undefined keep their number as C1 controls.
    EXPECT_EQ(decodeWindows1252(all.substr(0x80, 32)),
              "€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ");
}

TEST(Windows1252, MarksWhatTheCodePageCannotHold) {
    // Missing (U+0080 is unmapped, œ is there, Ŕ not); stray, cut, overlong, surrogate, too high:
    // one ? for each character or malformed sequence.
    std::string got;
    for (const char* utf8 :
         {"ab\xE4\xB8\xAD", "\xF0\x9F\x98\x80!", "x\xC2\x80", "\xC5\x93\xC5\x94", "\x80", "ok\xC3",
          "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC3\xA9"}) {
        bool exact = true;
        const std::string bytes = encodeWindows1252(utf8, &exact);
        got += bytes + (exact ? ". " : "~ ");
    }
    EXPECT_EQ(got, "ab?~ ?!~ x?~ \x9C?~ ?~ ok?~ ?~ ?~ ?~ \xE9. ");
    EXPECT_EQ(encodeWindows1252("caf\xC3\xA9s", nullptr, 4), "caf\xE9"); // at most 4 bytes
}

TEST(Utf8, TakesTheShortestFormOfEveryCharacterOnly) {
    for (const char* ok : {"\xC2\x80", "\xE0\xA0\x80", "\xED\x9F\xBF", "\xEE\x80\x80",
                           "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF", "a\xEF\xBF\xBD"}) {
        std::string back; // and written back the same
        for (std::size_t i = 0; ok[i];)
            appendUtf8(back, nextUtf8(ok, i));
        EXPECT_EQ(std::pair(isValidUtf8(ok), back), std::pair(true, std::string(ok)));
    }
    for (const char* bad : {"\xC1\xBF", "\xE0\x9F\xBF", "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80",
                            "\xED\xA0\x80", "\xED\xBF\xBF", "\xC2",
                            "\xC2"
                            "A",
                            "\x80", "\xF8\x88\x80\x80\x80", "\xF5\x80\x80\x80"})
        EXPECT_FALSE(isValidUtf8(bad)) << bad;
}
