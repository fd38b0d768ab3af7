#include "page/PictureCheck.h"
#include "model/MenuTable.h"
#include "page/PictureSize.h"
#include "page/SitePath.h"
#include "support/TempFolder.h"

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
    const std::string folder = dir.path.string();

    MenuTable t;
    for (int n = 1; n <= 9; ++n)
        t.makeNewRecord(n);
    // A clean project: pictures of one size, addresses elsewhere, links that exist or go to a
    // place on the page, a folder of the site, other servers.
    t.slot(1) = {"Image1", "pics/a.png", "./pics/a-on.gif?v=2", "main", "", "about.htm#top"};
    t.slot(2) = {"Image2", "http://example.org/x.gif", "", "", "", "#top"};
    t.slot(3) = {"Image3", "pics/%6dy%20pic.png", "https://example.org/y.png", "", "", "pics/"};
    t.slot(4) = {"Image4", "//cdn.example.org/z.png", "", "", "", "mailto:ann@example.org"};
    t.slot(5) = {"Image5", "pics/sub/../a.png", "", "", "", "pics/%z1%0"}; // no escapes
    t.slot(6).DefaultImage = "pics/sub/decaf.png";
    t.slot(7).DefaultImage = "data:image/gif;base64,R0lGOD";
    t.slot(9).DefaultImage = "pics/logo.svg";
    t.slot(10) = {"", "", "", "", "", "gone.htm"}; // no default picture: not on the page
    EXPECT_EQ(checkPictures(t, folder), std::vector<std::string>{});

    t.slot(1) = {"Image1", "pics\\b.bmp", "pics/b-on.jpg", "", "", "About.htm"};
    t.slot(2) = {"Image2", "C:\\site\\x.gif", "/home/ann/x.gif", "", "", "news.htm?id=1"};
    t.slot(3) = {"Image3", "pics/case.PNG", "file:///tmp/x.gif", "", "", ""};
    t.slot(4) = {"Image4", "pics/gone.png", "\\pics\\a.png", "", "", ""};
    t.slot(9).OverImage = "pics/a.png"; // a size only a picture has
    // Out of the page's folder, %-escaped dots too, bouncing before it climbs out; a record
    // without a name is on the page all the same; control characters are shown, not sent.
    t.slot(5) = {"Image5", "a/../../x.gif", "pics/%2e%2E/%2E./x.gif", "", "", ".%2e/"};
    t.slot(10) = {"", "gone.png", "", "", "", "p\n1\x1B[2J.htm"};
    const std::string in = " in the page's folder " + folder,
                      local = ": this is a place on your own computer, which visitors of the "
                              "published page cannot reach; give the picture's place relative to "
                              "the page.",
                      capitals = "; most web servers tell capital letters apart, so the ",
                      out = ": this points outside the page's folder: " +
                            utf8FromPath(dir.path.parent_path()) + fs::path::preferred_separator,
                      unpublished = "; it may not be published with the page.";
    EXPECT_EQ(checkPictures(t, folder),
              (std::vector<std::string>{
                  "Image1, Default image \"pics\\b.bmp\": web servers do not read \\ as a "
                  "folder separator; use / instead.",
                  "Image1, OnOver Image \"pics/b-on.jpg\": the picture is 150 x 48 pixels, but "
                  "the Default image is 149 x 48 pixels, so the menu will jump each time the "
                  "mouse moves over this button.",
                  "Image1, HyperLink \"About.htm\": the page is called \"about.htm\"" + capitals +
                      "link will lead nowhere once published.",
                  "Image2, Default image \"C:\\site\\x.gif\"" + local,
                  "Image2, OnOver Image \"/home/ann/x.gif\"" + local,
                  "Image2, HyperLink \"news.htm?id=1\": there is no such page" + in +
                      ", so the link will lead nowhere.",
                  "Image3, Default image \"pics/case.PNG\": the file is called \"pics/Case.png\"" +
                      capitals + "picture will be missing once published.",
                  "Image3, OnOver Image \"file:///tmp/x.gif\"" + local,
                  "Image4, Default image \"pics/gone.png\": there is no such file" + in +
                      ", so the picture will be missing.",
                  "Image4, OnOver Image \"\\pics\\a.png\"" + local,
                  "Image5, Default image \"a/../../x.gif\"" + out + "x.gif" + unpublished,
                  "Image5, OnOver Image \"pics/%2e%2E/%2E./x.gif\"" + out + "x.gif" + unpublished,
                  "Image5, HyperLink \".%2e/\"" + out + unpublished,
                  "Image9, Default image \"pics/logo.svg\": this is not a PNG, GIF, JPEG, BMP or "
                  "WebP picture that Lanternix can measure, so its size was not compared.",
                  "Slot 10, Default image \"gone.png\": there is no such file" + in +
                      ", so the picture will be missing.",
                  "Slot 10, HyperLink \"p\\n1\\x1B[2J.htm\": there is no such page" + in +
                      ", so the link will lead nowhere."}));
#ifndef _WIN32
    // What is no file is named as what it is, and never opened (a pipe would wait for a writer).
    ::mkfifo(dir.file("fifo").c_str(), 0600);
    fs::create_symlink("/dev/null", dir.path / "null");
    fs::create_symlink("loop", dir.path / "loop");
    fs::create_symlink("none", dir.path / "broken");
    MenuTable k;
    k.slot(1) = {"Image1", "fifo", "null", "", "", "loop"};
    k.slot(2) = {"Image2", "pics/sub", "broken", "", "", "fifo"};
    const std::string no = ", not a file that a web server sends, so the ",
                      picture = no + "picture will be missing.",
                      link = no + "link will lead nowhere.";
    EXPECT_EQ(
        checkPictures(k, folder),
        (std::vector<std::string>{
            "Image1, Default image \"fifo\": this is a named pipe (FIFO)" + picture,
            "Image1, OnOver Image \"null\": this is a device" + picture,
            "Image1, HyperLink \"loop\": this is a symbolic link that leads round in a loop" + link,
            "Image2, Default image \"pics/sub\": this is a folder" + picture,
            "Image2, OnOver Image \"broken\": this is a symbolic link to nothing" + picture,
            "Image2, HyperLink \"fifo\": this is a named pipe (FIFO)" + link}));
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
        {site + "/img/../x/a b#1%?.png", "x/a b%231%25%3F.png"}, // read by a browser as named
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
