#include "app/frmMain.h"
#include "editor/frmButton.h"
#include "model/Module1.h"
#include "platform/Form.h"
#include "platform/LinkLabel.h"
#include "platform/TreeView.h"
#include "project/ProjectFile.h"
#include "support/Controls.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <tuple>

using namespace lanternix;

namespace {

// Counts the property writes a tick could make to a widget.
struct ChangeCounter : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        const auto t = e->type();
        count += t == QEvent::Move || t == QEvent::WindowTitleChange ||
                 t == QEvent::EnabledChange || t == QEvent::WindowStateChange;
        return false;
    }
};

class MainWindow : public ::testing::Test {
protected:
    MainWindow() {
        main.Timer1->stop(); // ticks are driven by hand
        main.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&main));
    }

    TreeNodes& nodes() { return main.List1->Nodes(); }
    frmButton& ed() { return main.editor(); }
    QStringList childKeys() {
        QStringList keys;
        for (int i = 2; i <= nodes().Count(); ++i)
            keys << nodes()(i).Key();
        return keys;
    }
    void clickNode(const QString& key) {
        QTreeWidgetItem* item = nodes().find(key)->item();
        main.List1->scrollToItem(item);
        QTest::mouseClick(main.List1->viewport(), Qt::LeftButton, {},
                          main.List1->visualItemRect(item).center());
    }
    void fill(const QStringList& texts) { // default, over, target, status, link
        QLineEdit* boxes[] = {ed().Image1, ed().Image2, ed().Frameset1, ed().Comments1, ed().Link1};
        for (int i = 0; i < 5; ++i)
            boxes[i]->setText(texts[i]);
    }
    bool docked() {
        return Form::Left(ed()) == Form::Left(main) + Form::Width(main) &&
               Form::Top(ed()) == Form::Top(main);
    }

    Module1 module;
    test::FakePlatform platform;
    frmMain main{module, platform};
};

} // namespace

TEST_F(MainWindow, StartsWithRootEmptyBufferAndEditorAtRightEdge) {
    EXPECT_EQ(main.windowTitle(), "Lanternix 2.0");
    ASSERT_EQ(nodes().Count(), 1);
    EXPECT_EQ(nodes()(1).Key() + nodes()(1).Text(), "rHTML");
    EXPECT_TRUE(nodes()(1).Expanded());
    EXPECT_TRUE(main.Html1->toPlainText().isEmpty());
    EXPECT_TRUE(ed().Key1->text().isEmpty());

    // As created; then the first tick after this window is on screen shows it docked.
    EXPECT_EQ(ed().windowTitle(), " ");
    EXPECT_TRUE(ed().Command1->isEnabled() && ed().isHidden());
    main.Timer1_Timer();
    EXPECT_TRUE(ed().isVisible());
    EXPECT_EQ(ed().windowTitle(), "No image selected");
    EXPECT_FALSE(ed().Command1->isEnabled() || ed().Command2->isEnabled());
    EXPECT_TRUE(docked());

    // Every control in its place with its caption; the page buffer out of sight below.
    EXPECT_EQ(main.size(), QSize(toPixels(4560), toPixels(4605)));
    EXPECT_EQ(ed().size(), QSize(toPixels(5925), toPixels(4635)));
    test::expectControls(
        main, {{"List1", "", 120, 120, 2655, 3495},
               {"Label1",
                "In the HTML the images will arrive according to the Number they have, no the "
                "order in this list.",
                120, 3840, 2655, 615},
               {"Command3_1", "&Open Project", 2880, 1320, 1575, 375},
               {"Command3_0", "Save &Project As", 2880, 1800, 1575, 375},
               {"Command1_1", "&Save HTML As", 2880, 2280, 1590, 375},
               {"Command1_0", "E&xit", 2880, 2760, 1590, 375},
               {"Command2", "&Add Image", 2760, 3240, 1095, 375},
               {"Command4", "HTML", 3180, 4350, 570, 210},
               {"Label2", "About", 3960, 4320, 510, 240},
               {"Html1", "", 240, 4785, 3915, 2775}});
    test::expectControls(
        ed(), {{"Frame1", "Main", 165, 165, 5460, 1560},
               {"Label1", "Default image:", 120, 255, 1785, 210},
               {"Image1", "", 120, 480, 5205, 285},
               {"Label2", "OnOver Image", 120, 825, 1035, 195},
               {"Label6", "Leave blank, if you want this image to be normal", 1800, 840, 3615, 255},
               {"Image2", "", 120, 1065, 5205, 285},
               {"Frame2", "General", 165, 1845, 5460, 2115},
               {"Label3", "Frameset Target:", 120, 210, 1200, 195},
               {"Frameset1", "", 120, 465, 5205, 285},
               {"Label4", "Status Text/ALT", 120, 795, 1785, 210},
               {"Comments1", "", 120, 1035, 5205, 285},
               {"Label5", "HyperLink", 135, 1395, 855, 255},
               {"Link1", "", 120, 1635, 5205, 285},
               {"Command1", "Save", 240, 4080, 1545, 405},
               {"Command2", "Remove", 1920, 4080, 1455, 375},
               {"Label8", "Image:", 3480, 4080, 615, 255},
               {"Key1", "", 4080, 4080, 735, 255},
               {"Label7", "Max: 99 images", 4680, 4440, 1110, 195}});
    EXPECT_EQ(ed().minimumSize(), ed().maximumSize()) << "the editor cannot be resized";

    // The window itself holds the focus at start; the first Tab goes to Exit.
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    EXPECT_EQ(QApplication::focusWidget(), &main);
    QTest::keyClick(&main, Qt::Key_Tab);
    EXPECT_EQ(test::tabWalk(), QStringList({"Command1_0", "List1", "Command1_1", "Command2",
                                            "Command3_0", "Command3_1", "Command4"}));
    ed().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ed()));
    ed().Image1->setFocus();
    EXPECT_EQ(test::tabWalk(), QStringList({"Image1", "Image2", "Frameset1", "Comments1", "Link1"}))
        << "Save and Remove are disabled with nothing selected";
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));

    // Return runs Save HTML As wherever the focus is, but a focused button takes it itself.
    const std::tuple<QWidget*, Qt::Key, size_t, int> keys[] = {
        {&main, Qt::Key_Return, 1, 1},
        {main.List1, Qt::Key_Return, 2, 1},
        {main.List1, Qt::Key_Enter, 3, 1},
        {main.Command2, Qt::Key_Return, 3, 2}};
    for (const auto& [focus, key, dialogs, nodeCount] : keys) {
        focus->setFocus();
        QTest::keyClick(focus, key);
        ASSERT_EQ(platform.fileRequests.size(), dialogs) << focus->objectName().toStdString();
        EXPECT_EQ(platform.fileRequests.back().title, "Save HTML As");
        EXPECT_EQ(nodes().Count(), nodeCount);
    }
}

TEST_F(MainWindow, AddImageFillsLowestSlotAndStopsAt99) {
    for (int i = 0; i < 99; ++i)
        QTest::mouseClick(main.Command2, Qt::LeftButton);
    EXPECT_EQ(childKeys().first() + childKeys().last(), "Image1Image99");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(ed().Key1->text().isEmpty()); // adding does not select

    QTest::mouseClick(main.Command2, Qt::LeftButton);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], std::make_pair(QString("Maximum 99 images"), 16));
    EXPECT_EQ(nodes().Count(), 100);
    EXPECT_FALSE(module.table.slot(100).Name.has_value());
}

TEST_F(MainWindow, NodeClickLoadsTheRecordAndRootClickChangesNothing) {
    main.Command2_Click();
    main.Command2_Click();
    module.table.slot(2) = MenuImage{"Image2", "b.gif", "b2.gif", "main", "Go", "x.htm"};
    clickNode("Image2");
    const QStringList shown{ed().Image1->text(),    ed().Image2->text(), ed().Frameset1->text(),
                            ed().Comments1->text(), ed().Link1->text(),  ed().Key1->text()};
    EXPECT_EQ(shown, (QStringList{"b.gif", "b2.gif", "main", "Go", "x.htm", "Image2"}));
    main.Timer1_Timer();
    EXPECT_EQ(ed().windowTitle(), "Image2");
    EXPECT_TRUE(ed().Command1->isEnabled() && ed().Command2->isEnabled());

    ed().Comments1->setText("typed, not saved");
    clickNode("r");
    EXPECT_EQ(ed().Key1->text() + ed().Comments1->text(), "Image2typed, not saved");
    // A right-click neither loads nor moves the highlight.
    clickNode("Image2");
    QTest::mouseClick(main.List1->viewport(), Qt::RightButton, {},
                      main.List1->visualItemRect(nodes().find("Image1")->item()).center());
    EXPECT_EQ(main.List1->currentItem(), nodes().find("Image2")->item());
    EXPECT_EQ(ed().Key1->text() + ed().Comments1->text(), "Image2typed, not saved");
    EXPECT_TRUE(platform.questions.empty());
}

TEST_F(MainWindow, SwitchingImagesAsksAboutTyping) {
    for (int i = 0; i < 3; ++i)
        main.Command2_Click();
    // Typed into Image2's default picture, then Image3 chosen by mouse or keyboard.
    const struct {
        QString typed;
        std::optional<Answer> answer;
        bool keyboard;
        QString stored, editing, message;
    } rows[] = {{"", {}, false, "", "Image3", ""},
                {"two.gif", Answer::Yes, false, "two.gif", "Image3", ""},
                {"two.gif", Answer::No, true, "", "Image3", ""},
                {"two.gif", Answer::Cancel, false, "", "Image2", ""},
                {"two.gif", Answer::Cancel, true, "", "Image2", ""},
                {"", Answer::Yes, false, "", "Image2", "Please enter a default image to show"}};
    for (const auto& row : rows) {
        module.table.makeNewRecord(2);
        main.List1_NodeClick(*nodes().find("Image1"));
        clickNode("Image2");
        ed().Image1->setText(row.typed);
        ed().Link1->setText(row.answer ? "x.htm" : "");
        platform.questions.clear();
        platform.messages.clear();
        if (row.answer)
            platform.answers.push_back(*row.answer);
        if (row.keyboard)
            QTest::keyClick(main.List1, Qt::Key_Down);
        else
            clickNode("Image3");
        const std::vector<QString> asked(row.answer ? 1 : 0, "Save changes to Image2?");
        EXPECT_EQ(platform.questions, asked);
        EXPECT_EQ(text(module.table.slot(2).DefaultImage), row.stored.toStdString());
        EXPECT_EQ(ed().Key1->text(), row.editing);
        EXPECT_EQ(main.List1->currentItem(), nodes().find(row.editing)->item());
        EXPECT_EQ(ed().Image1->text(), row.editing == "Image2" ? row.typed : "");
        EXPECT_EQ(platform.messages.empty() ? "" : platform.messages[0].first, row.message);
    }
}

TEST_F(MainWindow, DoubleClickKeepsRootExpanded) {
    main.Command2_Click();
    QTreeWidgetItem* root = nodes()(1).item();
    for (QPoint at : {main.List1->visualItemRect(root).center(), QPoint(20, 200)}) {
        QTest::mouseDClick(main.List1->viewport(), Qt::LeftButton, {}, at);
        EXPECT_TRUE(root->isExpanded() && nodes()(1).Expanded());
    }
}

TEST_F(MainWindow, SaveStoresExactTextsAndRefusesWithoutDefaultImage) {
    main.Command2_Click();
    main.Command2_Click();
    clickNode("Image2");
    fill({"", "over.gif", "t", "s", "l"});
    QTest::mouseClick(ed().Command1, Qt::LeftButton);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0],
              std::make_pair(QString("Please enter a default image to show"), 16));
    EXPECT_EQ(module.table.slot(2), (MenuImage{"Image2", "", "", "", "", ""}));
    EXPECT_EQ(ed().Image2->text(), "over.gif"); // the boxes keep what was typed

    module.CurrentIndex = 1;
    fill({" b.gif", "", "  ", "Joe's \"links\"", "http://example.org/?a=1&b=2 "});
    QTest::mouseClick(ed().Command1, Qt::LeftButton);
    EXPECT_EQ(platform.messages.size(), 1u); // no message on success
    EXPECT_EQ(module.CurrentIndex, 2);
    EXPECT_EQ(module.table.slot(2), (MenuImage{"Image2", " b.gif", "", "  ", "Joe's \"links\"",
                                               "http://example.org/?a=1&b=2 "}));
    EXPECT_EQ(nodes().find("Image2")->Text(), "Image2");
}

TEST_F(MainWindow, RemoveTakesNodeAndRecordThenAddReusesTheNumber) {
    for (int i = 0; i < 4; ++i)
        main.Command2_Click();
    // With nothing selected, Save and Remove do nothing.
    const MenuTable before = module.table;
    fill({"b.gif", "", "", "", ""});
    ed().Command1_Click();
    ed().Command2_Click();
    EXPECT_EQ(module.table, before);
    EXPECT_EQ(nodes().Count(), 5);
    EXPECT_TRUE(platform.messages.empty());

    clickNode("Image2");
    main.Timer1_Timer();
    ed().Link1->setText("typed"); // removed with the image, without a question
    QTest::mouseClick(ed().Command2, Qt::LeftButton);
    EXPECT_TRUE(platform.questions.empty());
    EXPECT_EQ(childKeys(), (QStringList{"Image1", "Image3", "Image4"}));
    EXPECT_TRUE(!main.List1->currentItem() && main.List1->selectedItems().isEmpty());
    EXPECT_EQ(module.table.slot(2), (MenuImage{"", "", "", "", "", ""}));
    EXPECT_TRUE(ed().Key1->text().isEmpty() && ed().Image1->text().isEmpty());
    main.Timer1_Timer();
    EXPECT_EQ(ed().windowTitle(), "No image selected");
    EXPECT_FALSE(ed().Command2->isEnabled());

    fill({"x.gif", "", "", "", ""}); // Save after Remove: Key1 is empty
    ed().Command1_Click();
    EXPECT_EQ(module.table.slot(2), (MenuImage{"", "", "", "", "", ""}));

    main.Command2_Click();
    EXPECT_EQ(text(module.table.slot(2).Name), "Image2");
    EXPECT_EQ(childKeys(), (QStringList{"Image1", "Image3", "Image4", "Image2"}));
}

TEST_F(MainWindow, TickDocksMinimisesAndRestoresTheEditor) {
    main.move(100, 50);
    main.Timer1_Timer();
    EXPECT_TRUE(docked());
    ed().move(500, 400); // dragged away
    main.Timer1_Timer();
    EXPECT_TRUE(docked());
    main.resize(400, 307);
    main.Timer1_Timer();
    EXPECT_EQ(ed().frameGeometry().left(), main.frameGeometry().right() + 1);

    Form::setState(main, Form::Minimized);
    main.Timer1_Timer();
    EXPECT_EQ(Form::State(ed()), Form::Minimized);
    Form::setState(main, Form::Normal);
    main.Timer1_Timer();
    EXPECT_EQ(Form::State(ed()), Form::Normal);

    // A maximised main window neither moves nor minimises the editor.
    const QPoint edAt = ed().pos();
    Form::setState(main, Form::Maximized);
    QCoreApplication::processEvents(); // the window takes the whole screen
    ASSERT_FALSE(docked());
    main.Timer1_Timer();
    EXPECT_EQ(Form::State(ed()), Form::Normal);
    EXPECT_EQ(ed().pos(), edAt);
    Form::setState(main, Form::Normal);
    main.Timer1_Timer();
    EXPECT_TRUE(docked());
}

TEST_F(MainWindow, SteadyStateTickWritesNothing) {
    main.Command2_Click();
    for (bool selected : {false, true}) {
        if (selected)
            clickNode("Image1");
        main.Timer1_Timer();
        ChangeCounter counter;
        for (QWidget* w : std::initializer_list<QWidget*>{&ed(), ed().Command1, ed().Command2})
            w->installEventFilter(&counter);
        for (int i = 0; i < 5; ++i)
            main.Timer1_Timer();
        QCoreApplication::processEvents();
        EXPECT_EQ(counter.count, 0) << "selected=" << selected;
    }
}

TEST_F(MainWindow, UnsavedWorkIsAskedAboutBeforeExitCloseOrOpen) {
    test::TempFolder dir;
    const QString base = QString::fromStdString(dir.file("base.lxp"));
    const QString saved = QString::fromStdString(dir.file("saved.lxp"));
    main.Command2_Click();
    platform.fileAnswers.push_back(base);
    ASSERT_TRUE(main.SaveProject());
    // Exit, either close box, and Open Project, which goes on to its dialog (cancelled here).
    const std::function<void()> triggers[] = {[&] { main.Command1[0]->click(); },
                                              [&] { main.close(); }, [&] { ed().close(); },
                                              [&] { main.Command3[1]->click(); }};
    enum Change { None, Added, Typed, TypedNoPicture };
    const struct {
        Change change;
        std::optional<Answer> answer;
        QString saveAs; // null: the save dialog is cancelled
        bool goesOn;
        int messages;
    } rows[] = {{None, {}, {}, true, 0},
                {Added, Answer::Cancel, {}, false, 0},
                {Added, Answer::No, {}, true, 0},
                {Added, Answer::Yes, {}, false, 0},
                {Added, Answer::Yes, saved + "/x", false, 1},
                {Typed, Answer::Yes, saved, true, 0},
                {TypedNoPicture, Answer::Yes, saved, false, 1}};
    for (int t = 0; t < 4; ++t) {
        for (const auto& row : rows) {
            main.show(); // again, after a close that went on
            ed().show();
            ASSERT_TRUE(main.openProjectFile(base, WhenMissing::Fail)); // Image1, saved
            if (row.change == Added)
                main.Command2_Click();
            if (row.change != None)
                main.List1_NodeClick(*nodes().find("Image1"));
            if (row.change == Typed)
                ed().Image1->setText("typed.gif");
            if (row.change == TypedNoPicture)
                ed().Link1->setText("x.htm");
            EXPECT_EQ(main.hasUnsavedChanges(), row.change != None);
            platform.questions.clear(), platform.messages.clear(), platform.fileRequests.clear();
            platform.endCount = 0;
            if (row.answer) {
                platform.answers.push_back(*row.answer);
                platform.fileAnswers.push_back(row.saveAs);
            }
            triggers[t]();
            const auto where = ::testing::Message() << "trigger " << t << ", change " << row.change;
            const std::vector<QString> asked(row.answer ? 1 : 0, "Save changes to the project?");
            EXPECT_EQ(platform.questions, asked) << where;
            const auto& dialogs = platform.fileRequests;
            EXPECT_EQ(platform.endCount == 1 ||
                          (!dialogs.empty() && dialogs.back().mode == FileDialogRequest::Open),
                      row.goesOn)
                << where;
            EXPECT_EQ(platform.messages.size(), static_cast<size_t>(row.messages)) << where;
            const bool savedNow = row.answer == Answer::Yes && row.goesOn;
            EXPECT_EQ(main.hasUnsavedChanges(), row.change != None && !savedNow) << where;
            if (row.change == Typed) { // stored into the record, then saved
                EXPECT_EQ(test::readBytes(dir.file("saved.lxp")).substr(10, 13),
                          std::string("\x08\0\x09\0typed.gif", 13));
            }
            platform.fileAnswers.clear();
        }
    }
}

TEST_F(MainWindow, AboutLabelTurnsMagentaWhilePressed) {
    auto color = [&] { return main.Label2->palette().color(QPalette::WindowText); };
    EXPECT_EQ(color(), QColor(0, 0, 255));
    EXPECT_TRUE(main.Label2->font().underline());
    EXPECT_EQ(main.Label2->cursor().shape(), Qt::UpArrowCursor);
    QTest::mousePress(main.Label2, Qt::LeftButton);
    EXPECT_EQ(color(), QColor(255, 0, 255));
    // The release is a click, which opens the modal About box: close it again at once.
    QTimer::singleShot(0, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    QTest::mouseRelease(main.Label2, Qt::LeftButton);
    EXPECT_EQ(color(), QColor(0, 0, 255));
}
