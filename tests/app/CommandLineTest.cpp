#include "app/CommandLine.h"
#include "project/ProjectCodec.h"
#include "support/Controls.h"
#include "support/RunProgram.h"

#include <QCommandLineParser>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

using namespace lanternix;
using namespace lanternix::test;

// The program itself: its answers need no display, and wrong command lines end it at once.
TEST(CommandLine, ProgramAnswersAndRefusals) {
    TempFolder dir;
    // The arguments; then the exit code, the first line out, and the error output.
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--version"}, "0 Lanternix 2.0.0\n"},
        {{"-v", "menu.lxp"}, "0 Lanternix 2.0.0\n"},
        {{"--bogus"}, "1 Lanternix: Unknown option 'bogus'.\n"},
        {{"-platform", "offscreen", "a.lxp", "b.lxp"},
         "1 Lanternix: one project file at a time. Try 'lanternix --help'.\n"}};
    const std::string out = dir.file("out"), program = LANTERNIX_PROGRAM;
    // What the program printed, its lines ending in LF (Windows prints CR LF).
    const auto printed = [](const std::string& file) {
        std::string text = readBytes(file);
        std::erase(text, '\r');
        return text;
    };
    for (const auto& [args, outcome] : cases) {
        // A command line is refused only once a display is found, so those runs get one.
        const std::string display = outcome[0] == '1' ? "offscreen" : "";
        const std::vector<std::string> env{
            "DISPLAY=", "WAYLAND_DISPLAY=", "XDG_RUNTIME_DIR=" + dir.path.string(),
            "QT_QPA_PLATFORM=" + display};
        const std::string status =
            std::to_string(runProgram(program, args, out, out + ".err", env));
        const std::string first = printed(out).substr(0, printed(out).find('\n') + 1);
        EXPECT_EQ(status + " " + first + printed(out + ".err"), outcome) << args[0];
    }
    // The help, as the README shows it (the Windows one, which takes -? too, in its own block).
    EXPECT_EQ(runProgram(program, {"--help"}, out, out + ".err"), 0);
    const std::string help = printed(out).replace(7, program.size(), "lanternix");
#ifdef _WIN32
    EXPECT_TRUE(readmeShows(help, "    ")) << help;
#else
    EXPECT_TRUE(readmeShows(help, "      ")) << help;
#endif
    // One project file is taken: the program runs on with it, until stopped here.
    EXPECT_EQ(runProgram(program, {"-platform", "offscreen", dir.file("a.lxp")}, out, out + ".err",
                         {}, 3),
              124);
#ifdef _WIN32
    std::puts("Windows has no X display to refuse: the display checks run on Linux.");
#else
    // With a display that does not answer, or none: one line, exit 1.
    const std::pair<std::string, std::string> displays[] = {
        {"DISPLAY=:9999", "cannot open the X display \":9999\" named by DISPLAY: no X server "
                          "answers there, or it refused the connection."},
        {"DISPLAY=", "no display to open windows on (DISPLAY is not set); start it from a desktop "
                     "session or under xvfb-run."}};
    for (const auto& [display, why] : displays) {
        EXPECT_EQ(runProgram(program, {}, out, out + ".err",
                             {"WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", display}),
                  1);
        EXPECT_EQ(readBytes(out + ".err"), "lanternix: " + why + "\n");
    }
#endif
}

// A project named at start or dropped on the window opens as Open Project opens a file; a
// missing or bad one is named in a message and changes nothing. Only one *.lxp file is taken.
TEST(CommandLine, ProjectAtStartAndDropped) {
    TempFolder dir;
    const QString d = QString::fromStdString(dir.path.string() + "/");
    MenuTable good;
    good.makeNewRecord(4), good.makeNewRecord(2);
    std::string bytes = encodeProject(good).value();
    for (const char* name : {"good.lxp", "GOOD.LXP", "good.htm"})
        writeBytes(dir.file(name), bytes);
    bytes[96] = '\x05';
    writeBytes(dir.file("bad.lxp"), bytes);
    // Tree | whether the window took the drag | each message's style and the file it names
    // (Open Project's test has their texts). Before a drop the window holds Image1, unsaved.
    const QString opened = "rHTML+ Image2 Image4 | ", empty = "rHTML+ | ",
                  before = "rHTML+ Image1 | ";
    const std::tuple<bool, QStringList, QString> cases[] = {
        {false, {}, empty},
        {false, {"good.lxp"}, opened},
        {false, {"bad.lxp"}, empty + " | 16 bad.lxp"},
        {false, {"none.lxp"}, empty + " | 16 none.lxp"},
        {true, {"good.lxp"}, opened + "taken"},
        {true, {"GOOD.LXP"}, opened + "taken"},
        {true, {"bad.lxp"}, before + "taken | 16 bad.lxp"},
        {true, {"none.lxp"}, before + "taken | 16 none.lxp"},
        {true, {"good.htm"}, before},
        {true, {"good.lxp", "GOOD.LXP"}, before}};
    for (const auto& [drop, files, outcome] : cases) {
        Module1 module;
        FakePlatform platform;
        platform.otherwise = Answer::No; // a drop on unsaved work discards it when asked
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
            main.Command2_Click(); // unsaved work
            for (QEvent* e : std::initializer_list<QEvent*>{&enter, &dropped})
                QCoreApplication::sendEvent(&main, e);
            QCoreApplication::processEvents(); // the file opens once the drop is over
        } else {
            openStartProject(main, parser);
        }
        const bool taken = drop && enter.isAccepted() && dropped.isAccepted();
        QString seen = treeText(*main.List1) + " | " + (taken ? "taken" : "");
        for (const auto& [text, style] : platform.messages)
            seen += QString(" | %1 ").arg(style) + QFileInfo(text.section('"', 1, 1)).fileName();
        EXPECT_EQ(seen, outcome) << files.join(' ').toStdString();
        EXPECT_EQ(platform.questions.size(), taken ? 1u : 0u);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.lxp"))); // never created
}
