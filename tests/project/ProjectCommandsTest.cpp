#include "project/ProjectCodec.h"
#include "support/Controls.h"

using namespace lanternix;
using namespace lanternix::test;

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
    // A user who added three images, edited the second and has it open in the editor.
    for (int i = 0; i < 3; ++i)
        main.Command2_Click();
    main.List1_NodeClick(*main.List1->Nodes().find("Image2"));
    main.editor().Image1->setText("two.gif");
    main.editor().Command1_Click();
    const MenuTable three = module.table;

    // Failures change nothing: the table, tree and editor stay, and so does the old file.
    std::string bad = encodeProject(three).value();
    bad[96 * 2] = '\x05';
    writeBytes(d + "bad.lxp", bad);
    const std::string old(12000, 'x'); // longer than any project
    writeBytes(d + "menu.lxp", old);
    // A file saved with its long texts never opens without them: the block lost, or its mark.
    MenuTable longer = three;
    longer.slot(1).StatusText = std::string(100, 's');
    std::string flipped = encodeProject(longer).value();
    writeBytes(d + "lost.lxp", flipped.substr(0, 9600));
    flipped[9600] ^= 1;
    writeBytes(d + "flipped.lxp", flipped);
    click(Open, q + "bad.lxp");
    click(Open, q + "lost.lxp");
    click(Open, q + "flipped.lxp");
    click(Open, q + "gone/x.lxp");
    module.table.slot(3).HyperLink = std::string(2049, 'h'); // refused before the file is touched
    platform.answers = {Answer::Yes};                        // to replace menu.lxp
    click(Save, q + "menu.lxp");
    module.table.slot(3).HyperLink = "";
    click(Save, q + "gone/menu.lxp");
    EXPECT_EQ(module.table, three);
    EXPECT_EQ(treeText(*main.List1) + " " + captions(main.editor(), Boxes).join('|'),
              "rHTML+ Image1 Image2 Image3 two.gif|||||Image2");
    EXPECT_EQ(readBytes(d + "menu.lxp"), old);
    EXPECT_EQ(platform.said(),
              QStringList({"16: \"" + q +
                               "bad.lxp\" is a damaged Lanternix project file. In slot 3, the "
                               "field \"Image\" has the type tag 5, not 0 (unset) or 8 (text).",
                           "16: \"" + q +
                               "lost.lxp\" is a damaged Lanternix project file. Its long texts "
                               "are missing or damaged: the file ends before them.",
                           "16: \"" + q +
                               "flipped.lxp\" is a damaged Lanternix project file. Its long texts "
                               "are missing or damaged: the long-text block after the records "
                               "does not begin with its mark.",
                           "16: Cannot open the project file \"" + q +
                               "gone/x.lxp\": No such file or directory.",
                           "16: Image3 cannot be saved: its HyperLink takes 2049 bytes, more than "
                           "the 2048 bytes a text may hold.",
                           "16: Cannot save the project to \"" + q +
                               "gone/menu.lxp\": No such file or directory."}));
    platform.messages.clear();

    // A name typed without its extension gets it. Replacing a file is asked first; No shows the
    // dialog again.
    platform.answers = {Answer::No, Answer::Yes};
    platform.questions.clear();
    platform.fileAnswers = {q + "menu", q + "menu.lxp"};
    main.Command3[Save]->click();
    EXPECT_EQ(platform.questions,
              std::vector<QString>(2, q + "menu.lxp already exists. Do you want to replace it?"));
    EXPECT_EQ(readBytes(d + "menu.lxp"), encodeProject(three).value());
    main.Command2_Click();
    click(Save, QString()); // the name stays, nothing is written
    click(Save, "");        // an empty name is no name
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
    EXPECT_EQ(module.table, other);
    EXPECT_EQ(module.CurrentIndex, index);
    EXPECT_EQ(treeText(*main.List1) + " " + captions(main.editor(), Boxes).join('|'),
              "rHTML+ Image1 Image3 Image7 |||||");
    click(Save, QString());

    // A name that does not exist gives the empty project and an empty file of that name.
    click(Open, q + "new.lxp");
    EXPECT_EQ(module.table, MenuTable{});
    EXPECT_EQ(treeText(*main.List1), "rHTML+");
    EXPECT_EQ(std::filesystem::file_size(d + "new.lxp"), 0u);
    EXPECT_TRUE(platform.messages.empty());

    // Flags start as the control has them and stay as Save set them; Open empties the name.
    const QString save = "Save|Save Lanternix Project as|Lanternix Projects (*.lxp)|34818|" + q;
    const QString open = "Open|Open Lanternix Project|Lanternix Projects (*.lxp)|";
    EXPECT_EQ(platform.dialogs(),
              QStringList({open + "0|", open + "0|", open + "0|", open + "0|", save + "gone/x.lxp",
                           save + "menu.lxp", save + "gone/menu.lxp", save + "menu.lxp",
                           save + "menu.lxp", save + "menu.lxp", open + "34818|", open + "34818|",
                           save + "other.lxp", open + "34818|"}));
    // They start in the user's documents, and in the project's folder once there is one.
    EXPECT_EQ(
        std::pair(platform.fileRequests[0].startFolder, platform.fileRequests.back().startFolder),
        std::pair(QString::fromStdString(docs.path.string()), q.chopped(1)));

    // Records rewritten in place by a program that keeps only short texts open, with a warning.
    std::string rewritten = encodeProject(other).value();
    rewritten[rewritten.find("http") + 1] = 'X';
    writeBytes(d + "rewritten.lxp", rewritten);
    click(Open, q + "rewritten.lxp");
    EXPECT_EQ(*module.table.slot(3).HyperLink, "hXtp://example.org/" + std::string(47, 'p'));
    EXPECT_EQ(platform.said(), QStringList("48: The long texts saved in \"" + q +
                                           "rewritten.lxp\" were dropped: another program has "
                                           "changed the file since, and only its shortened texts "
                                           "could be read."));
    config.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", config);
}
