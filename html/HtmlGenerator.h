#pragma once

#include <optional>
#include <string>

namespace lanternix {

class MenuTable;

// What the generator made of a table: the page, or the Name of the lowest used slot that has
// no default picture (the page is then empty and must not be used).
struct HtmlPage {
    std::string text; // every line ends in CR LF
    std::optional<std::string> missingDefaultFor;

    bool ok() const { return !missingDefaultFor; }
};

// The Name of the lowest used slot without a default picture: the page cannot be made then.
std::optional<std::string> firstMissingDefault(const MenuTable& table);

// Builds the whole menu page from the table, slots in rising order.
HtmlPage generateHtmlPage(const MenuTable& table);

// The message for a failed check: "You must enter a Default image for " + name.
std::string missingDefaultMessage(const std::string& name);

} // namespace lanternix
