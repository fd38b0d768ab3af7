#include "tools/HtmlCompanion.h"

#include "html/HtmlGenerator.h"
#include "project/ProjectCodec.h"
#include "support/RunProgram.h"
#include "support/TempFolder.h"
#include "text/Windows1252.h"

#include <sstream>
#include <tuple>

#include <gtest/gtest.h>

using namespace lanternix;
using namespace lanternix::test;
namespace fs = std::filesystem;

TEST(HtmlCompanion, ThreeExitsAndFaults) {
    TempFolder dir;
    using Outcome = std::tuple<int, std::string, std::string>; // exit, standard output, error
    auto run = [&](const std::vector<std::string>& args) {
        const std::string out = dir.file("stdout"), err = dir.file("stderr");
        const int status = runProgram(LANTERNIX_HTML_PROGRAM, args, out, err);
        std::string message = readBytes(err);
#ifdef _WIN32
        // Messages are text, with the system's line ends; only the page is bytes.
        for (std::size_t cr; (cr = message.find("\r\n")) != std::string::npos;)
            message.erase(cr, 1);
#endif
        return Outcome(status, readBytes(out), message);
    };
    MenuTable t;
    t.makeNewRecord(1);
    t.makeNewRecord(2);
    t.slot(1).DefaultImage = "\xE2\x82\xAC.gif";
    t.slot(1).StatusText = std::string(26, 's'); // its length byte ends a file read as text
    t.slot(2).DefaultImage = "caf\xC3\xA9.gif";
    // Names outside any 8-bit code page: "menu" and "page" in Cyrillic.
    const std::string project = dir.file("\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x8E.lxp"),
                      page = dir.file("\xD1\x81\xD1\x82\xD1\x80.htm");
    writeBytes(project, encodeProject(t).value());
    const auto stamp = fs::last_write_time(pathFromUtf8(project));

    // The generator's page, byte for byte, in Windows-1252 (the project holds € and é).
    const std::string bytes = encodeWindows1252(generateHtmlPage(t).value());
    EXPECT_EQ(run({project}), Outcome(0, bytes, ""));
    EXPECT_EQ(run({"--ascii", project}),
              Outcome(0, generateHtmlPage(t, PageCharset::Ascii).value(), ""));
    writeBytes(page, std::string(3000, 'o')); // a longer page is replaced whole
    EXPECT_EQ(run({"-o", page, project}), Outcome(0, "", ""));
    EXPECT_EQ(readBytes(page), bytes);
    t.makeNewRecord(3);
    writeBytes(dir.file("3.lxp"), encodeProject(t).value());
    EXPECT_EQ(run({"-o", dir.file("new.htm"), dir.file("3.lxp")}),
              Outcome(1, "", "You must enter a Default image for Image3\n"));
    EXPECT_FALSE(fs::exists(pathFromUtf8(dir.file("new.htm"))));
    const Outcome usage = run({"--help"});
    EXPECT_TRUE(std::get<0>(usage) == 0 && readmeShows(std::get<1>(usage), "    "));
    EXPECT_EQ(run({"--version"}), Outcome(0, "lanternix-html 2.0.0\n", ""));

    // --check: what is missing beside the page (PAGE's folder, else the current one), exit 3;
    // nothing found, exit 0; no page written unless -o names one.
    EXPECT_EQ(run({"--check", dir.file("3.lxp")}),
              Outcome(1, "", "You must enter a Default image for Image3\n"));
    writeBytes(dir.file("caf\xC3\xA9.gif"), "");
    const auto missing = [](int n, const std::string& file, const std::string& folder) {
        return "Image" + std::to_string(n) + ", Default image \"" + file +
               "\": there is no such file in the page's folder " + folder +
               ", so the picture will be missing.\n";
    };
    const std::string cwd = utf8FromPath(fs::current_path()), euro = "\xE2\x82\xAC.gif";
    EXPECT_EQ(run({"--check", project}),
              Outcome(3, missing(1, euro, cwd) + missing(2, "caf\xC3\xA9.gif", cwd), ""));
    EXPECT_EQ(run({"--check", "-o", dir.file("sub.htm"), project}),
              Outcome(3, missing(1, euro, utf8FromPath(dir.path)), ""));
    EXPECT_EQ(readBytes(dir.file("sub.htm")), bytes);
    writeBytes(dir.file(euro), "");
    EXPECT_EQ(run({"--check", "-o", dir.file("sub.htm"), project}), Outcome(0, "", ""));

    writeBytes(dir.file("bad.lxp"), std::string("\x08\x00\x70\x00", 4));
    const std::string big = dir.file("big.lxp");
    writeBytes(big, std::string(MaxProjectFileSize + 1, '\0'));
    MenuTable l = t;
    l.slot(1).HyperLink = std::string(100, 'h'); // the file needs its long-text block
    writeBytes(dir.file("lost.lxp"), encodeProject(l).value().substr(0, 9600));
    writeBytes(dir.file("cut.lxp"), encodeProject(l).value().substr(0, 150));
    // Control characters of names are shown, never sent to the terminal.
    const std::string odd = dir.file("a\x1B]0;t\x07\n\xFF\xE2\x80\xA8.lxp");
    // What cannot be read at all is the file readers' (see AtomicFileTest); here, how it is told.
    const std::string open = "Cannot open the project file \"",
                      help = " Try 'lanternix-html --help'.", folder = dir.file("");
    const std::pair<std::vector<std::string>, std::string> faults[] = {
        {{dir.file("none.lxp")}, open + dir.file("none.lxp") + "\": No such file or directory."},
        {{dir.file("bad.lxp")},
         "\"" + dir.file("bad.lxp") +
             "\" is not a Lanternix project file. In slot 1, the text of the field "
             "\"Image\" (112 bytes) runs past the end of the record."},
        {{folder}, open + folder + "\": Is a directory."},
        {{big}, "\"" + big + "\" is not a Lanternix project file. It is larger than any project."},
        {{dir.file("lost.lxp")},
         "\"" + dir.file("lost.lxp") +
             "\" is a damaged Lanternix project file. Its long texts are "
             "missing or damaged: the file ends before them."},
        {{dir.file("cut.lxp")},
         "\"" + dir.file("cut.lxp") +
             "\" is a damaged Lanternix project file. In slot 2, the file "
             "ends inside this record: it is cut short."},
        {{odd},
         open + dir.file("a\\x1B]0;t\\x07\\n\\xFF\\u2028.lxp") + "\": No such file or directory."},
        {{"-o", project, project}, "the page would replace the project file \"" + project + "\"."},
        {{"-o", dir.file("gone\x1B/a.htm"), project},
         "Cannot save the page to \"" + dir.file("gone\\x1B/a.htm") +
             "\": No such file or directory."},
        {{}, "no project file given." + help},
        {{"-o"}, "-o needs the name of the page file." + help},
        {{"-x\r", project}, "unknown option -x\\r." + help},
        {{project, project}, "one project file only." + help},
        {{"--", "-o"}, open + "-o\": No such file or directory."}};
    for (const auto& [args, err] : faults)
        EXPECT_EQ(run(args), Outcome(2, "", "lanternix-html: " + err + "\n"));
    EXPECT_FALSE(fs::exists(pathFromUtf8(dir.file("none.lxp"))));
    EXPECT_EQ(fs::last_write_time(pathFromUtf8(project)), stamp); // only ever read

    // Records rewritten in place by a program that knows only them: their page, and a warning.
    t.slot(3).StatusText = std::string(100, 's');
    std::string rewritten = encodeProject(t).value();
    rewritten[15] = 'x'; // in Image1's default picture
    writeBytes(dir.file("old.lxp"), rewritten);
    EXPECT_EQ(run({dir.file("old.lxp")}),
              Outcome(1, "",
                      "lanternix-html: warning: The long texts saved in \"" + dir.file("old.lxp") +
                          "\" were dropped: another program has changed the file since, "
                          "and only its shortened texts could be read.\nYou must enter a "
                          "Default image for Image3\n"));

#ifndef _WIN32
    EXPECT_EQ(runProgram(LANTERNIX_HTML_PROGRAM, {project}, "/dev/full", dir.file("err")), 2);
    EXPECT_EQ(readBytes(dir.file("err")), "lanternix-html: Cannot write the page to standard "
                                          "output: No space left on device.\n");
#endif
    std::ostringstream err;
    std::ostream broken(nullptr); // standard output that cannot take the page
    EXPECT_EQ(HtmlCompanion(broken, err).run({project}), 2);
    EXPECT_EQ(err.str(), "lanternix-html: Cannot write the page to standard output.\n");
}
