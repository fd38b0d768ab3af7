#pragma once

#include "io/Result.h"

#include <string>

namespace lanternix {

class MenuTable;

// The address of a folder as a browser takes it: file:///home/ann/site/ or file:///C:/site/,
// every byte but letters, digits and -._~/: percent-encoded.
std::string folderUrl(const std::string& folder);

// Writes the page to file with one <BASE HREF> line after its first that names siteFolder, so
// that a copy kept elsewhere finds the pictures and pages of the site. A failure is
// MissingDefault or CannotWrite, naming the file.
Result<> writePreview(const std::string& file, const MenuTable& table,
                      const std::string& siteFolder);

} // namespace lanternix
