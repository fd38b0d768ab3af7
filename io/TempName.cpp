#include "io/TempName.h"

#include "text/Ascii.h"
#include "text/Utf8.h"

#include <algorithm>

namespace lanternix {

namespace {

constexpr std::string_view Ending = ".lx-";

} // namespace

std::string tempStem(std::string_view name, std::size_t limit, bool utf16Units) {
    const std::size_t extra = 1 + Ending.size() + TempSuffixLength;
    const std::size_t room = limit > extra ? limit - extra : 0;
    std::size_t bytes = 0, units = 0;
    while (bytes < name.size()) {
        const std::size_t n = std::min(utf8SequenceLength(static_cast<unsigned char>(name[bytes])),
                                       name.size() - bytes);
        const std::size_t u = utf16Units ? (n == 4 ? 2 : 1) : n;
        if (units + u > room)
            break;
        bytes += n;
        units += u;
    }
    return "." + std::string(name.substr(0, bytes)) + std::string(Ending);
}

bool isTempOf(std::string_view entry, std::string_view stem) {
    return entry.size() == stem.size() + TempSuffixLength && entry.substr(0, stem.size()) == stem &&
           std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(stem.size()), entry.end(),
                       isAsciiAlnum);
}

} // namespace lanternix
