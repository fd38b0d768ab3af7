#pragma once

#include "html/HtmlEscape.h"
#include "io/Result.h"

#include <optional>
#include <string>

namespace lanternix {

class MenuTable;

// MissingDefault, "You must enter a Default image for " and the Name of the lowest used slot
// that has none: no page can be made then. Nothing when every image has its picture.
std::optional<Failure> missingDefault(const MenuTable& table);

// The whole menu page, slots in rising order, every line ended by CR LF, holding only the
// characters of the character set; or MissingDefault.
Result<std::string> generateHtmlPage(const MenuTable& table,
                                     PageCharset charset = PageCharset::Windows1252);

} // namespace lanternix
