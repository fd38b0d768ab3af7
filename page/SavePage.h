#pragma once

#include "html/HtmlEscape.h"
#include "io/Result.h"

#include <string>
#include <vector>

namespace lanternix {

class MenuTable;

// The page as saved: Windows-1252 bytes (or only ASCII), CR LF line ends; or MissingDefault.
Result<std::string> encodePage(const MenuTable& table,
                               PageCharset charset = PageCharset::Windows1252);

struct SavedPage {
    std::string folder;                // where it is published from, as checkPictures names it
    std::vector<std::string> findings; // what would break once published from there
};

// What would break once the table's page is published from folder; MissingDefault when there is
// no page.
Result<std::vector<std::string>> checkPage(const MenuTable& table, const std::string& folder);

// A write of a page that failed, as the user is told it: "Cannot save the page to ...".
Failure cannotSavePage(const std::string& path, const Failure& why);

// Checks the table, replaces the file whole or not at all, then checks the pictures from the
// page's folder. A failure is MissingDefault (nothing written) or CannotWrite, naming the file.
Result<SavedPage> savePage(const std::string& path, const MenuTable& table,
                           PageCharset charset = PageCharset::Windows1252);

} // namespace lanternix
