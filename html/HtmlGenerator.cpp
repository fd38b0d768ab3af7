#include "html/HtmlGenerator.h"

#include "html/HtmlEscape.h"
#include "model/MenuTable.h"

#include <string_view>

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

// Room for one image's lines around its field values; keeps a full table to one allocation.
constexpr std::size_t FixedBytesPerImage = 420;

void appendPreloads(std::string& out, const MenuImage& m) {
    const std::string_view name = text(m.Name);
    // The name is part of a script variable as it stands: the program only makes names of
    // the form Image<n>.
    out += "     ";
    out += name;
    out += "on= new Image(149,48);\r\n     ";
    out += name;
    out += "on.src=\"";
    appendScriptString(out, text(m.OverImage));
    out += "\";\r\n     ";
    out += name;
    out += "off= new Image(149,48);\r\n     ";
    out += name;
    out += "off.src=\"";
    appendScriptString(out, text(m.DefaultImage));
    out += "\";\r\n\r\n";
}

void appendLinkStart(std::string& out, const MenuImage& m) {
    out += "<A HREF=\"";
    appendAttribute(out, text(m.HyperLink));
    out += "\" TARGET=\"";
    appendAttribute(out, text(m.Target));
    out += '"';
}

// src, NAME (mouse-over buttons only) and ALT of the picture.
void appendImgStart(std::string& out, const MenuImage& m, bool named) {
    out += "  <IMG src=\"";
    appendAttribute(out, text(m.DefaultImage));
    if (named) {
        out += "\" NAME=\"";
        appendAttribute(out, text(m.Name));
    }
    out += "\" ALT=\"";
    appendAttribute(out, text(m.StatusText));
}

void appendButton(std::string& out, const MenuImage& m) {
    const std::string_view name = text(m.Name);
    const std::string_view status = text(m.StatusText);
    const bool over = !text(m.OverImage).empty();
    const bool link = !text(m.HyperLink).empty();

    out += "<!-- ";
    appendComment(out, name);
    out += " Starts here -->\r\n";

    if (over && link) {
        appendLinkStart(out, m);
        out += "\r\n  onMouseOver=\"window.status='";
        appendHandlerString(out, status);
        out += "'; lightup('";
        appendHandlerString(out, name);
        out += "'); return true;\"   OnMouseOut=\"window.status='';turnoff('";
        appendHandlerString(out, name);
        out += "');return true\">\r\n";
        appendImgStart(out, m, true);
        out += "\" BORDER=0></A><BR>\r\n";
    } else if (over) {
        appendImgStart(out, m, true);
        out += "\" BORDER=0 onMouseOver=\"window.status='";
        appendHandlerString(out, status);
        out += "'; lightup('";
        appendHandlerString(out, name);
        out += "'); return true;\" OnMouseOut=\"window.status='';turnoff('";
        appendHandlerString(out, name);
        out += "');return true\"><BR>\r\n";
    } else if (link) {
        appendLinkStart(out, m);
        out += ">\r\n";
        appendImgStart(out, m, false);
        out += "\" BORDER=0></A><BR>\r\n";
    } else {
        appendImgStart(out, m, false);
        out += "\" BORDER=0 onMouseOver=\"window.status='";
        appendHandlerString(out, status);
        out += "'\" OnMouseOut=\"window.status=''\"><BR>\r\n";
    }

    out += "<!-- ";
    appendComment(out, name);
    out += " Ends here -->\r\n\r\n";
}

} // namespace

std::string missingDefaultMessage(const std::string& name) {
    return "You must enter a Default image for " + name;
}

HtmlPage generateHtmlPage(const MenuTable& table) {
    HtmlPage page;
    for (int i = 1; i <= MenuTable::SlotCount; ++i) {
        const MenuImage& m = table.slot(i);
        if (!text(m.Name).empty() && text(m.DefaultImage).empty()) {
            page.missingDefaultFor = text(m.Name);
            return page;
        }
    }

    std::size_t size = Head.size() + ScriptTail.size() + End.size();
    for (int i = 1; i <= MenuTable::SlotCount; ++i) {
        const MenuImage& m = table.slot(i);
        if (text(m.DefaultImage).empty())
            continue;
        size += FixedBytesPerImage + 4 * text(m.Name).size() + 3 * text(m.StatusText).size() +
                2 * text(m.DefaultImage).size() + text(m.OverImage).size() + text(m.Target).size() +
                text(m.HyperLink).size();
    }

    std::string& out = page.text;
    out.reserve(size);
    out += Head;
    for (int i = 1; i <= MenuTable::SlotCount; ++i) {
        const MenuImage& m = table.slot(i);
        if (!text(m.DefaultImage).empty() && !text(m.OverImage).empty())
            appendPreloads(out, m);
    }
    out += ScriptTail;
    for (int i = 1; i <= MenuTable::SlotCount; ++i) {
        const MenuImage& m = table.slot(i);
        if (!text(m.DefaultImage).empty())
            appendButton(out, m);
    }
    out += End;
    return page;
}

} // namespace lanternix
