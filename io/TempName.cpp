#include "io/TempName.h"

#include <algorithm>

namespace lanternix {

namespace {

constexpr std::string_view Ending = ".lx-";

// Bytes of the UTF-8 character that starts with b; a stray byte counts alone.
std::size_t charBytes(unsigned char b) {
    return b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
}

bool isAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

std::string tempStem(std::string_view name, std::size_t limit, bool utf16Units) {
    const std::size_t extra = 1 + Ending.size() + TempSuffixLength;
    const std::size_t room = limit > extra ? limit - extra : 0;
    std::size_t bytes = 0, units = 0;
    while (bytes < name.size()) {
        const std::size_t n =
            std::min(charBytes(static_cast<unsigned char>(name[bytes])), name.size() - bytes);
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
                       isAlnum);
}

} // namespace lanternix
