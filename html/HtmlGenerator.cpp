#include "html/HtmlGenerator.h"

#include "html/HtmlEscape.h"
#include "model/MenuTable.h"

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace lanternix {

namespace {

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

// The page is emitted twice through the same code: once to count its bytes, once to write
// them into a buffer of exactly that size. Small appends to a growing string cost several
// times more than the bytes themselves, and a full page is a few thousand pieces.
class Counter {
public:
    void lit(std::string_view s) { size_ += s.size(); }
    void raw(std::string_view s) { size_ += s.size(); }
    void esc(EscapePlace place, std::string_view s, bool plain) {
        size_ += plain ? s.size() : escapedSize(place, s);
    }
    std::size_t size() const { return size_; }

private:
    std::size_t size_ = 0;
};

class Writer {
public:
    explicit Writer(char* out) : p_(out) {}
    void lit(std::string_view s) { put(s); }
    void raw(std::string_view s) { put(s); }
    void esc(EscapePlace place, std::string_view s, bool plain) {
        if (plain)
            put(s);
        else
            p_ = writeEscaped(place, s, p_);
    }
    char* end() const { return p_; }

private:
    // Field values are short; copying them with overlapping word moves saves the call into
    // the library's general copy, which costs more than the bytes.
    void put(std::string_view s) {
        const char* src = s.data();
        const std::size_t n = s.size();
        if (n >= 8 && n <= 16) {
            move8(p_, src);
            move8(p_ + n - 8, src + n - 8);
        } else if (n >= 4 && n < 8) {
            move4(p_, src);
            move4(p_ + n - 4, src + n - 4);
        } else if (n > 0) {
            std::memcpy(p_, src, n);
        }
        p_ += n;
    }
    static void move8(char* to, const char* from) {
        std::uint64_t w;
        std::memcpy(&w, from, 8);
        std::memcpy(to, &w, 8);
    }
    static void move4(char* to, const char* from) {
        std::uint32_t w;
        std::memcpy(&w, from, 4);
        std::memcpy(to, &w, 4);
    }
    char* p_;
};

// One record's fields, read once, and whether any of them holds a character that some place
// escapes; nearly always none, and then every value is copied as it stands.
struct Record {
    explicit Record(const MenuImage& m)
        : name(text(m.Name)), def(text(m.DefaultImage)), over(text(m.OverImage)),
          target(text(m.Target)), status(text(m.StatusText)), link(text(m.HyperLink)),
          plain(!needsEscaping(name) && !needsEscaping(def) && !needsEscaping(over) &&
                !needsEscaping(target) && !needsEscaping(status) && !needsEscaping(link)) {}

    std::string_view name, def, over, target, status, link;
    bool plain;
};

template <typename Out> void emitPreloads(Out& out, const Record& r) {
    // The name is part of a script variable as it stands: only names of the form Image<n>
    // are ever made or opened.
    out.lit("     ");
    out.raw(r.name);
    out.lit("on= new Image(149,48);\r\n     ");
    out.raw(r.name);
    out.lit("on.src=\"");
    out.esc(EscapePlace::Script, r.over, r.plain);
    out.lit("\";\r\n     ");
    out.raw(r.name);
    out.lit("off= new Image(149,48);\r\n     ");
    out.raw(r.name);
    out.lit("off.src=\"");
    out.esc(EscapePlace::Script, r.def, r.plain);
    out.lit("\";\r\n\r\n");
}

template <typename Out> void emitLinkStart(Out& out, const Record& r) {
    out.lit("<A HREF=\"");
    out.esc(EscapePlace::Attribute, r.link, r.plain);
    out.lit("\" TARGET=\"");
    out.esc(EscapePlace::Attribute, r.target, r.plain);
    out.lit("\"");
}

// src, NAME (mouse-over buttons only) and ALT of the picture.
template <typename Out> void emitImgStart(Out& out, const Record& r, bool named) {
    out.lit("  <IMG src=\"");
    out.esc(EscapePlace::Attribute, r.def, r.plain);
    if (named) {
        out.lit("\" NAME=\"");
        out.esc(EscapePlace::Attribute, r.name, r.plain);
    }
    out.lit("\" ALT=\"");
    out.esc(EscapePlace::AltText, r.status, r.plain);
}

template <typename Out> void emitMouseOver(Out& out, const Record& r) {
    out.esc(EscapePlace::Handler, r.status, r.plain);
    out.lit("'; lightup('");
    out.esc(EscapePlace::Handler, r.name, r.plain);
}

template <typename Out> void emitButton(Out& out, const Record& r) {
    const bool over = !r.over.empty();
    const bool link = !r.link.empty();

    out.lit("<!-- ");
    out.esc(EscapePlace::Comment, r.name, r.plain);
    out.lit(" Starts here -->\r\n");

    if (over && link) {
        emitLinkStart(out, r);
        out.lit("\r\n  onMouseOver=\"window.status='");
        emitMouseOver(out, r);
        out.lit("'); return true;\"   OnMouseOut=\"window.status='';turnoff('");
        out.esc(EscapePlace::Handler, r.name, r.plain);
        out.lit("');return true\">\r\n");
        emitImgStart(out, r, true);
        out.lit("\" BORDER=0></A><BR>\r\n");
    } else if (over) {
        emitImgStart(out, r, true);
        out.lit("\" BORDER=0 onMouseOver=\"window.status='");
        emitMouseOver(out, r);
        out.lit("'); return true;\" OnMouseOut=\"window.status='';turnoff('");
        out.esc(EscapePlace::Handler, r.name, r.plain);
        out.lit("');return true\"><BR>\r\n");
    } else if (link) {
        emitLinkStart(out, r);
        out.lit(">\r\n");
        emitImgStart(out, r, false);
        out.lit("\" BORDER=0></A><BR>\r\n");
    } else {
        emitImgStart(out, r, false);
        out.lit("\" BORDER=0 onMouseOver=\"window.status='");
        out.esc(EscapePlace::Handler, r.status, r.plain);
        out.lit("'\" OnMouseOut=\"window.status=''\"><BR>\r\n");
    }

    out.lit("<!-- ");
    out.esc(EscapePlace::Comment, r.name, r.plain);
    out.lit(" Ends here -->\r\n\r\n");
}

template <typename Out> void emitPage(Out& out, const std::vector<Record>& records) {
    out.lit(Head);
    for (const Record& r : records) {
        if (!r.over.empty())
            emitPreloads(out, r);
    }
    out.lit(ScriptTail);
    for (const Record& r : records)
        emitButton(out, r);
    out.lit(End);
}

} // namespace

std::string missingDefaultMessage(const std::string& name) {
    return "You must enter a Default image for " + name;
}

std::optional<std::string> firstMissingDefault(const MenuTable& table) {
    for (int i = 1; i <= MenuTable::SlotCount; ++i) {
        const MenuImage& m = table.slot(i);
        if (!text(m.Name).empty() && text(m.DefaultImage).empty())
            return text(m.Name);
    }
    return std::nullopt;
}

HtmlPage generateHtmlPage(const MenuTable& table) {
    HtmlPage page;
    page.missingDefaultFor = firstMissingDefault(table);
    if (page.missingDefaultFor)
        return page;

    // Only records with a default picture appear on the page, in slot order.
    std::vector<Record> records;
    records.reserve(MenuTable::SlotCount);
    for (int i = 1; i <= MenuTable::SlotCount; ++i) {
        const MenuImage& m = table.slot(i);
        if (!text(m.DefaultImage).empty())
            records.emplace_back(m);
    }

    Counter counter;
    emitPage(counter, records);
    page.text.resize(counter.size());
    Writer writer(page.text.data());
    emitPage(writer, records);
    return page;
}

} // namespace lanternix
