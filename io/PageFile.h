#pragma once

#include <optional>
#include <string>

namespace lanternix {

class MenuTable;

// The page as saved: Windows-1252 bytes, CR LF line ends.
struct PageBytes {
    std::string bytes;
    // The Name of the lowest used image without a default picture; no bytes then.
    std::optional<std::string> missingDefaultFor;
};
PageBytes encodePage(const MenuTable& table);

// The page with one <BASE HREF="baseHref"> line after its first, so that a copy kept elsewhere
// (a preview) finds the pictures and pages of the folder baseHref names. baseHref is a URL.
PageBytes encodePreview(const MenuTable& table, const std::string& baseHref);

struct PageFileError {
    bool missingDefault; // the check failed; otherwise the file could not be written
    std::string message; // one line naming the image, or the file and the reason
};

// Checks the table, generates the page and replaces the file whole or not at all.
std::optional<PageFileError> savePageFile(const std::string& path, const MenuTable& table);

// "Cannot save the page to "PATH": REASON." for any failure to write a page.
std::string cannotSavePage(const std::string& path, const std::string& reason);

} // namespace lanternix
