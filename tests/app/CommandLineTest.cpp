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
    using Outcome = std::tuple<int, std::string, std::string>; // exit, standard output, error
    auto run = [&](const std::string& env, const std::string& args) {
        const std::string out = dir.file("stdout"), err = dir.file("stderr");
        const int status =
            std::system(("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "
                         "ASAN_OPTIONS=detect_leaks=0 XDG_RUNTIME_DIR=" +
                         dir.path.string() + " " + env + " '" LANTERNIX_PROGRAM "' " + args + " >" +
                         out + " 2>" + err)
                            .c_str());
        return Outcome(WIFEXITED(status) ? WEXITSTATUS(status) : -1, readBytes(out),
                       readBytes(err));
    };
    const std::string usage = "Usage: " LANTERNIX_PROGRAM " [options] [PROJECT.lxp]\n"
                              "Builds a web page with a vertical menu bar of picture buttons.\n"
                              "\n"
                              "Options:\n"
                              "  -h, --help     Displays help on commandline options.\n"
                              "  --help-all     Displays help including Qt specific options.\n"
                              "  -v, --version  Displays version information.\n"
                              "\n"
                              "Arguments:\n"
                              "  PROJECT.lxp    A project file to open at start.\n";
    const std::string offscreen = "QT_QPA_PLATFORM=offscreen";
    const std::tuple<std::string, std::string, Outcome> cases[] = {
        {"", "--version", {0, "Lanternix 2.0.0\n", ""}},
        {"", "-v menu.lxp", {0, "Lanternix 2.0.0\n", ""}},
        {"", "--help", {0, usage, ""}},
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
    const QString badFile =
                      "\"" + d +
                      "bad.lxp\" is not a valid Lanternix project: slot 2: the field \"Image\" "
                      "has the type tag 5, not 0 (unset) or 8 (text).",
                  noFile = "Cannot open the project file \"" + d +
                           "none.lxp\": No such file or directory.";

    struct Case {
        bool drop; // else named at start
        QStringList files;
        bool taken; // a drag the window accepts
        QString tree, key1, message;
    };
    const QString opened = "rHTML+ Image2 Image4";
    // Before a drop the window holds Image1, open in the editor; at start it is empty.
    const Case cases[] = {
        {false, {}, false, "rHTML+", "", ""},
        {false, {"good.lxp"}, false, opened, "", ""},
        {false, {"bad.lxp"}, false, "rHTML+", "", badFile},
        {false, {"none.lxp"}, false, "rHTML+", "", noFile},
        {true, {"good.lxp"}, true, opened, "", ""},
        {true, {"GOOD.LXP"}, true, opened, "", ""},
        {true, {"bad.lxp"}, true, "rHTML+ Image1", "Image1", badFile},
        {true, {"none.lxp"}, true, "rHTML+ Image1", "Image1", noFile},
        {true, {"good.htm"}, false, "rHTML+ Image1", "Image1", ""},
        {true, {"good.lxp", "GOOD.LXP"}, false, "rHTML+ Image1", "Image1", ""},
    };
    for (const Case& c : cases) {
        Module1 module;
        FakePlatform platform;
        frmMain main{module, platform};
        TreeNodes& nodes = main.List1->Nodes();
        QStringList paths;
        for (const QString& f : c.files)
            paths << d + f;
        const QString row = (c.drop ? "drop " : "start ") + c.files.join(' ');

        bool taken = false;
        if (c.drop) {
            main.Command2_Click();
            main.List1_NodeClick(*nodes.find("Image1"));
            QMimeData data;
            QList<QUrl> urls;
            for (const QString& p : paths)
                urls << QUrl::fromLocalFile(p);
            data.setUrls(urls);
            QDragEnterEvent enter({9, 9}, Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(&main, &enter);
            QDropEvent drop(QPointF(9, 9), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(&main, &drop);
            taken = enter.isAccepted() && drop.isAccepted();
            QCoreApplication::processEvents(); // the file opens once the drop is over
        } else {
            QCommandLineParser parser;
            addProgramOptions(parser);
            ASSERT_TRUE(parser.parse(QStringList{"lanternix"} + paths));
            openStartProject(main, parser);
        }

        QString tree =
            nodes(1).Key() + nodes(1).Text() + (nodes(1).item()->isExpanded() ? "+" : "-");
        for (int i = 2; i <= nodes.Count(); ++i)
            tree += " " + nodes(i).Key();
        EXPECT_EQ(taken, c.taken) << row.toStdString();
        EXPECT_EQ(tree, c.tree) << row.toStdString();
        EXPECT_EQ(main.editor().Key1->text(), c.key1) << row.toStdString();
        if (c.tree == opened) {
            EXPECT_EQ(module.table, good) << row.toStdString();
        }
        QStringList told; // text and style of each message
        for (const auto& [text, style] : platform.messages)
            told << text + " | " + QString::number(style);
        EXPECT_EQ(told.join('\n').toStdString(),
                  c.message.isEmpty() ? "" : (c.message + " | 16").toStdString())
            << row.toStdString();
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.lxp"))); // never created
}
