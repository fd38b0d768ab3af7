#include "model/Module1.h"

namespace lanternix {

std::optional<int> Module1::addImage() {
    const auto n = table.slotForNewImage();
    if (!n)
        return std::nullopt;
    CurrentIndex = *n;
    table.makeNewRecord(*n);
    return n;
}

std::string PathHead(const std::string& path) {
    // The slash counts too, or every path picked on a Unix desktop would give an empty caption.
    // No separator at all (npos + 1 is 0) gives the empty text.
    return path.substr(0, path.find_last_of("\\/") + 1);
}

} // namespace lanternix
