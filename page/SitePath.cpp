#include "page/SitePath.h"

#include "io/Utf8Path.h"
#include "text/Ascii.h"

#include <filesystem>
#include <vector>

namespace lanternix {

namespace fs = std::filesystem;

std::string_view addressScheme(std::string_view v) {
    std::size_t i = 0;
    while (i < v.size() && (isAsciiAlnum(v[i]) || v[i] == '+' || v[i] == '-' || v[i] == '.'))
        ++i;
    if (i < 2 || i == v.size() || v[i] != ':' || !isAsciiLetter(v[0]))
        return {};
    return v.substr(0, i);
}

bool isElsewhere(std::string_view v) {
    return v.starts_with("//") ||
           (!addressScheme(v).empty() && !equalsIgnoringAsciiCase(addressScheme(v), "file"));
}

bool isLocalPlace(std::string_view v) {
    const bool drive = v.size() >= 2 && isAsciiLetter(v[0]) && v[1] == ':';
    return drive || v.starts_with('/') || v.starts_with('\\') ||
           equalsIgnoringAsciiCase(addressScheme(v), "file");
}

std::string fileOfAddress(std::string_view v) {
    v = v.substr(0, v.find_first_of("?#"));
    std::string out;
    for (std::size_t i = 0; i < v.size(); ++i) {
        auto hex = [](char c) {
            const char l = asciiLower(c);
            return isAsciiDigit(c) ? c - '0' : l >= 'a' && l <= 'f' ? l - 'a' + 10 : -1;
        };
        if (v[i] == '%' && i + 2 < v.size() && hex(v[i + 1]) >= 0 && hex(v[i + 2]) >= 0) {
            out += static_cast<char>(hex(v[i + 1]) * 16 + hex(v[i + 2]));
            i += 2;
        } else {
            out += v[i] == '\\' ? '/' : v[i];
        }
    }
    return out;
}

std::optional<std::string> fileInSite(std::string_view address, const std::string& siteFolder) {
    if (isElsewhere(address) || isLocalPlace(address))
        return std::nullopt;
    const fs::path file = pathFromUtf8(fileOfAddress(address)).lexically_normal();
    if (!file.empty() && *file.begin() == "..") // climbs out of the site's folder
        return std::nullopt;
    return utf8FromPath((pathFromUtf8(siteFolder) / file).lexically_normal().make_preferred());
}

namespace {

bool sameName(const fs::path& a, const fs::path& b) {
#ifdef _WIN32
    // Windows names files without regard to case.
    return equalsIgnoringAsciiCase(utf8FromPath(a), utf8FromPath(b));
#else
    return a == b;
#endif
}

// The names below folder on the way to file; none when file does not lie below it.
std::vector<std::string> namesBelow(const fs::path& folder, const fs::path& file) {
    auto at = file.begin();
    for (const fs::path& name : folder) {
        if (name.empty()) // after a separator at the end
            continue;
        if (at == file.end() || !sameName(name, *at))
            return {};
        ++at;
    }
    std::vector<std::string> names;
    for (; at != file.end(); ++at)
        if (!at->empty())
            names.push_back(utf8FromPath(*at));
    return names;
}

} // namespace

Result<std::string> addressInSite(const std::string& file, const std::string& siteFolder) {
    std::error_code ec;
    const fs::path picture = fs::absolute(pathFromUtf8(file), ec).lexically_normal();
    const std::string shown = "\"" + utf8FromPath(fs::path(picture).make_preferred()) + "\"";
    if (siteFolder.empty())
        return Failure{Fault::NotInSite,
                       "The site's folder is not known yet, so the page cannot be told where to "
                       "find " +
                           shown +
                           ". First save the project (Save Project As) in the folder your page "
                           "will be published from, then choose the picture again."};
    const fs::path folder = fs::absolute(pathFromUtf8(siteFolder), ec).lexically_normal();
    std::vector<std::string> names = namesBelow(folder, picture);
    if (names.empty()) { // the same places, reached through links
        const fs::path realFolder = fs::weakly_canonical(folder, ec);
        const fs::path realParent = fs::weakly_canonical(picture.parent_path(), ec);
        if (!ec)
            names = namesBelow(realFolder, realParent / picture.filename());
    }
    if (names.empty())
        return Failure{Fault::NotInSite,
                       shown + " is not inside the site's folder " + siteFolder +
                           ", so the published page could not show it. Copy the picture into " +
                           siteFolder + " or a folder inside it, then choose the copy."};
    std::string address;
    for (const std::string& name : names) {
        address += address.empty() ? "" : "/";
        for (const char c : name) {
            constexpr std::string_view special = "%#?\\", hex = "0123456789ABCDEF";
            if (special.find(c) == std::string_view::npos)
                address += c;
            else
                address += {'%', hex[static_cast<unsigned char>(c) >> 4], hex[c & 15]};
        }
    }
    return address;
}

} // namespace lanternix
