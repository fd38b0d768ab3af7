#include "html/HtmlGenerator.h"
#include "html/HtmlEscape.h"
#include "support/Golden.h"
#include "support/TableText.h"
#include "support/Why.h"

using namespace lanternix;
using namespace lanternix::test;

// Whole pages: the empty table's, and one of every kind of button with values to escape, as
// saved and as the code window shows it, in ASCII.
TEST(HtmlGenerator, WholePagesInSlotOrder) {
    EXPECT_TRUE(matchesGolden("pages/empty.htm", generateHtmlPage(MenuTable{}).value()));
    const MenuTable t = tableFromText(readData("pages/buttons.txt"));
    EXPECT_TRUE(matchesGolden("pages/buttons.htm", generateHtmlPage(t).value()));
    EXPECT_TRUE(
        matchesGolden("pages/buttons-ascii.htm", generateHtmlPage(t, PageCharset::Ascii).value()));
}

// The check names the lowest used slot without a default picture (a blank name counts as used,
// an unset picture as empty) and gives no page; slot 100 only a file fills.
TEST(HtmlGenerator, RefusesAnImageWithoutDefaultPicture) {
    MenuTable t = tableFromText(readData("pages/buttons.txt"));
    t.slot(10) = MenuImage{"Image10", "", "over.gif", "", "", ""};
    t.slot(9) = MenuImage{" ", std::nullopt, "", "", "", ""};
    const Result<std::string> refused = generateHtmlPage(t);
    EXPECT_EQ(
        std::pair(refused.failure().kind, why(refused)),
        std::pair(Fault::MissingDefault, std::string("You must enter a Default image for  ")));
    MenuTable last;
    last.slot(100) = MenuImage{"Image100", "", "", "", "", ""};
    EXPECT_EQ(why(generateHtmlPage(last)), "You must enter a Default image for Image100");
}

TEST(HtmlEscape, EachPlaceGetsItsOwnRules) {
    using enum EscapePlace;
    // What the code page lacks: Ω, 日本, an astral character, a malformed byte.
    const std::string beyond = "\xCE\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80 \x80\xFF";
    const std::string refs = "&#937; &#26085;&#26412; &#128512; &#65533;&#65533;";
    const std::string latin = "caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x93"; // café €–
    const std::tuple<EscapePlace, std::string, std::string> cases[] = {
        {Attribute, "a\"b&c'd\\e<f>g\r\n&#39; &1 & &@ &[ &",
         R"(a&quot;b&amp;c'd\e<f>g&#13;&#10;&amp;#39; &1 & &@ &[ &)"},
        {Attribute, "Rock &#39;n&#39; & roll &amp;\r",
         "Rock &amp;#39;n&amp;#39; & roll &amp;amp;&#13;"},
        {Handler, "Joe's \"best\" C:\\x\r\n&<> &#39; &a &z &A &Z &@ &[ &1 &",
         R"(Joe\'s &quot;best&quot; C:\\x\r\n&<> &amp;#39; &amp;a &amp;z &amp;A &amp;Z &@ &[ &1 &)"},
        {Script, "C:\\pics\\b.gif \"q\" </SCRIPT>\r\n'&>&#39;",
         R"(C:\\pics\\b.gif \"q\" \x3C/SCRIPT>\r\n'&>&#39;)"},
        {Comment, "a-->b>\"'<&\\\r\n", R"(a--&gt;b&gt;"'<&\  )"},
        {Handler, "\\'", R"(\\\')"}, // one pass only
        {Attribute, beyond, refs},
        {Handler, beyond, refs},
        {Comment, beyond, refs},
        {Script, beyond, R"(\u03A9 \u65E5\u672C \uD83D\uDE00 \uFFFD\uFFFD)"},
        {Script, "\xEF\xBF\xBF\xF0\x90\x80\x80", R"(\uFFFF\uD800\uDC00)"}};
    // Plain values (spaces, text the code page holds, the other places' characters) are copied.
    const std::string plain = "  http://h/x.cgi?a=1;b=2#top " + latin + "\xc2\x81 ";
    for (const auto& [place, value, want] : cases)
        for (const auto& [in, out] : {std::pair(value, want), std::pair(plain, plain)}) {
            std::string got = "<";
            appendEscaped(got, place, in);
            EXPECT_EQ(got, "<" + out) << in;
        }
    // In ASCII, the code page's own characters too.
    for (const auto& [place, want] : {std::pair(Attribute, "caf&#233; &#8364;&#8211;"),
                                      std::pair(Script, R"(caf\u00E9 \u20AC\u2013)")}) {
        std::string got;
        appendEscaped(got, place, latin, PageCharset::Ascii);
        EXPECT_EQ(got, want);
    }
}
