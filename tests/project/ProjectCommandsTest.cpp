#include "project/ProjectCodec.h"
#include "support/Controls.h"
#include "support/Golden.h"

#include <QStandardPaths>

using namespace lanternix;
using namespace lanternix::test;

// Save Project As and Open Project: every dialog, question and message in turn as
// tests/data/messages/project-commands.txt shows it; the table, tree and editor after each step.
TEST(ProjectCommands, SaveAndOpen) {
    TempFolder dir, docs;
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", docs.path.string().c_str());
    writeBytes(docs.file("user-dirs.dirs"), "XDG_DOCUMENTS_DIR=\"" + docs.path.string() + "\"\n");
    Module1 module;
    FakePlatform platform;
    platform.otherwise = Answer::No; // Open discards unsaved changes
    frmMain main{module, platform};
    const std::string d = dir.path.string() + "/";
    const QString q = QString::fromStdString(d);
    const int Save = 0, Open = 1;
    auto click = [&](int command, const QString& answer) { // a null answer: the user cancels
        platform.fileAnswers.push_back(answer);
        main.Command3[command]->click();
    };
    auto shown = [&] {
        return treeText(*main.List1) + " " + captions(main.editor(), Boxes).join('|');
    };
    // A user who added three images, edited the second and has it open in the editor.
    for (int i = 0; i < 3; ++i)
        main.Command2_Click();
    main.List1_NodeClick(*main.List1->Nodes().find("Image2"));
    main.editor().Image1->setText("two.gif");
    main.editor().Command1_Click();
    const MenuTable three = module.table;

    // Failures change nothing: the table, tree and editor stay, and so does the old file. A file
    // saved with its long texts never opens without them: the block lost, or its mark.
    std::string bad = encodeProject(three).value();
    bad[96 * 2] = '\x05';
    MenuTable longer = three;
    longer.slot(1).StatusText = std::string(100, 's');
    std::string flipped = encodeProject(longer).value();
    const std::string old(12000, 'x'); // longer than any project
    const std::pair<std::string, std::string> files[] = {
        {"bad.lxp", bad},
        {"lost.lxp", flipped.substr(0, 9600)},
        {"flipped.lxp", flipped.replace(9600, 1, "M")},
        {"menu.lxp", old}};
    for (const auto& [name, bytes] : files)
        writeBytes(d + name, bytes);
    for (const char* name : {"bad.lxp", "lost.lxp", "flipped.lxp", "gone/x.lxp"})
        click(Open, q + name);
    module.table.slot(3).HyperLink = std::string(2049, 'h'); // refused before the file is touched
    platform.answers = {Answer::Yes};                        // to replace menu.lxp
    click(Save, q + "menu.lxp");
    module.table.slot(3).HyperLink = "";
    click(Save, q + "gone/menu.lxp");
    EXPECT_EQ(module.table, three);
    EXPECT_EQ(shown(), "rHTML+ Image1 Image2 Image3 two.gif|||||Image2");
    EXPECT_EQ(readBytes(d + "menu.lxp"), old);

    // A name typed without its extension gets it. Replacing a file is asked first; No shows the
    // dialog again. A cancelled or empty name writes nothing.
    platform.answers = {Answer::No, Answer::Yes};
    platform.fileAnswers = {q + "menu", q + "menu.lxp"};
    main.Command3[Save]->click();
    EXPECT_EQ(readBytes(d + "menu.lxp"), encodeProject(three).value());
    main.Command2_Click();
    click(Save, QString());
    click(Save, "");
    click(Open, QString());
    EXPECT_EQ(readBytes(d + "menu.lxp"), encodeProject(three).value());
    EXPECT_EQ(treeText(*main.List1), "rHTML+ Image1 Image2 Image3 Image4");

    // Open replaces the table, rebuilds the tree in slot order and empties the editor.
    MenuTable other; // gaps, a removed slot and a free slot holding a text
    for (int n : {7, 3, 1, 5})
        other.makeNewRecord(n);
    other.clearRecord(5);
    other.slot(9).StatusText = "";
    other.slot(3).HyperLink = "http://example.org/" + std::string(100, 'p') + "?\xCE\xA9"; // long
    writeBytes(d + "other.lxp", encodeProject(other).value());
    const auto index = module.CurrentIndex;
    click(Open, q + "other.lxp");
    EXPECT_EQ(std::pair(module.table, module.CurrentIndex), std::pair(other, index));
    EXPECT_EQ(shown(), "rHTML+ Image1 Image3 Image7 |||||");
    click(Save, QString());

    // A name that does not exist gives the empty project and an empty file of that name.
    click(Open, q + "new.lxp");
    EXPECT_EQ(
        std::tuple(module.table, treeText(*main.List1), std::filesystem::file_size(d + "new.lxp")),
        std::tuple(MenuTable{}, QString("rHTML+"), 0u));

    // Records rewritten in place by a program that keeps only short texts open, with a warning.
    std::string rewritten = encodeProject(other).value();
    rewritten[rewritten.find("http") + 1] = 'X';
    writeBytes(d + "rewritten.lxp", rewritten);
    click(Open, q + "rewritten.lxp");
    EXPECT_EQ(*module.table.slot(3).HyperLink, "hXtp://example.org/" + std::string(47, 'p'));
    // Flags start as the control has them and stay as Save set them; Open empties the name.
    // The dialogs start in the user's documents, and in the project's folder once there is one.
    EXPECT_TRUE(matchesGolden(
        "messages/project-commands.txt",
        platform.transcript({{q.chopped(1), "<dir>"},
                             {QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                              "<documents>"}})));
    config.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", config);
}
