#include "tools/HtmlCompanion.h"

#include "TempFolder.h"
#include "model/MenuTable.h"
#include "project/ProjectCodec.h"

#include <sstream>
#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace lanternix;
using namespace lanternix::test;

namespace {

// Stands in for the page generator: one line per used slot, failing on a missing picture.
HtmlCompanion::Page fakePage(const MenuTable& t) {
    HtmlCompanion::Page p;
    for (int n = 1; n <= MenuTable::SlotCount; ++n) {
        if (!t.isUsed(n))
            continue;
        if (isBlank(t.slot(n).DefaultImage)) {
            p.missingDefaultFor = text(t.slot(n).Name);
            p.text.clear();
            return p;
        }
        p.text += text(t.slot(n).Name) + " " + text(t.slot(n).DefaultImage) + "\r\n";
    }
    return p;
}

struct Outcome {
    int exit;
    std::string out;
    std::string err;
};

Outcome run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    HtmlCompanion c(fakePage, out, err);
    const int exit = c.run(args);
    return {exit, out.str(), err.str()};
}

std::string writeProject(const TempFolder& dir, const std::string& name, const MenuTable& t) {
    const std::string path = dir.file(name);
    writeBytes(path, encodeProject(t).bytes);
    return path;
}

struct timespec modified(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mtim;
}

} // namespace

TEST(HtmlCompanion, WritesThePageInWindows1252) {
    TempFolder dir;
    MenuTable t;
    t.makeNewRecord(1);
    t.makeNewRecord(2);
    t.slot(2).DefaultImage = "caf\xC3\xA9.gif";
    t.slot(1).DefaultImage = "\xE2\x82\xAC.gif";
    const std::string project = writeProject(dir, "menu.lxp", t);
    const std::string before = readBytes(project);
    const auto mtime = modified(project);

    Outcome r = run({project});
    EXPECT_EQ(r.exit, 0);
    EXPECT_EQ(r.out, "Image1 \x80.gif\r\nImage2 caf\xE9.gif\r\n");
    EXPECT_EQ(r.err, "");

    const std::string page = dir.file("menu.htm");
    writeBytes(page, "an old page that is longer than the new one");
    r = run({"-o", page, project});
    EXPECT_EQ(r.exit, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(readBytes(page), "Image1 \x80.gif\r\nImage2 caf\xE9.gif\r\n");

    // Options after "--" are names.
    writeBytes(dir.file("-o"), before);
    r = run({"--", dir.file("-o")});
    EXPECT_EQ(r.exit, 0);

    EXPECT_EQ(readBytes(project), before);
    EXPECT_EQ(modified(project).tv_nsec, mtime.tv_nsec);
    EXPECT_EQ(modified(project).tv_sec, mtime.tv_sec);
}

TEST(HtmlCompanion, FailedCheckWritesNothing) {
    TempFolder dir;
    MenuTable t;
    t.makeNewRecord(1);
    t.slot(1).DefaultImage = "a.gif";
    t.makeNewRecord(2);
    t.makeNewRecord(3);
    const std::string project = writeProject(dir, "menu.lxp", t);

    Outcome r = run({project});
    EXPECT_EQ(r.exit, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "You must enter a Default image for Image2\n");

    const std::string page = dir.file("menu.htm");
    r = run({"-o", page, project});
    EXPECT_EQ(r.exit, 1);
    EXPECT_FALSE(std::filesystem::exists(page));
}

TEST(HtmlCompanion, FileFaultsGiveOneLineAndExit2) {
    TempFolder dir;
    const std::string missing = dir.file("none.lxp");
    Outcome r = run({missing});
    EXPECT_EQ(r.exit, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "lanternix-html: Cannot open the project file \"" + missing +
                         "\": No such file or directory.\n");
    EXPECT_FALSE(std::filesystem::exists(missing)); // never created, unlike Open in the window

    const std::string bad = dir.file("bad.lxp");
    writeBytes(bad, std::string("\x08\x00\x70\x00", 4));
    r = run({bad});
    EXPECT_EQ(r.exit, 2);
    EXPECT_EQ(r.err, "lanternix-html: \"" + bad +
                         "\" is not a valid Lanternix project: slot 1: "
                         "the text of Name (112 bytes) runs past the end of the record.\n");

    MenuTable t;
    const std::string project = writeProject(dir, "menu.lxp", t);
    const std::string before = readBytes(project);
    r = run({"-o", project, project});
    EXPECT_EQ(r.exit, 2);
    EXPECT_EQ(r.err,
              "lanternix-html: the page would replace the project file \"" + project + "\".\n");
    EXPECT_EQ(readBytes(project), before);

    r = run({"-o", dir.file("gone/menu.htm"), project});
    EXPECT_EQ(r.exit, 2);
    EXPECT_EQ(r.err, "lanternix-html: Cannot write the page to \"" + dir.file("gone/menu.htm") +
                         "\": No such file or directory.\n");

    // Standard output that cannot take the page.
    std::ostringstream err;
    std::ostream broken(nullptr);
    HtmlCompanion c(fakePage, broken, err);
    EXPECT_EQ(c.run({project}), 2);
    EXPECT_EQ(err.str().rfind("lanternix-html: Cannot write the page to standard output", 0), 0u);
}

TEST(HtmlCompanion, CommandLine) {
    Outcome r = run({"--help"});
    EXPECT_EQ(r.exit, 0);
    EXPECT_EQ(r.out, HtmlCompanion::Usage);
    EXPECT_EQ(run({"x.lxp", "-h"}).out, HtmlCompanion::Usage);

    const std::string tryHelp = " Try 'lanternix-html --help'.\n";
    r = run({});
    EXPECT_EQ(r.exit, 2);
    EXPECT_EQ(r.err, "lanternix-html: no project file given." + tryHelp);
    EXPECT_EQ(run({"a.lxp", "-o"}).err,
              "lanternix-html: -o needs the name of the page file." + tryHelp);
    EXPECT_EQ(run({"--verbose", "a.lxp"}).err,
              "lanternix-html: unknown option --verbose." + tryHelp);
    EXPECT_EQ(run({"a.lxp", "b.lxp"}).err, "lanternix-html: one project file only." + tryHelp);
}
