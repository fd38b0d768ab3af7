#include "page/PictureCheck.h"

#include "io/Utf8Path.h"
#include "model/Fields.h"
#include "model/MenuTable.h"
#include "page/PictureSize.h"
#include "page/SitePath.h"
#include "text/Ascii.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>

namespace lanternix {

namespace fs = std::filesystem;

namespace {

struct Found {
    fs::path path;       // the file as it exists
    std::string asTyped; // empty when the letters match; else the existing name, relative
};

// Looks a relative file up one folder at a time, the way a server that tells capital letters
// apart would, and notes a file that exists only with other capitals. Folder listings are kept
// for the whole check: a menu keeps its pictures in a folder or two.
class Finder {
public:
    explicit Finder(fs::path folder) : folder_(std::move(folder)) {}

    // A folder counts only where a server would answer with its index page: for links.
    std::optional<Found> find(const std::string& relative, bool folderToo = false) {
        fs::path at = folder_;
        std::string shown;
        bool caseDiffers = false;
        Kind kind = Kind::Folder;
        std::size_t start = 0;
        while (start <= relative.size()) {
            std::size_t end = relative.find('/', start);
            if (end == std::string::npos)
                end = relative.size();
            const std::string part = relative.substr(start, end - start);
            start = end + 1;
            if (part.empty() || part == ".")
                continue;
            std::string name = part;
            kind = Kind::Folder;
            if (part != "..") {
                const Listing& names = listing(at);
                auto it = names.find(part);
                if (it == names.end()) {
                    it = std::find_if(names.begin(), names.end(), [&](const auto& n) {
                        return equalsIgnoringAsciiCase(n.first, part);
                    });
                    if (it == names.end())
                        return std::nullopt;
                    name = it->first;
                    caseDiffers = true;
                }
                kind = it->second;
            }
            at /= pathFromUtf8(name);
            shown += (shown.empty() ? "" : "/") + name;
        }
        if (kind != Kind::File && !(folderToo && kind == Kind::Folder))
            return std::nullopt;
        return Found{at, caseDiffers ? shown : std::string()};
    }

private:
    enum class Kind { File, Folder, Other };
    using Listing = std::map<std::string, Kind>;

    // One listing a folder; the entries' kinds come with it, so no file needs a look of its own.
    const Listing& listing(const fs::path& dir) {
        auto [it, added] = listings_.try_emplace(dir);
        if (added) {
            std::error_code ec;
            for (fs::directory_iterator i(dir, ec), end; !ec && i != end; i.increment(ec)) {
                std::error_code kindEc;
                const Kind kind = i->is_regular_file(kindEc) ? Kind::File
                                  : i->is_directory(kindEc)  ? Kind::Folder
                                                             : Kind::Other;
                it->second.emplace(utf8FromPath(i->path().filename()), kind);
            }
        }
        return it->second;
    }

    fs::path folder_;
    std::map<fs::path, Listing> listings_;
};

std::string describe(const PixelSize& s) {
    return std::to_string(s.width) + " x " + std::to_string(s.height) + " pixels";
}

} // namespace

std::vector<std::string> checkPictures(const MenuTable& table, const std::string& pageFolder) {
    std::vector<std::string> findings;
    Finder finder(pathFromUtf8(pageFolder));
    for (int n = 1; n <= MenuTable::SlotCount; ++n) {
        if (!table.isUsed(n))
            continue;
        const MenuImage& image = table.slot(n);
        auto say = [&](const FieldInfo& f, const std::string& what) {
            findings.push_back(*image.Name + ", " + std::string(f.label()) + " \"" +
                               text(image.*f.member) + "\": " + what);
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
            const auto found = finder.find(fileOfAddress(value));
            if (!found) {
                say(f, "there is no such file in the page's folder " + pageFolder +
                           ", so the picture will be missing.");
                continue;
            }
            if (!found->asTyped.empty())
                say(f, "the file is called \"" + found->asTyped +
                           "\"; most web servers tell capital letters apart, so the picture will "
                           "be missing once published.");
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

        const FieldInfo& link = MenuFields[5];
        const std::string& address = text(image.HyperLink);
        if (address.empty() || address[0] == '#' || isElsewhere(address) || isLocalPlace(address))
            continue;
        if (const auto page = finder.find(fileOfAddress(address), true); !page)
            say(link, "there is no such page in the page's folder " + pageFolder +
                          ", so the link will lead nowhere.");
        else if (!page->asTyped.empty())
            say(link, "the page is called \"" + page->asTyped +
                          "\"; most web servers tell capital letters apart, so the link will lead "
                          "nowhere once published.");
    }
    return findings;
}

} // namespace lanternix
