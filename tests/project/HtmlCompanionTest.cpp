#include "tools/HtmlCompanion.h"

#include "project/ProjectCodec.h"
#include "support/Golden.h"
#include "support/RunProgram.h"
#include "support/TableText.h"
#include "text/Printable.h"

#include <sstream>
#include <utility>

using namespace lanternix;
using namespace lanternix::test;
namespace fs = std::filesystem;

// Every run of lanternix-html as a transcript, compared with tests/data/companion/runs.txt: the
// arguments, the exit status, what it said on each stream (a page written there is compared on
// its own); the test's folder shows as <dir>, the current one as <cwd>.
TEST(HtmlCompanion, ThreeExitsAndFaults) {
    TempFolder dir;
    std::string transcript;
    auto run = [&](const std::vector<std::string>& args) {
        const std::string out = dir.file("stdout"), err = dir.file("stderr");
        const int status = runProgram(LANTERNIX_HTML_PROGRAM, args, out, err);
        std::string line = "$ lanternix-html", said = readBytes(out);
        for (const std::string& a : args)
            line += " " + printable(a);
        transcript += line + "\nexit " + std::to_string(status) + "\n";
        if (!said.empty())
            transcript += said.starts_with("<HTML>") ? "(a page)\n" : said;
        for (char c : readBytes(err)) // messages are text, with CR LF on Windows
            if (c != '\r')
                transcript += c;
        return said;
    };
    const MenuTable t = tableFromText(readData("companion/menu.txt"));
    MenuTable three = t, lost = t, rewritten = t;
    three.makeNewRecord(3);
    lost.slot(1).HyperLink = std::string(100, 'h'); // the file needs its long-text block
    rewritten.slot(3) = {"Image3", "", "", "", std::string(100, 's'), ""};
    std::string old = encodeProject(rewritten).value();
    old[15] = 'x'; // records rewritten in place by a program that knows only them
    // Names outside any 8-bit code page: "menu" and "page" in Cyrillic.
    const std::string project = dir.file("\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x8E.lxp"),
                      page = dir.file("\xD1\x81\xD1\x82\xD1\x80.htm");
    const std::pair<std::string, std::string> files[] = {
        {project, encodeProject(t).value()},
        {dir.file("3.lxp"), encodeProject(three).value()},
        {dir.file("bad.lxp"), std::string("\x08\x00\x70\x00", 4)},
        {dir.file("big.lxp"), std::string(MaxProjectFileSize + 1, '\0')},
        {dir.file("lost.lxp"), encodeProject(lost).value().substr(0, 9600)},
        {dir.file("cut.lxp"), encodeProject(lost).value().substr(0, 150)},
        {dir.file("old.lxp"), old},
        {page, std::string(3000, 'o')}}; // a longer page is replaced whole
    for (const auto& [name, bytes] : files)
        writeBytes(name, bytes);
    const auto stamp = fs::last_write_time(pathFromUtf8(project));

    // The page, byte for byte, in Windows-1252 (the project holds € and é), or in ASCII.
    EXPECT_TRUE(matchesGolden("companion/menu.htm", run({project})));
    EXPECT_TRUE(matchesGolden("companion/menu-ascii.htm", run({"--ascii", project})));
    run({"-o", page, project});
    EXPECT_TRUE(matchesGolden("companion/menu.htm", readBytes(page)));
    run({"-o", dir.file("new.htm"), dir.file("3.lxp")}); // no default picture: nothing written
    EXPECT_FALSE(fs::exists(pathFromUtf8(dir.file("new.htm"))));
    EXPECT_TRUE(readmeShows(run({"--help"}), "    "));
    std::ostringstream help, h, none;
    HtmlCompanion(help, none).run({"--help"});
    EXPECT_EQ(HtmlCompanion(h, none).run({"-h"}), 0);
    EXPECT_EQ(h.str(), help.str());
    transcript.erase(transcript.rfind("exit 0\n") + 7); // the help's text is the README's
    run({"--version"});

    // --check: what is missing beside the page (PAGE's folder, else the current one), exit 3;
    // nothing found, exit 0; no page written unless -o names one.
    run({"--check", dir.file("3.lxp")});
    writeBytes(dir.file("caf\xC3\xA9.gif"), "");
    run({"--check", project});
    run({"--check", "-o", dir.file("sub.htm"), project});
    EXPECT_TRUE(matchesGolden("companion/menu.htm", readBytes(dir.file("sub.htm"))));
    writeBytes(dir.file("\xE2\x82\xAC.gif"), "");
    run({"--check", "-o", dir.file("sub.htm"), project});

    // Faults: what cannot be read (see AtomicFileTest for every kind), what is no project,
    // what cannot be written, control characters in names, command lines that make no sense.
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{dir.file("none.lxp")},
                                               {dir.file("bad.lxp")},
                                               {dir.file("")},
                                               {dir.file("big.lxp")},
                                               {dir.file("lost.lxp")},
                                               {dir.file("cut.lxp")},
                                               {"-o", project, project},
                                               {},
                                               {"-o"},
                                               {"-x\r", project},
                                               {project, project},
                                               {"--", "-o"},
                                               {dir.file("old.lxp")}})
        run(args);
    EXPECT_FALSE(fs::exists(pathFromUtf8(dir.file("none.lxp"))));
    EXPECT_EQ(fs::last_write_time(pathFromUtf8(project)), stamp); // only ever read
#ifndef _WIN32
    EXPECT_EQ(runProgram(LANTERNIX_HTML_PROGRAM, {project}, "/dev/full", dir.file("err")), 2);
    EXPECT_EQ(readBytes(dir.file("err")), "lanternix-html: Cannot write the page to standard "
                                          "output: No space left on device.\n");
#endif
    std::ostringstream err;
    std::ostream broken(nullptr); // standard output that cannot take the page
    EXPECT_EQ(HtmlCompanion(broken, err).run({project}), 2);
    EXPECT_EQ(err.str(), "lanternix-html: Cannot write the page to standard output.\n");

    const std::pair<std::string, std::string> places[] = {
        {utf8FromPath(dir.path / ""), "<dir>/"},
        {utf8FromPath(dir.path), "<dir>"},
        {utf8FromPath(fs::current_path()), "<cwd>"}};
    auto matches = [&](const char* golden) {
        for (const auto& [path, name] : places)
            for (std::size_t at; (at = transcript.find(path)) != std::string::npos;)
                transcript.replace(at, path.size(), name);
        return matchesGolden(golden, std::exchange(transcript, {}));
    };
    EXPECT_TRUE(matches("companion/runs.txt"));
#ifndef _WIN32 // Windows names hold no control characters, and its command lines only UTF-16
    run({dir.file("a\x1B]0;t\x07\n\xFF\xE2\x80\xA8\xE2\x80\xA9.lxp")});
    run({"-o", dir.file("gone\x1B/a.htm"), project});
    EXPECT_TRUE(matches("companion/control-names.txt"));
#endif
}
