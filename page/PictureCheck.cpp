#include "page/PictureCheck.h"

#include "io/Utf8Path.h"
#include "model/Fields.h"
#include "model/MenuTable.h"
#include "page/PictureSize.h"
#include "page/SitePath.h"
#include "text/Ascii.h"
#include "text/Printable.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <vector>

namespace lanternix {

namespace fs = std::filesystem;

namespace {

// The folders and file of a relative address, its dot segments resolved as a browser resolves
// them, before any look at the disk; nothing when it climbs out of the page's folder.
std::optional<std::vector<std::string_view>> partsOf(std::string_view file) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0; start <= file.size();) {
        const std::size_t end = std::min(file.find('/', start), file.size());
        const std::string_view part = file.substr(start, end - start);
        start = end + 1;
        if (part == "..") {
            if (parts.empty())
                return std::nullopt;
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
    }
    return parts;
}

// What a name in a folder is; a link counts as what it leads to.
enum class Kind { File, Folder, Pipe, Device, Socket, Loop, BrokenLink, Other };

std::string_view kindName(Kind kind) {
    switch (kind) {
    case Kind::Folder:
        return "a folder";
    case Kind::Pipe:
        return "a named pipe (FIFO)";
    case Kind::Device:
        return "a device";
    case Kind::Socket:
        return "a socket";
    case Kind::Loop:
        return "a symbolic link that leads round in a loop";
    case Kind::BrokenLink:
        return "a symbolic link to nothing";
    default:
        return "something other than a file";
    }
}

Kind kindOf(fs::file_type type) {
    switch (type) {
    case fs::file_type::regular:
        return Kind::File;
    case fs::file_type::directory:
        return Kind::Folder;
    case fs::file_type::fifo:
        return Kind::Pipe;
    case fs::file_type::block:
    case fs::file_type::character:
        return Kind::Device;
    case fs::file_type::socket:
        return Kind::Socket;
    default:
        return Kind::Other;
    }
}

// Files and folders by the type the listing gave, where the system gives one; a look of its own
// for the rest.
Kind kindOf(const fs::directory_entry& e) {
    std::error_code ec;
    if (!e.is_symlink(ec))
        return e.is_regular_file(ec) ? Kind::File
               : e.is_directory(ec)  ? Kind::Folder
                                     : kindOf(e.status(ec).type());
    const fs::file_status target = e.status(ec);
    if (ec == std::errc::too_many_symbolic_link_levels)
        return Kind::Loop;
    return fs::exists(target) ? kindOf(target.type()) : Kind::BrokenLink;
}

struct Found {
    fs::path path;       // the file as it exists
    std::string asTyped; // empty when the letters match; else the existing name, relative
    Kind kind;
};

// Looks a relative file up one folder at a time, the way a server that tells capital letters
// apart would, and notes a file that exists only with other capitals. Each folder is listed
// once per check, kept under its path from the page's folder as found on disk.
class Finder {
public:
    explicit Finder(fs::path folder) : folder_(std::move(folder)) {}

    std::optional<Found> find(const std::vector<std::string_view>& parts) {
        fs::path at = folder_;
        std::string shown;
        bool caseDiffers = false;
        Kind kind = Kind::Folder;
        for (const std::string_view part : parts) {
            if (kind != Kind::Folder)
                return std::nullopt; // a file is no folder to look in
            const Listing& names = listing(at, shown);
            auto it = names.find(part);
            if (it == names.end()) {
                it = std::find_if(names.begin(), names.end(), [&](const auto& n) {
                    return equalsIgnoringAsciiCase(n.first, part);
                });
                if (it == names.end())
                    return std::nullopt;
                caseDiffers = true;
            }
            kind = it->second;
            at /= pathFromUtf8(it->first);
            shown += (shown.empty() ? "" : "/") + it->first;
        }
        return Found{at, caseDiffers ? shown : std::string(), kind};
    }

private:
    using Listing = std::map<std::string, Kind, std::less<>>;

    // One listing a folder; the entries' kinds come with it.
    const Listing& listing(const fs::path& dir, const std::string& key) {
        auto [it, added] = listings_.try_emplace(key);
        if (added) {
            std::error_code ec;
            for (fs::directory_iterator i(dir, ec), end; !ec && i != end; i.increment(ec)) {
                const Kind kind = kindOf(*i);
                it->second.emplace(utf8FromPath(i->path().filename()), kind);
            }
        }
        return it->second;
    }

    fs::path folder_;
    std::map<std::string, Listing> listings_;
};

std::string describe(const PixelSize& s) {
    return std::to_string(s.width) + " x " + std::to_string(s.height) + " pixels";
}

} // namespace

std::vector<std::string> checkPictures(const MenuTable& table, const std::string& pageFolder) {
    std::vector<std::string> findings;
    const fs::path folder = pathFromUtf8(pageFolder);
    const std::string shownFolder = printable(pageFolder);
    Finder finder(folder);
    for (int n = 1; n <= MenuTable::SlotCount; ++n) {
        const MenuImage& image = table.slot(n);
        // The page writes every record that has a default picture, named or not.
        if (text(image.DefaultImage).empty())
            continue;
        const std::string who =
            isBlank(image.Name) ? "Slot " + std::to_string(n) : printable(*image.Name);
        auto say = [&](const FieldInfo& f, const std::string& what) {
            findings.push_back(who + ", " + std::string(f.label()) + " \"" +
                               printable(text(image.*f.member)) + "\": " + what);
        };
        // The file a relative address leads to in the page's folder, or nothing once said why
        // not. A folder serves as a page (its index page), never as a picture.
        auto look = [&](const FieldInfo& f, bool picture) -> std::optional<Found> {
            const std::string file = fileOfAddress(text(image.*f.member));
            const std::string missing =
                picture ? ", so the picture will be missing" : ", so the link will lead nowhere";
            const auto parts = partsOf(file);
            if (!parts) {
                const fs::path to =
                    (folder / pathFromUtf8(file).relative_path()).lexically_normal();
                say(f, "this points outside the page's folder: " + printable(utf8FromPath(to)) +
                           "; it may not be published with the page.");
                return std::nullopt;
            }
            const auto found = finder.find(*parts);
            if (!found) {
                say(f, std::string(picture ? "there is no such file" : "there is no such page") +
                           " in the page's folder " + shownFolder + missing + ".");
                return std::nullopt;
            }
            if (found->kind != Kind::File && (picture || found->kind != Kind::Folder)) {
                say(f, "this is " + std::string(kindName(found->kind)) +
                           ", not a file that a web server sends" + missing + ".");
                return std::nullopt;
            }
            if (!found->asTyped.empty())
                say(f, std::string(picture ? "the file" : "the page") + " is called \"" +
                           printable(found->asTyped) +
                           "\"; most web servers tell capital letters apart" + missing +
                           " once published.");
            return found;
        };

        const FieldInfo* pictures[] = {&MenuFields[1], &MenuFields[2]};
        std::optional<fs::path> files[2];
        for (int k = 0; k < 2; ++k) {
            const FieldInfo& f = *pictures[k];
            const std::string& value = text(image.*f.member);
            if (value.empty() || isElsewhere(value))
                continue;
            if (isLocalPlace(value)) {
                say(f, "this is a place on your own computer, which visitors of the published "
                       "page cannot reach; give the picture's place relative to the page.");
                continue;
            }
            if (value.find('\\') != std::string::npos)
                say(f, "web servers do not read \\ as a folder separator; use / instead.");
            if (const auto found = look(f, true))
                files[k] = found->path;
        }
        // A mouse-over picture of another size makes the menu jump under the mouse.
        if (files[0] && files[1]) {
            std::optional<PixelSize> sizes[2];
            for (int k = 0; k < 2; ++k)
                if (!(sizes[k] = pictureFileSize(utf8FromPath(*files[k]))))
                    say(*pictures[k], "this is not a PNG, GIF, JPEG, BMP or WebP picture that "
                                      "Lanternix can measure, so its size was not compared.");
            if (sizes[0] && sizes[1] && !(*sizes[0] == *sizes[1]))
                say(*pictures[1], "the picture is " + describe(*sizes[1]) +
                                      ", but the Default image is " + describe(*sizes[0]) +
                                      ", so the menu will jump each time the mouse moves over "
                                      "this button.");
        }

        const std::string& address = text(image.HyperLink);
        if (!address.empty() && address[0] != '#' && !isElsewhere(address) &&
            !isLocalPlace(address))
            look(MenuFields[5], false);
    }
    return findings;
}

} // namespace lanternix
