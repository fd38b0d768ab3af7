#include "io/PageFile.h"

#include "html/HtmlEscape.h"
#include "html/HtmlGenerator.h"
#include "io/AtomicFile.h"
#include "io/Windows1252.h"

namespace lanternix {

PageBytes encodePage(const MenuTable& table) {
    HtmlPage page = generateHtmlPage(table);
    if (!page.ok())
        return {{}, std::move(page.missingDefaultFor)};
    // The generator writes what the code page lacks as references and escapes, so nothing
    // is lost here.
    return {encodeWindows1252(page.text), std::nullopt};
}

PageBytes encodePreview(const MenuTable& table, const std::string& baseHref) {
    PageBytes page = encodePage(table);
    if (!page.missingDefaultFor) {
        std::string base = "<BASE HREF=\"";
        appendEscaped(base, EscapePlace::Attribute, baseHref);
        page.bytes.insert(page.bytes.find('\n') + 1, encodeWindows1252(base) + "\">\r\n");
    }
    return page;
}

std::string cannotSavePage(const std::string& path, const std::string& reason) {
    return "Cannot save the page to \"" + path + "\": " + reason + ".";
}

std::optional<PageFileError> savePageFile(const std::string& path, const MenuTable& table) {
    const PageBytes page = encodePage(table);
    if (page.missingDefaultFor)
        return PageFileError{true, missingDefaultMessage(*page.missingDefaultFor)};
    if (auto reason = writeFileAtomically(path, page.bytes))
        return PageFileError{false, cannotSavePage(path, *reason)};
    return std::nullopt;
}

} // namespace lanternix
