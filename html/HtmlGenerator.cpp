#include "html/HtmlGenerator.h"

#include "html/HtmlEscape.h"
#include "model/MenuTable.h"

#include <cstring>
#include <string_view>
#include <vector>

namespace lanternix {

namespace {

using namespace std::string_view_literals;

constexpr std::string_view Head = "<HTML><HEAD>\r\n"
                                  "<meta http-equiv=\"Content-Type\" content=\"text/html; "
                                  "charset=iso-8859-1\">\r\n"
                                  "<meta name=\"Author\" content=\"Vardokin\">\r\n"
                                  "<meta name=\"GENERATOR\" content=\"Lanternix v2.0 [ENG]\">\r\n"
                                  "<TITLE>\r\n"
                                  "  Menu Bar\r\n"
                                  "</TITLE>\r\n"
                                  "<!-- Created with Lanternix v2.0 by Vardokin -->\r\n"
                                  "\r\n"
                                  "<SCRIPT LANGUAGE=\"JavaScript\" TYPE=\"text/javascript\">\r\n"
                                  "\r\n"
                                  "<!--\r\n"
                                  "\r\n"
                                  "browserName=navigator.appName;\r\n"
                                  "browserVer=parseInt(navigator.appVersion);\r\n"
                                  "\r\n"
                                  "  if ((browserName == \"Netscape\" && browserVer >=3 ) || "
                                  "(browserName == \"Microsoft Internet Explorer\" && browserVer "
                                  ">= 4))\r\n"
                                  "  version=\"n3\";\r\n"
                                  "  else\r\n"
                                  "    version=\"n2\";\r\n"
                                  "\r\n"
                                  "  if (version==\"n3\")\r\n"
                                  "   {\r\n";

constexpr std::string_view ScriptTail = "   }\r\n"
                                        "\r\n"
                                        "function lightup(imgName)\r\n"
                                        " {\r\n"
                                        "   if (version==\"n3\")\r\n"
                                        "    {\r\n"
                                        "      imgOn=eval(imgName + \"on.src\");\r\n"
                                        "      document[imgName].src= imgOn;\r\n"
                                        "    }\r\n"
                                        " }\r\n"
                                        "\r\n"
                                        "function turnoff(imgName)\r\n"
                                        " {\r\n"
                                        "   if (version==\"n3\")\r\n"
                                        "    {\r\n"
                                        "      imgOff=eval(imgName + \"off.src\");\r\n"
                                        "      document[imgName].src= imgOff;\r\n"
                                        "    }\r\n"
                                        " }\r\n"
                                        "\r\n"
                                        "// -->\r\n"
                                        "\r\n"
                                        "</SCRIPT>\r\n"
                                        "\r\n"
                                        "</HEAD>\r\n"
                                        "\r\n"
                                        "<BODY BGCOLOR=\"#000000\" TEXT=white LINK=\"#6699FF\" "
                                        "VLINK=\"#666699\">\r\n"
                                        "<CENTER>\r\n";

constexpr std::string_view End = "</CENTER>\r\n"
                                 "</BODY>\r\n"
                                 "</HTML>\r\n";

// One record's fields, read once, and whether any of them holds a character that some place
// escapes: nearly always none, and then every value goes in as it stands. Each value lands in
// up to six places, and looking at it once rather than at each keeps the page within ten
// times a copy of its bytes.
struct Record {
    explicit Record(const MenuImage& m)
        : name(text(m.Name)), def(text(m.DefaultImage)), over(text(m.OverImage)),
          target(text(m.Target)), status(text(m.StatusText)), link(text(m.HyperLink)),
          plain(!needsEscaping(name) && !needsEscaping(def) && !needsEscaping(over) &&
                !needsEscaping(target) && !needsEscaping(status) && !needsEscaping(link)) {}

    std::string_view name, def, over, target, status, link;
    bool plain;
};

// The page goes out twice through the same code: once counting its bytes, once writing them
// into a string of just that size. A full page is some 4,500 pieces; appended one by one to a
// growing string they cost over ten times a copy of the page (bench_html), copied inline
// into place about five.
class Counter {
public:
    void put(std::string_view s) { size_ += s.size(); }
    std::size_t size() const { return size_; }

private:
    std::size_t size_ = 0;
};

class Writer {
public:
    explicit Writer(char* out) : p_(out) {}
    // Pieces are short: two overlapping word moves copy 8 to 16 bytes without a call.
    void put(std::string_view s) {
        const char* from = s.data();
        const std::size_t n = s.size();
        if (n >= 8 && n <= 16) {
            move<8>(p_, from);
            move<8>(p_ + n - 8, from + n - 8);
        } else if (n >= 4 && n < 8) {
            move<4>(p_, from);
            move<4>(p_ + n - 4, from + n - 4);
        } else if (n > 0) {
            std::memcpy(p_, from, n);
        }
        p_ += n;
    }

private:
    template <std::size_t N> static void move(char* to, const char* from) {
        char word[N];
        std::memcpy(word, from, N);
        std::memcpy(to, word, N);
    }
    char* p_;
};

template <class Out> class Page {
public:
    Page(Out out, PageCharset charset) : out_(out), charset_(charset) {}
    const Out& out() const { return out_; }

    void esc(EscapePlace place, std::string_view value, const Record& r) {
        if (r.plain)
            return out_.put(value);
        std::string escaped;
        appendEscaped(escaped, place, value, charset_);
        out_.put(escaped);
    }

    void page(const std::vector<Record>& records) {
        out_.put(Head);
        for (const Record& r : records)
            if (!r.over.empty())
                preloads(r);
        out_.put(ScriptTail);
        for (const Record& r : records)
            button(r);
        out_.put(End);
    }

    void preloads(const Record& r) {
        // The name is part of a script variable as it stands: only names of the form Image<n>
        // are ever made or opened.
        preload(r, "on"sv, r.over);
        preload(r, "off"sv, r.def);
        out_.put("\r\n"sv);
    }

    void button(const Record& r) {
        const bool over = !r.over.empty();
        const bool link = !r.link.empty();
        out_.put("<!-- "sv);
        esc(EscapePlace::Comment, r.name, r);
        out_.put(" Starts here -->\r\n"sv);
        if (over && link) {
            linkStart(r);
            out_.put("\r\n  onMouseOver=\"window.status='"sv);
            mouseOver(r);
            out_.put("'); return true;\"   OnMouseOut=\"window.status='';turnoff('"sv);
            esc(EscapePlace::Handler, r.name, r);
            out_.put("');return true\">\r\n"sv);
            imgStart(r, true);
            out_.put("\" BORDER=0></A><BR>\r\n"sv);
        } else if (over) {
            imgStart(r, true);
            out_.put("\" BORDER=0 onMouseOver=\"window.status='"sv);
            mouseOver(r);
            out_.put("'); return true;\" OnMouseOut=\"window.status='';turnoff('"sv);
            esc(EscapePlace::Handler, r.name, r);
            out_.put("');return true\"><BR>\r\n"sv);
        } else if (link) {
            linkStart(r);
            out_.put(">\r\n"sv);
            imgStart(r, false);
            out_.put("\" BORDER=0></A><BR>\r\n"sv);
        } else {
            imgStart(r, false);
            out_.put("\" BORDER=0 onMouseOver=\"window.status='"sv);
            esc(EscapePlace::Handler, r.status, r);
            out_.put("'\" OnMouseOut=\"window.status=''\"><BR>\r\n"sv);
        }
        out_.put("<!-- "sv);
        esc(EscapePlace::Comment, r.name, r);
        out_.put(" Ends here -->\r\n\r\n"sv);
    }

private:
    void preload(const Record& r, std::string_view state, std::string_view picture) {
        out_.put("     "sv);
        out_.put(r.name);
        out_.put(state);
        out_.put("= new Image(149,48);\r\n     "sv);
        out_.put(r.name);
        out_.put(state);
        out_.put(".src=\""sv);
        esc(EscapePlace::Script, picture, r);
        out_.put("\";\r\n"sv);
    }

    void linkStart(const Record& r) {
        out_.put("<A HREF=\""sv);
        esc(EscapePlace::Attribute, r.link, r);
        out_.put("\" TARGET=\""sv);
        esc(EscapePlace::Attribute, r.target, r);
        out_.put("\""sv);
    }

    // src, NAME (mouse-over buttons only) and ALT of the picture.
    void imgStart(const Record& r, bool named) {
        out_.put("  <IMG src=\""sv);
        esc(EscapePlace::Attribute, r.def, r);
        if (named) {
            out_.put("\" NAME=\""sv);
            esc(EscapePlace::Attribute, r.name, r);
        }
        out_.put("\" ALT=\""sv);
        esc(EscapePlace::Attribute, r.status, r);
    }

    void mouseOver(const Record& r) {
        esc(EscapePlace::Handler, r.status, r);
        out_.put("'; lightup('"sv);
        esc(EscapePlace::Handler, r.name, r);
    }

    Out out_;
    PageCharset charset_;
};

} // namespace

std::optional<Failure> missingDefault(const MenuTable& table) {
    for (int i = 1; i <= MenuTable::SlotCount; ++i) {
        const MenuImage& m = table.slot(i);
        if (!text(m.Name).empty() && text(m.DefaultImage).empty())
            return Failure{Fault::MissingDefault, "You must enter a Default image for " + *m.Name};
    }
    return std::nullopt;
}

Result<std::string> generateHtmlPage(const MenuTable& table, PageCharset charset) {
    if (auto missing = missingDefault(table))
        return *missing;

    // Only records with a default picture appear on the page, in slot order.
    std::vector<Record> records;
    for (int i = 1; i <= MenuTable::SlotCount; ++i) {
        const MenuImage& m = table.slot(i);
        if (!text(m.DefaultImage).empty())
            records.emplace_back(m);
    }
    Page counted(Counter(), charset);
    counted.page(records);
    std::string text(counted.out().size(), '\0');
    Page(Writer(text.data()), charset).page(records);
    return text;
}

} // namespace lanternix
