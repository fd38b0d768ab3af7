#include "tools/HtmlCompanion.h"

#include "TempFolder.h"
#include "html/HtmlGenerator.h"
#include "project/ProjectCodec.h"
#include "project/Windows1252.h"

#include <fcntl.h>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

using namespace lanternix;
using namespace lanternix::test;

namespace {

struct Outcome {
    int exit;
    std::string out;
    std::string err;
};

Outcome run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    HtmlCompanion c(out, err);
    const int exit = c.run(args);
    return {exit, out.str(), err.str()};
}

// The installed program itself, standard output and error caught in files.
Outcome runProgram(const TempFolder& dir, const std::vector<std::string>& args) {
    std::vector<std::string> all = {LANTERNIX_HTML_PROGRAM};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t io;
    posix_spawn_file_actions_init(&io);
    posix_spawn_file_actions_addopen(&io, 1, dir.file("stdout").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&io, 2, dir.file("stderr").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    int status = -1;
    if (posix_spawn(&pid, argv[0], &io, nullptr, argv.data(), environ) == 0)
        waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&io);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readBytes(dir.file("stdout")),
            readBytes(dir.file("stderr"))};
}

MenuTable menu() {
    MenuTable t;
    t.makeNewRecord(1);
    t.makeNewRecord(2);
    t.slot(1).DefaultImage = "\xE2\x82\xAC.gif";
    t.slot(2).DefaultImage = "caf\xC3\xA9.gif";
    t.slot(2).HyperLink = "a.htm";
    return t;
}

std::string writeProject(const TempFolder& dir, const std::string& name, const MenuTable& t) {
    const std::string path = dir.file(name);
    writeBytes(path, encodeProject(t).bytes);
    return path;
}

} // namespace

TEST(HtmlCompanion, ThreeExitsOfTheProgram) {
    TempFolder dir;
    MenuTable t = menu();
    const std::string project = writeProject(dir, "menu.lxp", t);
    struct stat before {};
    ::stat(project.c_str(), &before);

    // The generator's page, byte for byte, in Windows-1252.
    const std::string page = encodeWindows1252(generateHtmlPage(t).text).bytes;
    ASSERT_NE(page.find("caf\xE9.gif"), std::string::npos);
    ASSERT_NE(page.find("\r\n"), std::string::npos);
    Outcome r = runProgram(dir, {project});
    EXPECT_EQ(r.exit, 0);
    EXPECT_EQ(r.out, page);
    EXPECT_EQ(r.err, "");

    t.makeNewRecord(3);
    const std::string unfinished = writeProject(dir, "unfinished.lxp", t);
    r = runProgram(dir, {unfinished});
    EXPECT_EQ(r.exit, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "You must enter a Default image for Image3\n");

    r = runProgram(dir, {dir.file("none.lxp")});
    EXPECT_EQ(r.exit, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "lanternix-html: Cannot open the project file \"" + dir.file("none.lxp") +
                         "\": No such file or directory.\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.lxp"))); // never created

    struct stat after {};
    ::stat(project.c_str(), &after);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
}

TEST(HtmlCompanion, OutputFileAndFaults) {
    TempFolder dir;
    MenuTable t = menu();
    const std::string project = writeProject(dir, "menu.lxp", t);
    const std::string before = readBytes(project);

    const std::string page = dir.file("menu.htm");
    writeBytes(page, std::string(50000, 'x')); // an old, longer page
    Outcome r = run({"-o", page, project});
    EXPECT_EQ(r.exit, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(readBytes(page), encodeWindows1252(generateHtmlPage(t).text).bytes);

    t.makeNewRecord(3);
    const std::string unfinished = writeProject(dir, "unfinished.lxp", t);
    r = run({"-o", dir.file("new.htm"), unfinished});
    EXPECT_EQ(r.exit, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("new.htm")));

    const std::string bad = dir.file("bad.lxp");
    writeBytes(bad, std::string("\x08\x00\x70\x00", 4));
    r = run({bad});
    EXPECT_EQ(r.exit, 2);
    EXPECT_EQ(r.err, "lanternix-html: \"" + bad +
                         "\" is not a valid Lanternix project: slot 1: "
                         "the text of Name (112 bytes) runs past the end of the record.\n");

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
    EXPECT_EQ(HtmlCompanion(broken, err).run({project}), 2);
    EXPECT_EQ(err.str().rfind("lanternix-html: Cannot write the page to standard output", 0), 0u);
}

TEST(HtmlCompanion, CommandLine) {
    Outcome r = run({"--help"});
    EXPECT_EQ(r.exit, 0);
    EXPECT_EQ(r.out, HtmlCompanion::Usage);

    const std::string tryHelp = " Try 'lanternix-html --help'.\n";
    r = run({});
    EXPECT_EQ(r.exit, 2);
    EXPECT_EQ(r.err, "lanternix-html: no project file given." + tryHelp);
    EXPECT_EQ(run({"a.lxp", "-o"}).err,
              "lanternix-html: -o needs the name of the page file." + tryHelp);
    EXPECT_EQ(run({"--verbose", "a.lxp"}).err,
              "lanternix-html: unknown option --verbose." + tryHelp);
    EXPECT_EQ(run({"a.lxp", "b.lxp"}).err, "lanternix-html: one project file only." + tryHelp);
    EXPECT_EQ(run({"--", "-o"}).err, "lanternix-html: Cannot open the project file \"-o\": No such "
                                     "file or directory.\n");
}
