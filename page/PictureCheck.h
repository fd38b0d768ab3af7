#pragma once

#include <string>
#include <vector>

namespace lanternix {

class MenuTable;

// What would go wrong once the page is published, one line each, in slot order: pictures that
// are missing beside the page, found only with other capital letters, given with backslashes
// or as places on the user's own disk, mouse-over pictures of another size than the default
// one, and relative links to pages that are not there. pageFolder is UTF-8.
std::vector<std::string> checkPictures(const MenuTable& table, const std::string& pageFolder);

} // namespace lanternix
