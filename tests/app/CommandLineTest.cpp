#include "app/CommandLine.h"
#include "app/frmMain.h"
#include "editor/frmButton.h"
#include "model/Module1.h"
#include "platform/TreeView.h"
#include "project/ProjectCodec.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

#include <sys/wait.h>
#include <tuple>

#include <gtest/gtest.h>

using namespace lanternix;
using namespace lanternix::test;

// The program itself: its answers need no display, and wrong command lines end it at once.
TEST(CommandLine, ProgramAnswersAndRefusals) {
    TempFolder dir;
    using Outcome = std::tuple<int, std::string, std::string>; // exit, first line out, error
    auto run = [&](const std::string& env, const std::string& args) {
        const std::string out = dir.file("stdout"), err = dir.file("stderr");
        const int status =
            std::system(("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "
                         "XDG_RUNTIME_DIR=" +
                         dir.path.string() + " " + env + " '" LANTERNIX_PROGRAM "' " + args + " >" +
                         out + " 2>" + err)
                            .c_str());
        const std::string text = readBytes(out);
        return Outcome(WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                       text.substr(0, text.find('\n') + 1), readBytes(err));
    };
    const std::string offscreen = "QT_QPA_PLATFORM=offscreen";
    const std::tuple<std::string, std::string, Outcome> cases[] = {
        {"", "--version", {0, "Lanternix 2.0.0\n", ""}},
        {"", "-v menu.lxp", {0, "Lanternix 2.0.0\n", ""}},
        {"", "--help", {0, "Usage: " LANTERNIX_PROGRAM " [options] [PROJECT.lxp]\n", ""}},
        {offscreen, "--bogus", {1, "", "Lanternix: Unknown option 'bogus'.\n"}},
        {offscreen,
         "-platform offscreen a.lxp b.lxp",
         {1, "", "Lanternix: one project file at a time. Try 'lanternix --help'.\n"}},
    };
    for (const auto& [env, args, outcome] : cases)
        EXPECT_EQ(run(env, args), outcome) << args;
}

// A project named at start or dropped on the window opens as Open Project opens a file; a
// missing or bad one is named in a message and changes nothing. Only one *.lxp file is taken.
TEST(CommandLine, ProjectAtStartAndDropped) {
    TempFolder dir;
    const QString d = QString::fromStdString(dir.path.string() + "/");
    MenuTable good;
    for (int n : {4, 2})
        good.makeNewRecord(n);
    good.slot(2).DefaultImage = "b.gif";
    for (const char* name : {"good.lxp", "GOOD.LXP", "good.htm"})
        writeBytes(dir.file(name), encodeProject(good).bytes);
    std::string bad = encodeProject(good).bytes;
    bad[96] = '\x05';
    writeBytes(dir.file("bad.lxp"), bad);
    const QString badFile = " | 16: \"" + d +
                            "bad.lxp\" is not a valid Lanternix project: slot 2: the field "
                            "\"Image\" has the type tag 5, not 0 (unset) or 8 (text).",
                  noFile = " | 16: Cannot open the project file \"" + d +
                           "none.lxp\": No such file or directory.";

    // Tree | Key1 | whether the window took the drag, then each message with its style. Before
    // a drop the window holds Image1, open in the editor; at start it is empty.
    const QString opened = "rHTML+ Image2 Image4 |  | ", before = "rHTML+ Image1 | Image1 | ";
    const std::tuple<bool, QStringList, QString> cases[] = {
        {false, {}, "rHTML+ |  | "},
        {false, {"good.lxp"}, opened},
        {false, {"bad.lxp"}, "rHTML+ |  | " + badFile},
        {false, {"none.lxp"}, "rHTML+ |  | " + noFile},
        {true, {"good.lxp"}, opened + "taken"},
        {true, {"GOOD.LXP"}, opened + "taken"},
        {true, {"bad.lxp"}, before + "taken" + badFile},
        {true, {"none.lxp"}, before + "taken" + noFile},
        {true, {"good.htm"}, before},
        {true, {"good.lxp", "GOOD.LXP"}, before},
    };
    for (const auto& [drop, files, outcome] : cases) {
        Module1 module;
        FakePlatform platform;
        platform.otherwise = Answer::No; // a drop on unsaved work discards it when asked
        frmMain main{module, platform};
        TreeNodes& nodes = main.List1->Nodes();
        QStringList paths;
        QList<QUrl> urls;
        for (const QString& f : files) {
            paths << d + f;
            urls << QUrl::fromLocalFile(d + f);
        }
        bool taken = false;
        if (drop) {
            main.Command2_Click();
            main.List1_NodeClick(*nodes.find("Image1"));
            QMimeData data;
            data.setUrls(urls);
            QDragEnterEvent enter({9, 9}, Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(&main, &enter);
            QDropEvent dropped(QPointF(9, 9), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(&main, &dropped);
            taken = enter.isAccepted() && dropped.isAccepted();
            QCoreApplication::processEvents(); // the file opens once the drop is over
        } else {
            QCommandLineParser parser;
            addProgramOptions(parser);
            ASSERT_TRUE(parser.parse(QStringList{"lanternix"} + paths));
            openStartProject(main, parser);
        }

        QString seen =
            nodes(1).Key() + nodes(1).Text() + (nodes(1).item()->isExpanded() ? "+" : "-");
        for (int i = 2; i <= nodes.Count(); ++i)
            seen += " " + nodes(i).Key();
        seen += " | " + main.editor().Key1->text() + " | " + (taken ? "taken" : "");
        for (const auto& [text, style] : platform.messages)
            seen += " | " + QString::number(style) + ": " + text;
        EXPECT_EQ(seen.toStdString(), outcome.toStdString()) << files.join(' ').toStdString();
        EXPECT_EQ(platform.questions.size(), taken ? 1u : 0u);
        if (outcome.startsWith(opened)) {
            EXPECT_EQ(module.table, good);
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.lxp"))); // never created
}
