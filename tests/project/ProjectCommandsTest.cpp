#include "TempFolder.h"
#include "app/frmMain.h"
#include "editor/frmButton.h"
#include "model/Module1.h"
#include "platform/TreeView.h"
#include "project/ProjectCodec.h"
#include "support/FakePlatform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

// Readable failure output.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

using namespace lanternix;
using namespace lanternix::test;

namespace {

class ProjectCommands : public ::testing::Test {
protected:
    ProjectCommands() {
        main.Timer1->stop();
        main.show();
    }

    QString file(const std::string& name) const { return QString::fromStdString(dir.file(name)); }
    TreeNodes& nodes() { return main.List1->Nodes(); }
    QStringList tree() {
        QStringList keys;
        for (int i = 1; i <= nodes().Count(); ++i)
            keys << nodes()(i).Key() + (i == 1 || nodes()(i).Key() == nodes()(i).Text() ? "" : "?");
        return keys;
    }
    QStringList editorTexts() {
        frmButton& e = main.editor();
        return {e.Image1->text(),    e.Image2->text(), e.Frameset1->text(),
                e.Comments1->text(), e.Link1->text(),  e.Key1->text()};
    }
    // A user who added three images, edited the second and has it open in the editor.
    void workOnSomething() {
        for (int i = 0; i < 3; ++i)
            main.Command2_Click();
        main.List1_NodeClick(*nodes().find("Image2"));
        main.editor().Image1->setText("two.gif");
        main.editor().Command1_Click();
    }
    void save(const QString& path) {
        platform.fileAnswers.push_back(path);
        main.Command3[0]->click();
    }
    // A null name: the user cancels.
    void open(const QString& path) {
        platform.fileAnswers.push_back(path);
        main.Command3[1]->click();
    }

    TempFolder dir;
    Module1 module;
    FakePlatform platform;
    frmMain main{module, platform};
};

} // namespace

TEST_F(ProjectCommands, SaveWritesTheTableAndCarriesTheDialogSettings) {
    workOnSomething();
    save(file("menu.lxp"));
    ASSERT_EQ(platform.fileRequests.size(), 1u);
    const FileDialogRequest& req = platform.fileRequests[0];
    EXPECT_EQ(req.mode, FileDialogRequest::Save);
    EXPECT_EQ(req.title, "Save Lanternix Project as");
    EXPECT_EQ(req.filter, "Lanternix Projects (*.lxp)");
    EXPECT_EQ(req.flags, 0x8800);
    EXPECT_EQ(req.fileName, "");
    EXPECT_TRUE(platform.messages.empty());
    const std::string bytes = readBytes(dir.file("menu.lxp"));
    EXPECT_EQ(bytes, encodeProject(module.table).bytes);
    EXPECT_EQ(bytes.substr(96 + 10, 11), std::string("\x08\x00\x07\x00two.gif", 11));

    // The name stays for the next save; cancelling it writes nothing.
    main.Command2_Click();
    platform.fileAnswers.push_back(QString());
    main.Command3_Click(0);
    EXPECT_EQ(platform.fileRequests.back().fileName, file("menu.lxp"));
    EXPECT_EQ(readBytes(dir.file("menu.lxp")), bytes);
    save(QStringLiteral("")); // an empty name is no name
    EXPECT_EQ(readBytes(dir.file("menu.lxp")), bytes);
    EXPECT_EQ(dir.listing(), "menu.lxp\n");

    // Open empties the name but keeps the flags Save set; cancel changes nothing.
    const MenuTable before = module.table;
    open(QString());
    const FileDialogRequest& o = platform.fileRequests.back();
    EXPECT_EQ(o.mode, FileDialogRequest::Open);
    EXPECT_EQ(o.title, "Open Lanternix Project");
    EXPECT_EQ(o.filter, "Lanternix Projects (*.lxp)");
    EXPECT_EQ(o.flags, 0x8800);
    EXPECT_EQ(o.fileName, "");
    EXPECT_EQ(main.CD2.FileName, "");
    EXPECT_EQ(module.table, before);
    EXPECT_EQ(tree(), QStringList({"r", "Image1", "Image2", "Image3", "Image4"}));

    // After an Open, Save offers the opened name.
    open(file("menu.lxp"));
    platform.fileAnswers.push_back(QString());
    main.Command3_Click(0);
    EXPECT_EQ(platform.fileRequests.back().fileName, file("menu.lxp"));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ProjectCommands, OpenRebuildsTreeInSlotOrderAndEmptiesTheEditor) {
    // Flags stay as the control starts when nothing was saved yet.
    MenuTable t;
    for (int n : {7, 3, 1})
        t.makeNewRecord(n);
    t.slot(3).DefaultImage = "three.gif";
    t.makeNewRecord(5);
    t.clearRecord(5); // removed: no node
    t.slot(9).StatusText = "";
    const std::string bytes = encodeProject(t).bytes;
    writeBytes(dir.file("other.lxp"), bytes);

    workOnSomething(); // Image2 in the editor, CurrentIndex 2
    module.CurrentIndex = 3;
    open(file("other.lxp"));
    EXPECT_EQ(platform.fileRequests.back().flags, 0);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(module.table, t);
    EXPECT_FALSE(module.table.slot(2).Name.has_value()); // replaced, not merged
    EXPECT_EQ(module.CurrentIndex, 3);
    EXPECT_EQ(tree(), QStringList({"r", "Image1", "Image3", "Image7"}));
    EXPECT_EQ(nodes()(1).Text(), "HTML");
    EXPECT_TRUE(nodes()(1).Expanded());
    EXPECT_TRUE(nodes()(1).item()->isExpanded());
    EXPECT_EQ(editorTexts(), QStringList({"", "", "", "", "", ""}));

    // The removed slot is the first free one again; saving at once writes the same bytes.
    main.Command2_Click();
    EXPECT_EQ(module.CurrentIndex, 2);
    module.table.clearRecord(2);
    save(file("again.lxp"));
    EXPECT_EQ(readBytes(dir.file("again.lxp")).substr(96 * 2), bytes.substr(96 * 2));

    // A name that does not exist gives the empty project and an empty file of that name.
    open(file("new.lxp"));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(module.table, MenuTable{});
    EXPECT_EQ(tree(), QStringList({"r"}));
    EXPECT_TRUE(std::filesystem::exists(dir.file("new.lxp")));
    EXPECT_EQ(readBytes(dir.file("new.lxp")), "");
}

TEST_F(ProjectCommands, FailedOpenOrSaveChangesNothing) {
    workOnSomething();
    const MenuTable table = module.table;
    const QStringList keys = tree();
    const QStringList boxes = editorTexts();
    ASSERT_EQ(boxes[0], "two.gif");

    std::string bad = encodeProject(table).bytes;
    bad[96 * 2] = '\x05';
    writeBytes(dir.file("bad.lxp"), bad);
    open(file("bad.lxp"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].first,
              QString::fromStdString("\"" + dir.file("bad.lxp") +
                                     "\" is not a valid Lanternix project: slot 3: Name has the "
                                     "type tag 5, not 0 (unset) or 8 (text)."));
    EXPECT_EQ(platform.messages[0].second, 16);
    EXPECT_EQ(module.table, table);
    EXPECT_EQ(tree(), keys);
    EXPECT_EQ(editorTexts(), boxes);

    open(file("gone/x.lxp"));
    EXPECT_EQ(platform.messages.back().first,
              QString::fromStdString("Cannot open the project file \"" + dir.file("gone/x.lxp") +
                                     "\": No such file or directory."));
    EXPECT_EQ(module.table, table);
    EXPECT_EQ(tree(), keys);

    // A record too long for its slot: refused before the old file is touched.
    const std::string old = "the previous project";
    writeBytes(dir.file("menu.lxp"), old);
    module.table.slot(3).HyperLink = std::string(90, 'h');
    save(file("menu.lxp"));
    EXPECT_EQ(platform.messages.back(),
              std::pair(QStringLiteral("Image3 cannot be saved: its texts take 24 bytes more "
                                       "than the 96 bytes a project record holds. Shorten "
                                       "HyperLink or another text of this image."),
                        16));
    EXPECT_EQ(readBytes(dir.file("menu.lxp")), old);

    module.table.slot(3).HyperLink = "";
    save(file("gone/menu.lxp"));
    EXPECT_EQ(platform.messages.back().first,
              QString::fromStdString("Cannot save the project to \"" + dir.file("gone/menu.lxp") +
                                     "\": No such file or directory."));
    EXPECT_EQ(platform.messages.size(), 4u);
    EXPECT_EQ(dir.listing(), "bad.lxp\nmenu.lxp\n");
}
