#include "html/HtmlGenerator.h"

#include "html/HtmlEscape.h"
#include "model/MenuTable.h"

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

class Page {
public:
    Page(std::string& out, PageCharset charset) : out_(out), charset_(charset) {}

    void esc(EscapePlace place, std::string_view value, const Record& r) {
        if (r.plain)
            out_ += value;
        else
            appendEscaped(out_, place, value, charset_);
    }

    void preloads(const Record& r) {
        // The name is part of a script variable as it stands: only names of the form Image<n>
        // are ever made or opened.
        out_ += "     "sv;
        out_ += r.name;
        out_ += "on= new Image(149,48);\r\n     "sv;
        out_ += r.name;
        out_ += "on.src=\""sv;
        esc(EscapePlace::Script, r.over, r);
        out_ += "\";\r\n     "sv;
        out_ += r.name;
        out_ += "off= new Image(149,48);\r\n     "sv;
        out_ += r.name;
        out_ += "off.src=\""sv;
        esc(EscapePlace::Script, r.def, r);
        out_ += "\";\r\n\r\n"sv;
    }

    void button(const Record& r) {
        const bool over = !r.over.empty();
        const bool link = !r.link.empty();
        out_ += "<!-- "sv;
        esc(EscapePlace::Comment, r.name, r);
        out_ += " Starts here -->\r\n"sv;
        if (over && link) {
            linkStart(r);
            out_ += "\r\n  onMouseOver=\"window.status='"sv;
            mouseOver(r);
            out_ += "'); return true;\"   OnMouseOut=\"window.status='';turnoff('"sv;
            esc(EscapePlace::Handler, r.name, r);
            out_ += "');return true\">\r\n"sv;
            imgStart(r, true);
            out_ += "\" BORDER=0></A><BR>\r\n"sv;
        } else if (over) {
            imgStart(r, true);
            out_ += "\" BORDER=0 onMouseOver=\"window.status='"sv;
            mouseOver(r);
            out_ += "'); return true;\" OnMouseOut=\"window.status='';turnoff('"sv;
            esc(EscapePlace::Handler, r.name, r);
            out_ += "');return true\"><BR>\r\n"sv;
        } else if (link) {
            linkStart(r);
            out_ += ">\r\n"sv;
            imgStart(r, false);
            out_ += "\" BORDER=0></A><BR>\r\n"sv;
        } else {
            imgStart(r, false);
            out_ += "\" BORDER=0 onMouseOver=\"window.status='"sv;
            esc(EscapePlace::Handler, r.status, r);
            out_ += "'\" OnMouseOut=\"window.status=''\"><BR>\r\n"sv;
        }
        out_ += "<!-- "sv;
        esc(EscapePlace::Comment, r.name, r);
        out_ += " Ends here -->\r\n\r\n"sv;
    }

private:
    void linkStart(const Record& r) {
        out_ += "<A HREF=\""sv;
        esc(EscapePlace::Attribute, r.link, r);
        out_ += "\" TARGET=\""sv;
        esc(EscapePlace::Attribute, r.target, r);
        out_ += "\""sv;
    }

    // src, NAME (mouse-over buttons only) and ALT of the picture.
    void imgStart(const Record& r, bool named) {
        out_ += "  <IMG src=\""sv;
        esc(EscapePlace::Attribute, r.def, r);
        if (named) {
            out_ += "\" NAME=\""sv;
            esc(EscapePlace::Attribute, r.name, r);
        }
        out_ += "\" ALT=\""sv;
        esc(EscapePlace::Attribute, r.status, r);
    }

    void mouseOver(const Record& r) {
        esc(EscapePlace::Handler, r.status, r);
        out_ += "'; lightup('"sv;
        esc(EscapePlace::Handler, r.name, r);
    }

    std::string& out_;
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
    std::string text;
    text.reserve(Head.size() + ScriptTail.size() + End.size() + 600 * records.size());
    Page page(text, charset);
    text += Head;
    for (const Record& r : records)
        if (!r.over.empty())
            page.preloads(r);
    text += ScriptTail;
    for (const Record& r : records)
        page.button(r);
    text += End;
    return text;
}

} // namespace lanternix
