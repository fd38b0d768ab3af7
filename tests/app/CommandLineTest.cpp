#include "app/CommandLine.h"
#include "project/ProjectCodec.h"
#include "support/Controls.h"
#include "support/Golden.h"
#include "support/RunProgram.h"

#include <QCommandLineParser>
#include <QDropEvent>
#include <QMimeData>

#include <cstring>

using namespace lanternix;
using namespace lanternix::test;

// Every run of the program, every project named at start and every file dropped on the window,
// as a transcript compared with tests/data/command-line/runs.txt; the test's folder shows as
// <dir>. Each run: the environment it changes, the arguments, the exit status and what it said.
// Each project: the questions and messages, the tree, and whether the window took the drop.
TEST(CommandLine, RunsStartsAndDrops) {
    TempFolder dir;
    const QString folder = QString::fromStdString(dir.path.string()), d = folder + "/";
    std::string transcript;
    const std::string out = dir.file("out"), err = dir.file("err");
    auto run = [&](const std::vector<std::string>& args, const std::vector<std::string>& env,
                   int seconds = 0) {
        const int status = runProgram(LANTERNIX_PROGRAM, args, out, err, env, seconds);
        std::string line = "$";
        for (const std::string& a : env)
            line += " " + a;
        line += " lanternix";
        for (const std::string& a : args)
            line += " " + a;
        std::string said = readBytes(out) + readBytes(err);
        std::erase(said, '\r'); // Windows prints CR LF
        transcript += line + "\nexit " + std::to_string(status) + "\n" + said;
        return said;
    };
    auto matches = [&](const char* golden) {
        const QString text =
            FakePlatform::named(QString::fromStdString(transcript), {{folder, "<dir>"}});
        transcript.clear();
        return matchesGolden(golden, text.toStdString());
    };
    // Its answers need no display; a wrong command line is refused once a display is found.
    const std::string runtime = "XDG_RUNTIME_DIR=" + dir.path.string();
    const std::vector<std::string> none{
        "DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", runtime},
        offscreen{"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=offscreen", runtime};
    run({"--version"}, none);
    run({"-v", "menu.lxp"}, none);
    run({"--bogus"}, offscreen);
    run({"-platform", "offscreen", "a.lxp", "b.lxp"}, offscreen);
    // The help is the README's (the Windows one, which takes -? too, in its own block).
    std::string help = run({"--help"}, {});
    help.replace(7, std::strlen(LANTERNIX_PROGRAM), "lanternix");
#ifdef _WIN32
    EXPECT_TRUE(readmeShows(help, "    ")) << help;
#else
    EXPECT_TRUE(readmeShows(help, "      ")) << help;
#endif
    transcript.erase(transcript.rfind("exit 0\n") + 7);
    // One project file is taken: the program runs on with it, until stopped here (124).
    run({"-platform", "offscreen", dir.file("a.lxp")}, {}, 3);
    transcript.erase(transcript.rfind("exit 124\n") + 9); // the toolkit's own warnings

    // Opened as Open Project opens a file; a missing or bad one is named in a message and
    // changes nothing. Only one *.lxp file is taken. Before a drop the window holds Image1,
    // unsaved, which the drop discards when asked.
    MenuTable good;
    good.makeNewRecord(4), good.makeNewRecord(2);
    std::string bytes = encodeProject(good).value();
    for (const char* name : {"good.lxp", "GOOD.LXP", "good.htm"})
        writeBytes(dir.file(name), bytes);
    bytes[96] = '\x05';
    writeBytes(dir.file("bad.lxp"), bytes);
    const std::pair<bool, QStringList> cases[] = {
        {false, {}},          {false, {"good.lxp"}},
        {false, {"bad.lxp"}}, {false, {"none.lxp"}},
        {true, {"good.lxp"}}, {true, {"GOOD.LXP"}},
        {true, {"bad.lxp"}},  {true, {"none.lxp"}},
        {true, {"good.htm"}}, {true, {"good.lxp", "GOOD.LXP"}}};
    for (const auto& [drop, files] : cases) {
        Module1 module;
        FakePlatform platform;
        platform.otherwise = Answer::No;
        frmMain main{module, platform};
        QStringList paths{"lanternix"};
        QMimeData data;
        for (const QString& f : files)
            paths << d + f, data.setUrls(data.urls() << QUrl::fromLocalFile(d + f));
        QDragEnterEvent enter({9, 9}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QDropEvent dropped(QPointF(9, 9), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCommandLineParser parser;
        addProgramOptions(parser);
        ASSERT_TRUE(parser.parse(paths));
        if (drop) {
            main.Command2_Click();
            for (QEvent* e : std::initializer_list<QEvent*>{&enter, &dropped})
                QCoreApplication::sendEvent(&main, e);
            QCoreApplication::processEvents(); // the file opens once the drop is over
        } else {
            openStartProject(main, parser);
        }
        const bool taken = drop && enter.isAccepted() && dropped.isAccepted();
        transcript += (drop ? "> dropped " : "> started with ") +
                      (files.isEmpty() ? "no file" : files.join(' ').toStdString()) + "\n" +
                      platform.transcript({{folder, "<dir>"}}) + "tree " +
                      treeText(*main.List1).toStdString() + (taken ? ", drop taken\n" : "\n");
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.lxp"))); // never created
    EXPECT_TRUE(matches("command-line/runs.txt"));
#ifndef _WIN32 // Windows has no X display to refuse
    run({}, {"WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", "DISPLAY=:9999"});
    run({}, {"WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", "DISPLAY="});
    run({}, {"WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=xcb", "DISPLAY=:9999"}); // asked for by name
    EXPECT_TRUE(matches("command-line/displays.txt"));
#endif
}
