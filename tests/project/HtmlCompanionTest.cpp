#include "tools/HtmlCompanion.h"

#include "html/HtmlGenerator.h"
#include "io/Windows1252.h"
#include "project/ProjectCodec.h"
#include "support/TempFolder.h"

#include <sstream>
#include <sys/wait.h>
#include <tuple>

#include <gtest/gtest.h>

using namespace lanternix;
using namespace lanternix::test;
namespace fs = std::filesystem;

TEST(HtmlCompanion, ThreeExitsAndFaults) {
    TempFolder dir;
    using Outcome = std::tuple<int, std::string, std::string>; // exit, standard output, error
    // The program itself; the temporary folder's names hold nothing the shell would take.
    auto run = [&](const std::string& args) {
        const std::string out = dir.file("stdout"), err = dir.file("stderr");
        const int status = std::system(
            ("'" LANTERNIX_HTML_PROGRAM "' " + args + " >" + out + " 2>" + err).c_str());
        return Outcome(WIFEXITED(status) ? WEXITSTATUS(status) : -1, readBytes(out),
                       readBytes(err));
    };
    MenuTable t;
    t.makeNewRecord(1);
    t.makeNewRecord(2);
    t.slot(1).DefaultImage = "\xE2\x82\xAC.gif";
    t.slot(2).DefaultImage = "caf\xC3\xA9.gif";
    const std::string d = dir.path.string() + "/", project = d + "menu.lxp", page = d + "menu.htm";
    writeBytes(project, encodeProject(t).bytes);
    const auto stamp = fs::last_write_time(project);

    // The generator's page, byte for byte, in Windows-1252 (the project holds € and é).
    const std::string bytes = encodeWindows1252(generateHtmlPage(t).text);
    EXPECT_EQ(run(project), Outcome(0, bytes, ""));
    EXPECT_EQ(run("-o " + page + " " + project), Outcome(0, "", ""));
    EXPECT_EQ(readBytes(page), bytes);
    t.makeNewRecord(3);
    writeBytes(d + "3.lxp", encodeProject(t).bytes);
    EXPECT_EQ(run("-o " + d + "new.htm " + d + "3.lxp"),
              Outcome(1, "", "You must enter a Default image for Image3\n"));
    EXPECT_FALSE(fs::exists(d + "new.htm"));
    EXPECT_EQ(run("--help"), Outcome(0, HtmlCompanion::Usage, ""));
    EXPECT_EQ(run("--version"), Outcome(0, "lanternix-html 2.0.0\n", ""));

    // --check: what is missing beside the page (PAGE's folder, else the current one), exit 3;
    // nothing found, exit 0; no page written unless -o names one.
    EXPECT_EQ(run("--check " + d + "3.lxp"),
              Outcome(1, "", "You must enter a Default image for Image3\n"));
    writeBytes(d + "caf\xC3\xA9.gif", "");
    const auto missing = [](int n, const std::string& file, const std::string& folder) {
        return "Image" + std::to_string(n) + ", Default image \"" + file +
               "\": there is no such file in the page's folder " + folder +
               ", so the picture will be missing.\n";
    };
    const std::string cwd = fs::current_path().string(), euro = "\xE2\x82\xAC.gif";
    EXPECT_EQ(run("--check " + project),
              Outcome(3, missing(1, euro, cwd) + missing(2, "caf\xC3\xA9.gif", cwd), ""));
    EXPECT_EQ(run("--check -o " + d + "sub.htm " + project),
              Outcome(3, missing(1, euro, dir.path.string()), ""));
    EXPECT_EQ(readBytes(d + "sub.htm"), bytes);
    writeBytes(d + "\xE2\x82\xAC.gif", "");
    EXPECT_EQ(run("--check -o " + d + "sub.htm " + project), Outcome(0, "", ""));

    writeBytes(d + "bad.lxp", std::string("\x08\x00\x70\x00", 4));
    const std::string open = "Cannot open the project file \"",
                      help = " Try 'lanternix-html --help'.";
    const std::pair<std::string, std::string> faults[] = {
        {d + "none.lxp", open + d + "none.lxp\": No such file or directory."},
        {d + "bad.lxp",
         "\"" + d +
             "bad.lxp\" is not a valid Lanternix project: slot 1: the text of the field "
             "\"Image\" (112 bytes) runs past the end of the record."},
        {d, open + d + "\": Is a directory."},
        {"-o " + project + " " + project,
         "the page would replace the project file \"" + project + "\"."},
        {"-o " + d + "gone/a.htm " + project,
         "Cannot save the page to \"" + d + "gone/a.htm\": No such file or directory."},
        {"", "no project file given." + help},
        {"-- -o", open + "-o\": No such file or directory."}};
    for (const auto& [args, err] : faults)
        EXPECT_EQ(run(args), Outcome(2, "", "lanternix-html: " + err + "\n"));
    EXPECT_FALSE(fs::exists(d + "none.lxp"));
    EXPECT_EQ(fs::last_write_time(project), stamp); // only ever read

    std::ostringstream err;
    std::ostream broken(nullptr); // standard output that cannot take the page
    EXPECT_EQ(HtmlCompanion(broken, err).run({project}), 2);
    EXPECT_EQ(err.str().rfind("lanternix-html: Cannot write the page to standard output", 0), 0u);
}
