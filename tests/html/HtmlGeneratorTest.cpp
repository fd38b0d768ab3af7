#include "html/HtmlGenerator.h"
#include "html/HtmlEscape.h"
#include "model/Module1.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace lanternix;

namespace {

using Lines = std::vector<std::string>;

std::string joinCrLf(const Lines& lines) {
    std::string s;
    for (const auto& l : lines)
        s += l + "\r\n";
    return s;
}

Lines splitCrLf(const std::string& s) {
    Lines out;
    std::size_t start = 0;
    for (std::size_t pos; (pos = s.find("\r\n", start)) != std::string::npos; start = pos + 2)
        out.push_back(s.substr(start, pos - start));
    EXPECT_EQ(start, s.size()) << "text after the last CR LF";
    return out;
}

// The fixed parts, written out line by line as the page must hold them.
const Lines head = {
    "<HTML><HEAD>",
    R"(<meta http-equiv="Content-Type" content="text/html; charset=iso-8859-1">)",
    R"(<meta name="Author" content="Vardokin">)",
    R"(<meta name="GENERATOR" content="Lanternix v2.0 [ENG]">)",
    "<TITLE>",
    "  Menu Bar",
    "</TITLE>",
    "<!-- Created with Lanternix v2.0 by Vardokin -->",
    "",
    R"(<SCRIPT LANGUAGE="JavaScript" TYPE="text/javascript">)",
    "",
    "<!--",
    "",
    "browserName=navigator.appName;",
    "browserVer=parseInt(navigator.appVersion);",
    "",
    R"(  if ((browserName == "Netscape" && browserVer >=3 ) || (browserName == "Microsoft Internet Explorer" && browserVer >= 4)))",
    R"(  version="n3";)",
    "  else",
    R"(    version="n2";)",
    "",
    R"(  if (version=="n3"))",
    "   {",
};

const Lines tail = {
    "   }",
    "",
    "function lightup(imgName)",
    " {",
    R"(   if (version=="n3"))",
    "    {",
    R"(      imgOn=eval(imgName + "on.src");)",
    "      document[imgName].src= imgOn;",
    "    }",
    " }",
    "",
    "function turnoff(imgName)",
    " {",
    R"(   if (version=="n3"))",
    "    {",
    R"(      imgOff=eval(imgName + "off.src");)",
    "      document[imgName].src= imgOff;",
    "    }",
    " }",
    "",
    "// -->",
    "",
    "</SCRIPT>",
    "",
    "</HEAD>",
    "",
    R"(<BODY BGCOLOR="#000000" TEXT=white LINK="#6699FF" VLINK="#666699">)",
    "<CENTER>",
};

const Lines end = {"</CENTER>", "</BODY>", "</HTML>"};

Lines concat(std::initializer_list<Lines> parts) {
    Lines out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

MenuImage image(int slot, std::string def, std::string over, std::string target, std::string status,
                std::string link) {
    return MenuImage{imageKey(slot), def, over, target, status, link};
}

} // namespace

TEST(HtmlGenerator, FixedPartsHaveTheirCountedLengths) {
    // Lengths of the lines whose blanks and quotes are easy to miscount.
    ASSERT_EQ(head.size(), 23u);
    ASSERT_EQ(tail.size(), 28u);
    EXPECT_EQ(head[5].size(), 10u);
    EXPECT_EQ(head[16].size(), 122u);
    EXPECT_EQ(head[17].size(), 15u);
    EXPECT_EQ(head[18].size(), 6u);
    EXPECT_EQ(head[19].size(), 17u);
    EXPECT_EQ(head[21].size(), 20u);
    EXPECT_EQ(head[22].size(), 4u);
    EXPECT_EQ(tail[0].size(), 4u);
    EXPECT_EQ(tail[4].size(), 21u);
    EXPECT_EQ(tail[6].size(), 37u);
    EXPECT_EQ(tail[7].size(), 35u);
    EXPECT_EQ(tail[15].size(), 39u);
    EXPECT_EQ(tail[16].size(), 36u);
}

TEST(HtmlGenerator, EmptyTableGivesThe54LinePage) {
    MenuTable t; // every field unset
    const HtmlPage page = generateHtmlPage(t);
    ASSERT_TRUE(page.ok());
    EXPECT_EQ(page.text, joinCrLf(concat({head, tail, end})));
    EXPECT_EQ(splitCrLf(page.text).size(), 54u);

    // A free slot with only a mouse-over picture adds nothing: no block and no preload.
    t.slot(4) = MenuImage{"", "", "over.gif", "", "x", "y"};
    EXPECT_EQ(generateHtmlPage(t).text, joinCrLf(concat({head, tail, end})));
}

TEST(HtmlGenerator, FourCasesInSlotOrder) {
    MenuTable t;
    // Filled against slot order, as a user adding and removing images would leave them.
    t.slot(12) = image(12, "d.gif", "", "main", "Plain", "");
    t.slot(8) = image(8, "c.gif", "", "", "Linked", "http://example.org/c");
    t.slot(5) = image(5, "b.gif", "b2.gif", "main", "Over", "");
    t.slot(3) = image(3, "a.gif", "a2.gif", "right", "Both", "a.htm");
    t.slot(2) = MenuImage{"", "", "", "", "", ""}; // removed image: free, skipped

    const Lines preloads = {
        "     Image3on= new Image(149,48);",
        R"(     Image3on.src="a2.gif";)",
        "     Image3off= new Image(149,48);",
        R"(     Image3off.src="a.gif";)",
        "",
        "     Image5on= new Image(149,48);",
        R"(     Image5on.src="b2.gif";)",
        "     Image5off= new Image(149,48);",
        R"(     Image5off.src="b.gif";)",
        "",
    };
    const Lines blocks = {
        "<!-- Image3 Starts here -->",
        R"(<A HREF="a.htm" TARGET="right")",
        R"(  onMouseOver="window.status='Both'; lightup('Image3'); return true;"   OnMouseOut="window.status='';turnoff('Image3');return true">)",
        R"(  <IMG src="a.gif" NAME="Image3" ALT="Both" BORDER=0></A><BR>)",
        "<!-- Image3 Ends here -->",
        "",
        "<!-- Image5 Starts here -->",
        R"(  <IMG src="b.gif" NAME="Image5" ALT="Over" BORDER=0 onMouseOver="window.status='Over'; lightup('Image5'); return true;" OnMouseOut="window.status='';turnoff('Image5');return true"><BR>)",
        "<!-- Image5 Ends here -->",
        "",
        "<!-- Image8 Starts here -->",
        R"(<A HREF="http://example.org/c" TARGET="">)",
        R"(  <IMG src="c.gif" ALT="Linked" BORDER=0></A><BR>)",
        "<!-- Image8 Ends here -->",
        "",
        "<!-- Image12 Starts here -->",
        R"(  <IMG src="d.gif" ALT="Plain" BORDER=0 onMouseOver="window.status='Plain'" OnMouseOut="window.status=''"><BR>)",
        "<!-- Image12 Ends here -->",
        "",
    };
    const HtmlPage page = generateHtmlPage(t);
    ASSERT_TRUE(page.ok());
    EXPECT_EQ(page.text, joinCrLf(concat({head, preloads, tail, blocks, end})));
    EXPECT_TRUE(page.text.ends_with("</HTML>\r\n"));
    // The page ends exactly with CR LF after every line; no bare CR or LF anywhere.
    EXPECT_EQ(splitCrLf(page.text).size(), 23u + 10u + 28u + 19u + 3u);
}

TEST(HtmlGenerator, RecordWithoutNameAndBlankPicture) {
    MenuTable t;
    t.slot(6) = MenuImage{"", "x.gif", "", "", "", ""};
    t.slot(7) =
        MenuImage{std::nullopt, " ", std::nullopt, std::nullopt, std::nullopt, std::nullopt};
    const Lines blocks = {
        "<!--  Starts here -->",
        R"(  <IMG src="x.gif" ALT="" BORDER=0 onMouseOver="window.status=''" OnMouseOut="window.status=''"><BR>)",
        "<!--  Ends here -->",
        "",
        "<!--  Starts here -->",
        R"(  <IMG src=" " ALT="" BORDER=0 onMouseOver="window.status=''" OnMouseOut="window.status=''"><BR>)",
        "<!--  Ends here -->",
        "",
    };
    const HtmlPage page = generateHtmlPage(t);
    ASSERT_TRUE(page.ok());
    EXPECT_EQ(page.text, joinCrLf(concat({head, tail, blocks, end})));
}

TEST(HtmlGenerator, CheckNamesTheLowestSlotWithoutDefaultPicture) {
    MenuTable t;
    t.slot(1) = image(1, "a.gif", "", "", "", "");
    t.slot(5) = image(5, "", "over.gif", "", "", "");
    t.slot(2) = image(2, "", "", "", "", "");
    t.slot(9) = MenuImage{"", "", "", "", "", ""}; // free slots are not checked
    HtmlPage page = generateHtmlPage(t);
    EXPECT_FALSE(page.ok());
    EXPECT_EQ(page.missingDefaultFor, "Image2");
    EXPECT_EQ(page.text, "");
    EXPECT_EQ(missingDefaultMessage("Image2"), "You must enter a Default image for Image2");

    // A name of one blank counts as used; an unset picture counts as empty.
    MenuTable u;
    u.slot(40).Name = " ";
    EXPECT_EQ(generateHtmlPage(u).missingDefaultFor, " ");
}

TEST(HtmlEscape, EachPlaceGetsItsOwnRules) {
    auto esc = [](EscapePlace place, std::string_view v) {
        std::string out = "[";
        appendEscaped(out, place, v);
        EXPECT_EQ(out.size(), 1 + escapedSize(place, v));
        return out;
    };
    using enum EscapePlace;
    EXPECT_EQ(esc(Attribute, R"(a"b&c'd\e<f>g)"), R"([a&quot;b&c'd\e<f>g)");
    EXPECT_EQ(esc(Handler, "Joe's \"best\" C:\\x\r\n&<>"),
              R"([Joe\'s &quot;best&quot; C:\\x\r\n&<>)");
    EXPECT_EQ(esc(Script, "C:\\pics\\b.gif \"q\" </SCRIPT>\r\n'&>"),
              R"([C:\\pics\\b.gif \"q\" \x3C/SCRIPT>\r\n'&>)");
    EXPECT_EQ(esc(Comment, "a-->b>\"'<&\\"), R"([a--&gt;b&gt;"'<&\)");

    // Plain values, spaces, non-ASCII text and the characters of the other places are copied
    // byte for byte.
    const std::string plain = "  http://h/x.cgi?a=1&b=2#top \xc3\xa9\xe2\x82\xac ";
    EXPECT_FALSE(needsEscaping(plain));
    for (auto place : {Attribute, Handler, Script, Comment})
        EXPECT_EQ(esc(place, plain), "[" + plain);
    // A single pass: an escape is never escaped again.
    EXPECT_EQ(esc(Handler, "\\'"), R"([\\\')");

    // The quick check finds each special byte at every position of an 8-byte word and in the
    // tail.
    for (char c : std::string_view("\n\r\"'<>\\")) {
        for (std::size_t at = 0; at < 19; ++at) {
            std::string v(19, 'x');
            v[at] = c;
            EXPECT_TRUE(needsEscaping(v)) << int(c) << " at " << at;
        }
    }
    EXPECT_FALSE(needsEscaping(std::string(19, 'x') + "&;:/=?#\t\x7f\x80\xff"));
}

TEST(HtmlGenerator, ValuesAreEscapedWhereTheyLand) {
    MenuTable t;
    t.slot(1) = image(1, R"(C:\pics\b "1".gif)", R"(C:\pics\b2.gif)", R"(f"1)", R"(Joe's "links")",
                      R"(a.cgi?x=1&y="2")");
    t.slot(2) = image(2, "d.gif", "", "", "it's", "");
    t.slot(2).Name = "Ima>ge'2"; // only a project file could hold such a name
    const Lines page = splitCrLf(generateHtmlPage(t).text);
    const Lines expected = concat({
        head,
        {
            "     Image1on= new Image(149,48);",
            R"(     Image1on.src="C:\\pics\\b2.gif";)",
            "     Image1off= new Image(149,48);",
            R"(     Image1off.src="C:\\pics\\b \"1\".gif";)",
            "",
        },
        tail,
        {
            "<!-- Image1 Starts here -->",
            R"(<A HREF="a.cgi?x=1&y=&quot;2&quot;" TARGET="f&quot;1")",
            R"(  onMouseOver="window.status='Joe\'s &quot;links&quot;'; lightup('Image1'); return true;"   OnMouseOut="window.status='';turnoff('Image1');return true">)",
            R"(  <IMG src="C:\pics\b &quot;1&quot;.gif" NAME="Image1" ALT="Joe's &quot;links&quot;" BORDER=0></A><BR>)",
            "<!-- Image1 Ends here -->",
            "",
            "<!-- Ima&gt;ge'2 Starts here -->",
            R"(  <IMG src="d.gif" ALT="it's" BORDER=0 onMouseOver="window.status='it\'s'" OnMouseOut="window.status=''"><BR>)",
            "<!-- Ima&gt;ge'2 Ends here -->",
            "",
        },
        end,
    });
    EXPECT_EQ(page, expected);
}
