#include "platform/Form.h"
#include "platform/LinkLabel.h"
#include "project/ProjectFile.h"
#include "support/Controls.h"

using namespace lanternix;
using namespace lanternix::test;
using State = std::tuple<QString, bool, bool, bool>; // the editor's caption, shown, Save, Remove

namespace {

class MainWindow : public ::testing::Test {
protected:
    MainWindow() {
        // It ticks from the start, every 10 ms; here ticks are driven by hand.
        EXPECT_TRUE(main.Timer1->isActive() && main.Timer1->interval() == 10);
        main.Timer1->stop();
        main.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&main));
    }
    TreeNodes& nodes() { return main.List1->Nodes(); }
    frmButton& ed() { return main.editor(); }
    QString tree() { return treeText(*main.List1); }
    void clickNode(const QString& key, Qt::MouseButton button = Qt::LeftButton) {
        const QRect at = main.List1->visualItemRect(nodes().find(key)->item());
        QTest::mouseClick(main.List1->viewport(), button, {}, at.center());
    }
    void fill(const QStringList& texts) {
        for (int i = 0; i < 5; ++i)
            ed().findChild<QLineEdit*>(Boxes[i])->setText(texts[i]);
    }
    State editor() {
        return {ed().windowTitle(), ed().isVisible(), ed().Command1->isEnabled(),
                ed().Command2->isEnabled()};
    }
    bool docked() {
        return ed().frameGeometry().topLeft() == main.frameGeometry().topRight() + QPoint(1, 0);
    }

    Module1 module;
    FakePlatform platform;
    frmMain main{module, platform};
};

} // namespace

TEST_F(MainWindow, StartsEmptyWithEveryControlInPlaceAndAddsUpTo99Images) {
    EXPECT_EQ(main.windowTitle() + " " + tree(), "Lanternix 2.0 rHTML+");
    // No editor until the first tick after this window is on screen makes and shows it.
    const auto editorShown = [] {
        return std::ranges::count_if(QApplication::topLevelWidgets(), [](QWidget* w) {
            return qobject_cast<frmButton*>(w) && w->isVisible();
        });
    };
    EXPECT_EQ(editorShown(), 0);
    main.Timer1->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return editorShown() == 1; }));
    main.Timer1->stop();
    EXPECT_EQ(editor(), State("No image selected", true, false, false));
    EXPECT_TRUE(docked());

    // Every control in its place with its caption; the page buffer out of sight below.
    EXPECT_EQ(main.size(), QSize(toPixels(4560), toPixels(4605)));
    expectControls(
        main, {"List1||120 120 2655 3495",
               "Label1|In the HTML the images will arrive according to the Number they "
               "have, no the order in this list.|120 3840 2655 615",
               "Command3_1|&Open Project|2880 1320 1575 375",
               "Command3_0|Save &Project As|2880 1800 1575 375",
               "Command1_1|&Save HTML As|2880 2280 1590 375", "Command1_0|E&xit|2880 2760 1590 375",
               "Command2|&Add Image|2760 3240 1095 375", "Command4|HTML|3180 4350 570 210",
               "Label2|About|3960 4320 510 240", "Html1||240 4785 3915 2775"});
    EXPECT_EQ(std::pair(ed().minimumSize(), ed().maximumSize()), // it cannot be resized
              std::pair(QSize(toPixels(5925), toPixels(4635)), ed().minimumSize()));
    // Etched frames with their captions on the top line, clear of the captions inside.
    for (const QWidget* frame : {ed().Frame1, ed().Frame2})
        EXPECT_EQ(frame->contentsRect().topLeft(), QPoint(2, 8));
    expectControls(ed(),
                   {"Frame1|Main|165 165 5460 1560", "Label1|Default image:|120 255 1785 210",
                    "Image1||120 480 5205 285", "Label2|OnOver Image|120 825 1035 195",
                    "Label6|Leave blank, if you want this image to be normal|1800 840 3615 255",
                    "Image2||120 1065 5205 285", "Frame2|General|165 1845 5460 2115",
                    "Label3|Frameset Target:|120 210 1200 195", "Frameset1||120 465 5205 285",
                    "Label4|Status Text/ALT|120 795 1785 210", "Comments1||120 1035 5205 285",
                    "Label5|HyperLink|135 1395 855 255", "Link1||120 1635 5205 285",
                    "Command1|Save|240 4080 1545 405", "Command2|Remove|1920 4080 1455 375",
                    "Label8|Image:|3480 4080 615 255", "Key1||4080 4080 735 255",
                    "Label7|Max: 99 images|4680 4440 1110 195"});

    // The window itself holds the focus at start; the first Tab goes to Exit.
    auto activate = [](QWidget& w) { return w.activateWindow(), QTest::qWaitForWindowActive(&w); };
    ASSERT_TRUE(activate(main));
    EXPECT_EQ(QApplication::focusWidget(), &main);
    QTest::keyClick(&main, Qt::Key_Tab);
    EXPECT_EQ(tabWalk(), QStringList({"Command1_0", "List1", "Command1_1", "Command2", "Command3_0",
                                      "Command3_1", "Command4"}));
    ASSERT_TRUE(activate(ed()));
    ed().Image1->setFocus();
    EXPECT_EQ(tabWalk(), QStringList({"Image1", "Image2", "Frameset1", "Comments1", "Link1"}))
        << "Save and Remove are disabled with nothing selected";

    // Return runs Save HTML As wherever the focus is, but a focused button takes it itself; the
    // button is drawn as the one Return runs.
    EXPECT_TRUE(main.Command1[1]->isDefault() && !main.Command1[0]->isDefault());
    ASSERT_TRUE(activate(main));
    const std::tuple<QWidget*, Qt::Key, int, int> keys[] = {{&main, Qt::Key_Return, 1, 1},
                                                            {main.List1, Qt::Key_Return, 2, 1},
                                                            {main.List1, Qt::Key_Enter, 3, 1},
                                                            {main.Command2, Qt::Key_Return, 3, 2}};
    for (const auto& [focus, key, dialogs, nodeCount] : keys) {
        focus->setFocus();
        QTest::keyClick(focus, key);
        EXPECT_EQ(platform.dialogs(),
                  QStringList(dialogs, "Save|Save HTML As|HTML files (*.htm *.html)|34816|"));
        EXPECT_EQ(nodes().Count(), nodeCount);
    }

    // Add Image stops at 99; the root shows the closed folder, each image the picture symbol.
    for (int i = 0; i < 99; ++i)
        QTest::mouseClick(main.Command2, Qt::LeftButton);
    EXPECT_EQ(platform.said(), QStringList("16: Maximum 99 images"));
    EXPECT_EQ(nodes()(100).Key() + " " + ed().Key1->text(), "Image99 "); // and none selected
    auto picture = [](const QIcon& icon) { return icon.pixmap(13).toImage(); };
    EXPECT_TRUE(picture(nodes()(1).item()->icon(0)) == picture(QPixmap(":/pictures/closed.xpm")));
    EXPECT_TRUE(picture(nodes()(100).item()->icon(0)) == picture(QPixmap(":/pictures/image.xpm")));
    EXPECT_TRUE(picture(main.windowIcon()) == picture(QPixmap(":/pictures/lanternix.xpm")));
    EXPECT_EQ(main.List1->iconSize(), QSize(13, 13));
}

TEST_F(MainWindow, EditorLoadsSavesAndRemovesTheClickedImage) {
    for (int i = 0; i < 3; ++i)
        main.Command2_Click();
    const MenuImage record{"Image2", "b.gif", "b2.gif", "main", "Go", "x.htm"};
    module.table.slot(2) = record;
    clickNode("Image2");
    main.Timer1_Timer();
    EXPECT_EQ(captions(ed(), Boxes),
              (QStringList{"b.gif", "b2.gif", "main", "Go", "x.htm", "Image2"}));
    EXPECT_EQ(editor(), State("Image2", true, true, true));

    // Neither the root nor a right-click loads anything; a double-click leaves the root open.
    ed().Comments1->setText("typed");
    clickNode("r");
    clickNode("Image1", Qt::RightButton);
    QTreeWidgetItem* root = nodes()(1).item();
    for (QPoint at : {main.List1->visualItemRect(root).center(), QPoint(20, 200)})
        QTest::mouseDClick(main.List1->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(std::tuple(main.List1->currentItem() == root, tree(), captions(ed(), Boxes),
                         platform.questions.size()),
              std::tuple(true, QString("rHTML+ Image1 Image2 Image3"),
                         QStringList{"b.gif", "b2.gif", "main", "typed", "x.htm", "Image2"}, 0u));

    // Save needs a default picture; then it stores every box as typed, empty ones too.
    fill({"", "over.gif", "t", "s", "l"});
    QTest::mouseClick(ed().Command1, Qt::LeftButton);
    EXPECT_EQ(platform.said(), QStringList("16: Please enter a default image to show"));
    EXPECT_EQ(module.table.slot(2), record);
    EXPECT_EQ(ed().Image2->text(), "over.gif"); // the boxes keep what was typed
    module.CurrentIndex = 1;
    fill({" b.gif", "x", "  ", "Joe's \"links\"", "http://example.org/?a=1&b=2 "});
    QTest::keyClick(ed().Link1, Qt::Key_Return); // Return in a box is Save
    EXPECT_EQ(module.table.slot(2), (MenuImage{"Image2", " b.gif", "x", "  ", "Joe's \"links\"",
                                               "http://example.org/?a=1&b=2 "}));
    EXPECT_EQ(module.CurrentIndex, 2);
    fill({"b.gif", "", "", "", ""});
    QTest::mouseClick(ed().Command1, Qt::LeftButton);
    EXPECT_EQ(module.table.slot(2), (MenuImage{"Image2", "b.gif", "", "", "", ""}));
    EXPECT_EQ(platform.messages.size(), 1u); // no message on success

    // Remove takes the node, the record and the typing without a question.
    module.CurrentIndex = 7;
    fill({"a", "b", "c", "d", "e"});
    QTest::mouseClick(ed().Command2, Qt::LeftButton);
    main.Timer1_Timer();
    EXPECT_TRUE(platform.questions.empty() && !main.List1->currentItem() &&
                main.List1->selectedItems().isEmpty());
    EXPECT_EQ(module.table.slot(2), (MenuImage{"", "", "", "", "", ""}));
    EXPECT_EQ(std::tuple(tree(), module.CurrentIndex, captions(ed(), Boxes), editor()),
              std::tuple(QString("rHTML+ Image1 Image3"), 7, QStringList(6, ""),
                         State("No image selected", true, false, false)));
    // Then Save and Remove do nothing; Add Image takes the number again.
    const MenuTable removed = module.table;
    fill({"x.gif", "", "", "", ""});
    ed().Command1_Click();
    ed().Command2_Click();
    EXPECT_EQ(module.table, removed);
    main.Command2_Click();
    EXPECT_EQ(tree(), "rHTML+ Image1 Image3 Image2");
}

TEST_F(MainWindow, SwitchingImagesAsksAboutTyping) {
    for (int i = 0; i < 3; ++i)
        main.Command2_Click();
    // Typed into Image2's default picture (with an answer: and its link), then Image3 chosen by
    // mouse or keyboard; then what Image2 stores, the image edited and the message shown.
    const std::tuple<QString, std::optional<Answer>, bool, QString, QString, QString> rows[] = {
        {"", {}, false, "", "Image3", ""},
        {"two.gif", Answer::Yes, false, "two.gif", "Image3", ""},
        {"two.gif", Answer::No, true, "", "Image3", ""},
        {"two.gif", Answer::Cancel, false, "", "Image2", ""},
        {"two.gif", Answer::Cancel, true, "", "Image2", ""},
        {"", Answer::Yes, false, "", "Image2", "16: Please enter a default image to show"}};
    for (const auto& [typed, answer, keyboard, stored, editing, message] : rows) {
        module.table.makeNewRecord(2);
        main.List1_NodeClick(*nodes().find("Image1"));
        clickNode("Image2");
        ed().Image1->setText(typed);
        ed().Link1->setText(answer ? "x.htm" : "");
        platform.forget();
        platform.otherwise = answer.value_or(Answer::Cancel);
        keyboard ? QTest::keyClick(main.List1, Qt::Key_Down) : clickNode("Image3");
        EXPECT_EQ(std::tuple(platform.questions, text(module.table.slot(2).DefaultImage),
                             ed().Key1->text(), ed().Image1->text(), platform.said().join(""),
                             main.List1->currentItem()->text(0)),
                  std::tuple(std::vector<QString>(answer.has_value(), "Save changes to Image2?"),
                             stored.toStdString(), editing, editing == "Image2" ? typed : "",
                             message, editing));
    }
}

TEST_F(MainWindow, TickDocksMinimisesAndRestoresTheEditor) {
    // Following this window's moves and size, and back after being dragged away.
    const std::function<void()> moves[] = {
        [&] { main.move(100, 50); }, [&] { ed().move(500, 400); }, [&] { main.resize(400, 307); }};
    for (const auto& move : moves) {
        move();
        main.Timer1_Timer();
        EXPECT_TRUE(docked());
    }

    // Minimised and restored with this window; a maximised one neither moves nor minimises it.
    const QPoint edAt = ed().pos();
    for (auto state : {Form::Minimized, Form::Normal, Form::Maximized}) {
        Form::setState(main, state);
        QCoreApplication::processEvents(); // a maximised window takes the whole screen
        main.Timer1_Timer();
        EXPECT_EQ(std::tuple(Form::State(ed()), ed().pos(), docked()),
                  std::tuple(state == Form::Minimized ? state : Form::Normal, edAt,
                             state != Form::Maximized));
    }
    Form::setState(main, Form::Normal);
    main.Timer1_Timer();
    EXPECT_TRUE(docked());
}

TEST_F(MainWindow, UnsavedWorkIsAskedAboutBeforeExitCloseOrOpen) {
    TempFolder dir;
    const QString base = QString::fromStdString(dir.file("base.lxp")),
                  saved = QString::fromStdString(dir.file("saved.lxp"));
    main.Command2_Click();
    platform.fileAnswers = {base};
    ASSERT_TRUE(main.SaveProject());
    // Exit, either close box, and Open Project, which goes on to its dialog (cancelled here).
    const std::function<void()> triggers[] = {[&] { main.Command1[0]->click(); },
                                              [&] { main.close(); }, [&] { ed().close(); },
                                              [&] { main.Command3[1]->click(); }};
    enum Change { None, Added, Typed, TypedNoPicture };
    // The change, the answer and the name to save as (null: cancelled); then whether the program
    // goes on, and the messages shown.
    const std::tuple<Change, Answer, QString, bool, size_t> rows[] = {
        {None, Answer::Cancel, {}, true, 0},
        {Added, Answer::Cancel, {}, false, 0},
        {Added, Answer::No, {}, true, 0},
        {Added, Answer::Yes, {}, false, 0},
        {Added, Answer::Yes, saved + "/x", false, 1},
        {Typed, Answer::Yes, saved, true, 0},
        {TypedNoPicture, Answer::Yes, saved, false, 1}};
    for (int t = 0; t < 4; ++t) {
        for (const auto& [change, answer, saveAs, goesOn, messages] : rows) {
            SCOPED_TRACE(::testing::Message() << "trigger " << t << ", change " << change);
            main.show(); // again, after a close that went on
            ed().show();
            main.openProjectFile(base, WhenMissing::Fail); // Image1, saved
            if (change == Added)
                main.Command2_Click();
            if (change != None)
                main.List1_NodeClick(*nodes().find("Image1"));
            if (change >= Typed) // into the default picture, or only into the link
                (change == Typed ? ed().Image1 : ed().Link1)->setText("typed.gif");
            platform.forget();
            platform.fileAnswers = {saveAs};
            platform.otherwise = answer;
            triggers[t]();
            const bool wentOn =
                platform.endCount == 1 || platform.dialogs().join(" ").contains("Open|");
            EXPECT_EQ(
                std::tuple(platform.questions, wentOn, platform.messages.size(),
                           main.hasUnsavedChanges()),
                std::tuple(std::vector<QString>(change != None, "Save changes to the project?"),
                           goesOn, messages, change != None && !(answer == Answer::Yes && goesOn)));
        }
    }
    // What was typed went into the record, and the record into the file.
    EXPECT_EQ(readBytes(dir.file("saved.lxp")).substr(10, 13),
              std::string("\x08\0\x09\0typed.gif", 13));
}

TEST_F(MainWindow, AboutLabelTurnsMagentaWhilePressed) {
    auto color = [&] { return main.Label2->palette().color(QPalette::WindowText); };
    EXPECT_EQ(std::tuple(color(), main.Label2->font().underline(), main.Label2->cursor().shape()),
              std::tuple(QColor(0, 0, 255), true, Qt::UpArrowCursor));
    QTest::mousePress(main.Label2, Qt::LeftButton);
    EXPECT_EQ(color(), QColor(255, 0, 255));
    // The release is a click, which opens the modal About box: close it again at once.
    QTimer::singleShot(0, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    QTest::mouseRelease(main.Label2, Qt::LeftButton);
    EXPECT_EQ(color(), QColor(0, 0, 255));
    // A release after that, with no press of its own (one begun elsewhere), is no click. The
    // look is waited for: on Windows one round of events may not run a timer.
    QWidget* opened = nullptr;
    bool looked = false;
    QTimer::singleShot(0, &main, [&] {
        if ((opened = QApplication::activeModalWidget()))
            opened->close();
        looked = true;
    });
    QTest::mouseRelease(main.Label2, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return looked; }));
    EXPECT_EQ(opened, nullptr);
}
