#pragma once

#include <string>
#include <vector>

namespace lanternix {

class MenuTable;

// What would go wrong once the page is published, one line each, in slot order, for every
// record the page writes: pictures that are missing beside the page, found only with other
// capital letters, that are no file (a folder, a pipe, a device, a link loop), that lead out of
// the page's folder, given with backslashes or as places on the user's own disk, mouse-over
// pictures of another size than the default one, and relative links that lead nowhere.
// Addresses are resolved without the file system first, and each folder is listed once, so a
// hostile path costs no more than a plain one. Names and paths show control characters as
// escapes. pageFolder is UTF-8.
std::vector<std::string> checkPictures(const MenuTable& table, const std::string& pageFolder);

} // namespace lanternix
