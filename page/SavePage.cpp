#include "page/SavePage.h"

#include "html/HtmlGenerator.h"
#include "io/AtomicFile.h"
#include "io/Utf8Path.h"
#include "page/PictureCheck.h"
#include "text/Printable.h"
#include "text/Windows1252.h"

namespace lanternix {

Result<std::string> encodePage(const MenuTable& table, PageCharset charset) {
    Result<std::string> page = generateHtmlPage(table, charset);
    if (!page)
        return page;
    // The generator writes what the code page lacks as references and escapes, so nothing
    // is lost here.
    return encodeWindows1252(page.value());
}

Result<std::vector<std::string>> checkPage(const MenuTable& table, const std::string& folder) {
    if (auto missing = missingDefault(table))
        return *missing;
    return checkPictures(table, folder);
}

Failure cannotSavePage(const std::string& path, const Failure& why) {
    return {Fault::CannotWrite,
            "Cannot save the page to \"" + printable(path) + "\": " + why.message + "."};
}

Result<SavedPage> savePage(const std::string& path, const MenuTable& table, PageCharset charset) {
    const Result<std::string> page = encodePage(table, charset);
    if (!page)
        return page.failure();
    if (const Result<> written = writeFileAtomically(path, page.value()); !written)
        return cannotSavePage(path, written.failure());
    const std::string folder = folderOf(path);
    return SavedPage{folder, checkPictures(table, folder)};
}

} // namespace lanternix
