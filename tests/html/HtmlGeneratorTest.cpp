#include "html/HtmlGenerator.h"
#include "html/HtmlEscape.h"
#include "model/Module1.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

using namespace lanternix;

namespace {

// Every line of the page ends in CR LF; the expectations are written with LF only.
std::string crlf(std::string s) {
    for (auto i = s.find('\n'); i != s.npos; i = s.find('\n', i + 2))
        s.insert(i, 1, '\r');
    return s;
}

const std::string head = crlf(R"(<HTML><HEAD>
<meta http-equiv="Content-Type" content="text/html; charset=iso-8859-1">
<meta name="Author" content="Vardokin">
<meta name="GENERATOR" content="Lanternix v2.0 [ENG]">
<TITLE>
  Menu Bar
</TITLE>
<!-- Created with Lanternix v2.0 by Vardokin -->

<SCRIPT LANGUAGE="JavaScript" TYPE="text/javascript">

<!--

browserName=navigator.appName;
browserVer=parseInt(navigator.appVersion);

  if ((browserName == "Netscape" && browserVer >=3 ) || (browserName == "Microsoft Internet Explorer" && browserVer >= 4))
  version="n3";
  else
    version="n2";

  if (version=="n3")
   {
)");

const std::string tail = crlf(R"(   }

function lightup(imgName)
 {
   if (version=="n3")
    {
      imgOn=eval(imgName + "on.src");
      document[imgName].src= imgOn;
    }
 }

function turnoff(imgName)
 {
   if (version=="n3")
    {
      imgOff=eval(imgName + "off.src");
      document[imgName].src= imgOff;
    }
 }

// -->

</SCRIPT>

</HEAD>

<BODY BGCOLOR="#000000" TEXT=white LINK="#6699FF" VLINK="#666699">
<CENTER>
)");

const std::string end = "</CENTER>\r\n</BODY>\r\n</HTML>\r\n";

} // namespace

// The four kinds of button, one unnamed with a blank picture, values to escape (and what the
// code page lacks) at every place; out of slot order.
TEST(HtmlGenerator, WholePageInSlotOrderAndTheCheck) {
    MenuTable t;
    EXPECT_EQ(generateHtmlPage(t).text, head + tail + end);
    t.slot(4) = MenuImage{"", "", "over.gif", "", "x", "y"}; // a free slot: not on the page
    t.slot(12) = MenuImage{"Ima>ge12", "d.gif", "", "main", "it's", ""}; // a name only a file holds
    t.slot(8) =
        MenuImage{std::nullopt, " ", std::nullopt, std::nullopt, "Linked", "http://e.org/c"};
    t.slot(5) = MenuImage{"Image5", "b.gif", "b2.gif", "main", "Over", ""};
    t.slot(1) = MenuImage{
        "Image1",   "C:\\pics\\b \"1\"\xE6\x97\xA5.gif", "C:\\pics\\b2\xF0\x9F\x98\x80.gif",
        "f\"1\r\n", "Joe's \"links\" &#39; \xCE\xA9",    "a.cgi?x=1&y=\"2\"&b=\xCE\xA9"};
    const std::string preloads = crlf(R"(     Image1on= new Image(149,48);
     Image1on.src="C:\\pics\\b2\uD83D\uDE00.gif";
     Image1off= new Image(149,48);
     Image1off.src="C:\\pics\\b \"1\"\u65E5.gif";

     Image5on= new Image(149,48);
     Image5on.src="b2.gif";
     Image5off= new Image(149,48);
     Image5off.src="b.gif";

)");
    const std::string blocks = crlf(R"(<!-- Image1 Starts here -->
<A HREF="a.cgi?x=1&y=&quot;2&quot;&b=&#937;" TARGET="f&quot;1&#13;&#10;"
  onMouseOver="window.status='Joe\'s &quot;links&quot; &amp;#39; &#937;'; lightup('Image1'); return true;"   OnMouseOut="window.status='';turnoff('Image1');return true">
  <IMG src="C:\pics\b &quot;1&quot;&#26085;.gif" NAME="Image1" ALT="Joe's &quot;links&quot; &amp;#39; &#937;" BORDER=0></A><BR>
<!-- Image1 Ends here -->

<!-- Image5 Starts here -->
  <IMG src="b.gif" NAME="Image5" ALT="Over" BORDER=0 onMouseOver="window.status='Over'; lightup('Image5'); return true;" OnMouseOut="window.status='';turnoff('Image5');return true"><BR>
<!-- Image5 Ends here -->

<!--  Starts here -->
<A HREF="http://e.org/c" TARGET="">
  <IMG src=" " ALT="Linked" BORDER=0></A><BR>
<!--  Ends here -->

<!-- Ima&gt;ge12 Starts here -->
  <IMG src="d.gif" ALT="it's" BORDER=0 onMouseOver="window.status='it\'s'" OnMouseOut="window.status=''"><BR>
<!-- Ima&gt;ge12 Ends here -->

)");
    EXPECT_EQ(generateHtmlPage(t).text, head + preloads + tail + blocks + end);
    // The check names the lowest used slot without a default picture (a blank name counts as
    // used, an unset picture as empty) and gives no page.
    t.slot(10) = MenuImage{"Image10", "", "over.gif", "", "", ""};
    t.slot(9) = MenuImage{" ", std::nullopt, "", "", "", ""};
    const HtmlPage refused = generateHtmlPage(t);
    EXPECT_EQ(std::pair(refused.missingDefaultFor, refused.text),
              std::pair(std::optional<std::string>(" "), std::string()));
    MenuTable last; // slot 100, which only a file fills
    last.slot(100) = MenuImage{"Image100", "", "", "", "", ""};
    EXPECT_EQ(firstMissingDefault(last), "Image100");
}

TEST(HtmlEscape, EachPlaceGetsItsOwnRules) {
    using enum EscapePlace;
    // What the code page lacks: Ω, 日本, an astral character, a malformed byte.
    const std::string beyond = "\xCE\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80 \x80\xFF";
    const std::string refs = "&#937; &#26085;&#26412; &#128512; &#65533;&#65533;";
    const std::tuple<EscapePlace, std::string, std::string> cases[] = {
        {Attribute, "a\"b&c'd\\e<f>g\r\n&#39;", R"(a&quot;b&c'd\e<f>g&#13;&#10;&#39;)"},
        {AltText, "Rock &#39;n&#39; & roll &amp;\r",
         "Rock &amp;#39;n&amp;#39; & roll &amp;amp;&#13;"},
        {Handler, "Joe's \"best\" C:\\x\r\n&<> &#39; &a &z &A &Z &@ &[ &1 &",
         R"(Joe\'s &quot;best&quot; C:\\x\r\n&<> &amp;#39; &amp;a &amp;z &amp;A &amp;Z &@ &[ &1 &)"},
        {Script, "C:\\pics\\b.gif \"q\" </SCRIPT>\r\n'&>&#39;",
         R"(C:\\pics\\b.gif \"q\" \x3C/SCRIPT>\r\n'&>&#39;)"},
        {Comment, "a-->b>\"'<&\\\r\n", R"(a--&gt;b&gt;"'<&\  )"},
        {Handler, "\\'", R"(\\\')"}, // one pass only
        {AltText, "&b", "&amp;b"},
        {Attribute, beyond, refs},
        {AltText, beyond, refs},
        {Handler, beyond, refs},
        {Comment, beyond, refs},
        {Script, beyond, R"(\u03A9 \u65E5\u672C \uD83D\uDE00 \uFFFD\uFFFD)"},
        {Script, "\xEF\xBF\xBF\xF0\x90\x80\x80", R"(\uFFFF\uD800\uDC00)"}};
    // Plain values (spaces, text the code page holds, the other places' characters) are copied.
    const std::string plain = "  http://h/x.cgi?a=1;b=2#top \xc3\xa9\xe2\x82\xac\xc2\x81 ";
    for (const auto& [place, value, want] : cases)
        for (const auto& [in, out] : {std::pair(value, want), std::pair(plain, plain)}) {
            std::string got;
            appendEscaped(got, place, in);
            EXPECT_EQ(std::pair(got, escapedSize(place, in)), std::pair(out, out.size())) << in;
        }
    // The quick check finds each byte that may need a change anywhere in a short value (a byte
    // at a time), a word and the tail.
    for (char c : std::string("\n\r\"'<>\\&\x80\xff"))
        for (std::size_t n = 1; n <= 19; ++n)
            for (std::size_t at = 0; at < n; ++at) {
                std::string v(n, 'x');
                v[at] = c;
                EXPECT_TRUE(needsEscaping(v)) << int(c) << " in " << n << " at " << at;
            }
    EXPECT_FALSE(needsEscaping(std::string_view(";:/=?#\t<", 7))); // what follows is no part
    EXPECT_FALSE(needsEscaping(std::string(19, 'x') + ";:/=?#\t\x7f"));
}
