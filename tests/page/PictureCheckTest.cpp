#include "page/PictureCheck.h"
#include "model/MenuTable.h"
#include "page/PictureSize.h"
#include "page/SitePath.h"
#include "support/Golden.h"
#include "support/TableText.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

using namespace lanternix;
using namespace lanternix::test;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

const auto be16 = [](int v) { return std::string{char(v >> 8), char(v)}; };
const auto le16 = [](int v) { return std::string{char(v), char(v >> 8)}; };

// The first bytes of real files of each kind, as their formats lay them out.
std::string png(int w, int h) {
    return "\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR"s + be16(w >> 16) + be16(w) + be16(0) + be16(h) +
           "\x08\x06\0\0\0"s;
}
std::string gif(int w, int h) {
    return "GIF89a" + le16(w) + le16(h) + "\xF7\0\0"s;
}
std::string bmp(int w, int h) {
    return "BM" + std::string(16, '\0') + le16(w) + le16(0) + le16(h) + le16(h < 0 ? -1 : 0);
}
std::string jpeg(int w, int h) { // a JFIF segment with a thumbnail, then the frame
    return "\xFF\xD8\xFF\xE0\0\x40JFIF\0\x01\x01\0\0\x01\0\x01\0\0"s + std::string(48, '\0') +
           "\xFF\xC2\0\x11\x08"s + be16(h) + be16(w) + "\x03\x01\x22\0"s;
}

} // namespace

TEST(PictureCheck, ReadsPictureSizesFromTheirHeaders) {
    const std::pair<std::string, std::string> cases[] = {
        {png(70000, 48), "70000x48"},
        {gif(320, 2), "320x2"},
        {"GIF87a" + gif(1, 2).substr(6), "1x2"},
        {bmp(16, -24), "16x24"}, // stored top-down
        {jpeg(640, 480), "640x480"},
        {"RIFF\0\0\0\0WEBPVP8X\x0A\0\0\0\x10\0\0\0\x94\x10\0\x2F\x01\0"s, "4245x304"},
        {"RIFF\0\0\0\0WEBPVP8 \0\0\0\0\0\0\0\x9D\x01\x2A\x95\0\x30\0"s, "149x48"},
        {"RIFF\0\0\0\0WEBPVP8L\0\0\0\0\x2F\x94\xC0\x0B\0\0\0\0\0\0\0\0\0"s, "149x48"},
        // A fill byte and the markers that look like frames but are not, skipped.
        {"\xFF\xD8\xFF\xFF\xC4\0\x02\xFF\xC8\0\x02\xFF\xCC\0\x02"s + jpeg(2, 3).substr(2), "2x3"},
        {png(3, 4).substr(0, 24), "3x4"},     // no more than the size
        {png(149, 48).substr(0, 20), "none"}, // cut short
        {png(0, 48), "none"},
        {"\xFF\x01"s + jpeg(2, 3).substr(2), "none"}, // no JPEG without its start marker
        {"<svg width='10'/>", "none"},
        {jpeg(640, 480).substr(0, 75), "none"}, // cut in the frame
        {"\xFF\xD8\xFF\xE0\0\x01"s, "none"}};   // a segment length that cannot be
    for (const auto& [bytes, want] : cases) {
        const auto s = pictureSize(bytes);
        EXPECT_EQ(s ? std::to_string(s->width) + "x" + std::to_string(s->height) : "none", want);
    }
}

// Every finding of a table, one per line, the page's folder and the one above it named as such
// (with a slash after, on every system).
std::string findings(const std::string& table, const TempFolder& site) {
    std::string said;
    for (const std::string& f : checkPictures(tableFromText(readData(table)), site.path.string()))
        said += f + '\n';
    const std::pair<std::string, std::string> names[] = {
        {utf8FromPath(site.path), "<site>"},
        {utf8FromPath(site.path.parent_path() / ""), "<above>/"},
        {utf8FromPath(site.path.parent_path()), "<above>"}};
    for (const auto& [path, name] : names)
        for (std::size_t at; (at = said.find(path)) != std::string::npos;)
            said.replace(at, path.size(), name);
    return said;
}

// Nothing to say of a clean project; a fault in every field of another; what is no file.
TEST(PictureCheck, TellsWhatWouldBreakOncePublished) {
    TempFolder dir;
    std::filesystem::create_directories(dir.path / "pics" / "sub");
    const std::pair<std::string, std::string> files[] = {
        {"pics/a.png", png(149, 48)},      {"pics/a-on.gif", gif(149, 48)},
        {"pics/b.bmp", bmp(149, 48)},      {"pics/b-on.jpg", jpeg(150, 48)},
        {"pics/Case.png", png(1, 1)},      {"pics/sub/decaf.png", png(1, 1)},
        {"pics/logo.svg", "<svg/>"},       {"about.htm", "<html>"},
        {"pics/my pic.png", png(149, 48)}, {"pics/%z1%0", ""}};
    for (const auto& [name, bytes] : files)
        writeBytes(dir.file(name), bytes);
    EXPECT_EQ(findings("check/clean.txt", dir), "");
    EXPECT_TRUE(matchesGolden("check/faults-found.txt", findings("check/faults.txt", dir)));
#ifndef _WIN32
    ::mkfifo(dir.file("fifo").c_str(), 0600);
    fs::create_symlink("/dev/null", dir.path / "null");
    fs::create_symlink("loop", dir.path / "loop");
    fs::create_symlink("none", dir.path / "broken");
    EXPECT_TRUE(matchesGolden("check/kinds-found.txt", findings("check/kinds.txt", dir)));
#endif
}

// A chosen picture's address, relative to the site's folder ("" for one outside it); and from
// an address to its file.
TEST(SitePath, AddressesOnlyFilesInsideTheSiteFolder) {
    TempFolder dir;
    const std::string site = dir.file("site");
    std::filesystem::create_directories(dir.path / "site" / "img");
    const auto address = [](const std::string& file, const std::string& folder) {
        const Result<std::string> a = addressInSite(file, folder);
        return a ? a.value() : std::string();
    };
    const std::pair<std::string, std::string> cases[] = {
        {site + "/img/home.png", "img/home.png"},
        {site + "/img/../x/a b#1%?~.png", "x/a b%231%25%3F~.png"}, // read by a browser as named
        {dir.file("sitex/a.png"), ""},
        {site, ""}};
    for (const auto& [file, want] : cases)
        EXPECT_EQ(address(file, site + "/"), want) << file;
#ifndef _WIN32
    std::filesystem::create_directory_symlink(site, dir.path / "link");
    EXPECT_EQ(address(dir.file("link/img/home.png"), site), "img/home.png");
#endif
    EXPECT_EQ(std::tuple(fileInSite("img/a%20b.png?v=2", site), fileInSite("http://x/a.png", site),
                         fileInSite("/a.png", site), fileInSite("img/../../a.png", site)),
              std::tuple(utf8FromPath((dir.path / "site/img/a b.png").make_preferred()),
                         std::nullopt, std::nullopt, std::nullopt));
}
