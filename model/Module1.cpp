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
    // Walk the separators left to right; each search starts one past the previous hit. The
    // slash counts too, or every path picked on a Unix desktop would give an empty caption.
    std::size_t cut = 0;
    for (std::size_t pos = path.find_first_of("\\/"); pos != std::string::npos;
         pos = path.find_first_of("\\/", pos + 1))
        cut = pos + 1;
    return path.substr(0, cut);
}

} // namespace lanternix
