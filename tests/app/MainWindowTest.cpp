#include "platform/Form.h"
#include "platform/LinkLabel.h"
#include "project/ProjectFile.h"
#include "support/Controls.h"
#include "support/GoldenPicture.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QTextDocumentFragment>

using namespace lanternix;
using namespace lanternix::test;
// The editor's caption, whether it is shown, Save, Remove, and how many boxes take typing.
using State = std::tuple<QString, bool, bool, bool, long>;

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
                ed().Command2->isEnabled(),
                std::ranges::count_if(ed().boxes(), [](auto b) { return b.first->isEnabled(); })};
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
    EXPECT_EQ(editor(), State("No image selected", true, false, false, 0));
    EXPECT_TRUE(docked());

    // Every control in its place with its caption; the editor cannot be resized, and with
    // nothing selected its boxes take no typing.
    EXPECT_TRUE(looksLike("main", main));
    EXPECT_TRUE(looksLike("editor-nothing-selected", ed()));
    EXPECT_EQ(std::pair(ed().minimumSize(), ed().maximumSize()),
              std::pair(QSize(toPixels(5925), toPixels(4635)), ed().minimumSize()));

    // The window itself holds the focus at start; the first Tab goes to Exit.
    auto activate = [](QWidget& w) { return w.activateWindow(), QTest::qWaitForWindowActive(&w); };
    ASSERT_TRUE(activate(main));
    EXPECT_EQ(QApplication::focusWidget(), &main);
    QTest::keyClick(&main, Qt::Key_Tab);
    EXPECT_EQ(tabWalk(), QStringList({"Command1_0", "List1", "Command1_1", "Command2", "Command3_0",
                                      "Command3_1", "Command4"}));
    ASSERT_TRUE(activate(ed()));
    QTest::keyClicks(ed().Image1, "x"); // with nothing selected, typing would be lost
    EXPECT_EQ(ed().Image1->text(), "");

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
        EXPECT_EQ(platform.log.count('\n'), dialogs);
        EXPECT_EQ(platform.log.count("Save dialog \"Save HTML As\" (HTML files (*.htm *.html), "
                                     "flags 34818)"),
                  dialogs);
        EXPECT_EQ(nodes().Count(), nodeCount);
    }

    // Add Image stops at 99, selecting none; the root shows the closed folder, each image the
    // picture symbol.
    for (int i = 0; i < 99; ++i)
        QTest::mouseClick(main.Command2, Qt::LeftButton);
    EXPECT_TRUE(platform.log.endsWith("cancelled\nmessage 16: Maximum 99 images\n"));
    EXPECT_EQ(nodes()(100).Key() + " " + ed().Key1->text(), "Image99 ");
    EXPECT_TRUE(looksLike("main-99-images", main));
    EXPECT_TRUE(main.windowIcon().pixmap(32).toImage() ==
                QPixmap(":/pictures/lanternix.xpm").toImage());
}

TEST_F(MainWindow, EditorLoadsSavesAndRemovesTheClickedImage) {
    for (int i = 0; i < 3; ++i)
        main.Command2_Click();
    const MenuImage record{"Image2", "b.gif", "b2.gif", "main", "Go", "x.htm"};
    module.table.slot(2) = record;
    const QPoint on2 = main.List1->visualItemRect(nodes().find("Image2")->item()).center();
    QTest::mousePress(main.List1->viewport(), Qt::LeftButton, {}, on2);
    EXPECT_NE(ed().Key1->text(), "Image2"); // a node is clicked when the mouse is let go
    QTest::mouseRelease(main.List1->viewport(), Qt::LeftButton, {}, on2);
    main.Timer1_Timer();
    EXPECT_TRUE(looksLike("editor-image2", ed()));
    EXPECT_EQ(editor(), State("Image2", true, true, true, 5));
    ed().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ed()));
    ed().Image1->setFocus();
    EXPECT_EQ(tabWalk(), QStringList({"Image1", "Image2", "Frameset1", "Comments1", "Link1",
                                      "Command1", "Command2"}));

    // Neither the root nor a right-click loads anything; a double-click leaves the root open.
    ed().Comments1->setText("typed");
    clickNode("r");
    clickNode("Image1", Qt::RightButton);
    QTreeWidgetItem* root = nodes()(1).item();
    for (QPoint at : {main.List1->visualItemRect(root).center(), QPoint(20, 200)})
        QTest::mouseDClick(main.List1->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(
        std::tuple(main.List1->currentItem() == root, tree(), captions(ed(), Boxes), platform.log),
        std::tuple(true, QString("rHTML+ Image1 Image2 Image3"),
                   QStringList{"b.gif", "b2.gif", "main", "typed", "x.htm", "Image2"}, ""));

    // Save needs a default picture; then it stores every box as typed, empty ones too.
    fill({"", "over.gif", "t", "s", "l"});
    QTest::mouseClick(ed().Command1, Qt::LeftButton);
    EXPECT_EQ(platform.log, "message 16: Please enter a default image to show\n");
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
    EXPECT_EQ(platform.log.count('\n'), 1); // no message on success

    // Remove takes the node, the record and the typing without a question.
    module.CurrentIndex = 7;
    fill({"a", "b", "c", "d", "e"});
    QTest::mouseClick(ed().Command2, Qt::LeftButton);
    main.Timer1_Timer();
    EXPECT_TRUE(platform.log.count('\n') == 1 && !main.List1->currentItem() &&
                main.List1->selectedItems().isEmpty());
    EXPECT_EQ(module.table.slot(2), (MenuImage{"", "", "", "", "", ""}));
    EXPECT_EQ(std::tuple(tree(), module.CurrentIndex, captions(ed(), Boxes), editor()),
              std::tuple(QString("rHTML+ Image1 Image3"), 7, QStringList(6, ""),
                         State("No image selected", true, false, false, 0)));
    // Then Save and Remove do nothing; Add Image takes the number again.
    const MenuTable removed = module.table;
    fill({"x.gif", "", "", "", ""});
    ed().Command1_Click();
    ed().Command2_Click();
    EXPECT_EQ(module.table, removed);
    main.Command2_Click();
    EXPECT_EQ(tree(), "rHTML+ Image1 Image3 Image2");
}

// Typed into Image2's default picture (and, answering, its link), then Image3 chosen by mouse or
// keyboard: what is asked and said, what Image2 stores, the image edited and the highlight, as
// tests/data/messages/switching-images.txt shows them.
TEST_F(MainWindow, SwitchingImagesAsksAboutTyping) {
    for (int i = 0; i < 3; ++i)
        main.Command2_Click();
    const std::tuple<QString, std::optional<Answer>, bool> rows[] = {
        {"", {}, false},
        {"two.gif", Answer::Yes, false},
        {"two.gif", Answer::No, true},
        {"two.gif", Answer::Cancel, false},
        {"two.gif", Answer::Cancel, true},
        {"", Answer::Yes, false}};
    for (const auto& [typed, answer, keyboard] : rows) {
        module.table.makeNewRecord(2);
        main.List1_NodeClick(*nodes().find("Image1"));
        clickNode("Image2");
        ed().Image1->setText(typed);
        ed().Link1->setText(answer ? "x.htm" : "");
        platform.otherwise = answer.value_or(Answer::Cancel);
        platform.log += QStringLiteral("-- typed \"%1\", then %2\n")
                            .arg(typed, keyboard ? "the Down key" : "a click on Image3");
        keyboard ? QTest::keyClick(main.List1, Qt::Key_Down) : clickNode("Image3");
        platform.log +=
            QStringLiteral("Image2 holds \"%1\"; editing %2 (\"%3\"), highlighted %4\n")
                .arg(QString::fromStdString(text(module.table.slot(2).DefaultImage)),
                     ed().Key1->text(), ed().Image1->text(), main.List1->currentItem()->text(0));
    }
    EXPECT_TRUE(matchesGolden("messages/switching-images.txt", platform.transcript({})));
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

    // Minimised and restored with this window; a maximised one neither moves nor minimises it,
    // and still hides the page buffer.
    const QPoint edAt = ed().pos();
    for (auto state : {Form::Minimized, Form::Normal, Form::Maximized}) {
        Form::setState(main, state);
        QCoreApplication::processEvents(); // a maximised window takes the whole screen
        main.Timer1_Timer();
        EXPECT_EQ(
            std::tuple(Form::State(ed()), ed().pos(), docked(), main.pageBuffer().isVisible()),
            std::tuple(state == Form::Minimized ? state : Form::Normal, edAt,
                       state != Form::Maximized, false));
    }
    Form::setState(main, Form::Normal);
    main.Timer1_Timer();
    EXPECT_TRUE(docked());
}

// Exit, either close box, and Open Project (which goes on to its dialog, cancelled here), after
// each kind of change and answer: what is asked and said, whether the program ends or opens, and
// what is still unsaved, as tests/data/messages/unsaved-work.txt shows them.
TEST_F(MainWindow, UnsavedWorkIsAskedAboutBeforeExitCloseOrOpen) {
    TempFolder dir;
    const QString base = QString::fromStdString(dir.file("base.lxp")),
                  saved = QString::fromStdString(dir.file("saved.lxp"));
    main.Command2_Click();
    platform.fileAnswers = {base};
    ASSERT_TRUE(main.SaveProject());
    const std::pair<const char*, std::function<void()>> triggers[] = {
        {"Exit", [&] { main.Command1[0]->click(); }},
        {"the main window closed", [&] { main.close(); }},
        {"the editor closed", [&] { ed().close(); }},
        {"Open Project", [&] { main.Command3[1]->click(); }}};
    enum Change { None, Added, Typed, TypedNoPicture };
    const char* changes[] = {"nothing", "an image added", "a picture typed", "a link typed"};
    // The change, the answer and the name to save as (null: cancelled).
    const std::tuple<Change, Answer, QString> rows[] = {{None, Answer::Cancel, {}},
                                                        {Added, Answer::Cancel, {}},
                                                        {Added, Answer::No, {}},
                                                        {Added, Answer::Yes, {}},
                                                        {Added, Answer::Yes, saved + "/x"},
                                                        {TypedNoPicture, Answer::Yes, saved},
                                                        {Typed, Answer::Yes, saved}};
    for (const auto& [trigger, act] : triggers) {
        for (const auto& [change, answer, saveAs] : rows) {
            main.show(); // again, after a close that went on
            ed().show();
            main.openProjectFile(base, WhenMissing::Fail); // Image1, saved
            if (change == Added)
                main.Command2_Click();
            if (change != None)
                main.List1_NodeClick(*nodes().find("Image1"));
            if (change >= Typed) // into the default picture, or only into the link
                (change == Typed ? ed().Image1 : ed().Link1)->setText("typed.gif");
            std::filesystem::remove(dir.file("saved.lxp")); // nothing to replace
            platform.fileAnswers = {saveAs};
            platform.otherwise = answer;
            platform.log += QStringLiteral("-- %1 after %2\n").arg(trigger, changes[change]);
            act();
            platform.log += QString(main.hasUnsavedChanges() ? "unsaved" : "nothing unsaved") +
                            (main.isVisible() && ed().isVisible() ? "\n" : ", a window closed\n");
        }
    }
    EXPECT_TRUE(matchesGolden(
        "messages/unsaved-work.txt",
        platform.transcript({{QString::fromStdString(dir.path.string()), "<dir>"},
                             {platform.fileRequests[0].startFolder, "<documents>"}})));
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

// What the user is told and shown, with the temporary folder as DIR, is in the data file.
TEST_F(MainWindow, PictureBoxesTakeChosenPicturesFromTheSiteFolderAndShowThem) {
    TempFolder dir;
    const QString site = QString::fromStdString(dir.file("site")), home = site + "/img/home.png";
    QDir().mkpath(site + "/img");
    QImage(320, 100, QImage::Format_RGB32).save(home);
    QImage(100, 320, QImage::Format_RGB32).save(site + "/img/tall.png");
    main.Command2_Click();
    clickNode("Image1");
    const auto choose = [&](QLineEdit* box, const QString& file) {
        platform.fileAnswers = {file};
        box->actions().front()->trigger(); // the folder button in the box
    };
    choose(ed().Image1, home); // before the site's folder is known
    platform.fileAnswers = {site + "/menu"};
    main.SaveProject();
    choose(ed().Image1, home);
    choose(ed().Image1, {}); // cancelled, starting beside the picture
    choose(ed().Image2, QString::fromStdString(dir.file("out.png")));
    QStringList seen{platform.log.chopped(1), captions(ed(), {"Image1", "Image2"}).join('|')};
    // Hovered: the picture, 160 pixels at most, and its size; where a missing one was looked for.
    for (const auto& [box, text] :
         {std::pair(ed().Image1, ""), std::pair(ed().Image2, "img/tall.png"),
          std::pair(ed().Image2, "img/gone.png")}) {
        if (*text)
            box->setText(text);
        QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(box, &hover);
        const QString html = box->toolTip();
        const QImage picture = QImage::fromData(
            QByteArray::fromBase64(html.section("base64,", 1).section('"', 0, 0).toLatin1()));
        seen << QTextDocumentFragment::fromHtml(html).toPlainText().section('\n', -1) +
                    QString(" (%1 x %2)").arg(picture.width()).arg(picture.height());
    }
    const QString named = FakePlatform::named(
        seen.join('\n'), {{QString::fromStdString(dir.path.string()), "DIR"},
                          {platform.fileRequests[1].startFolder, "<documents>"}});
    EXPECT_TRUE(matchesGolden("messages/pictures.txt", named.toStdString() + "\n"));
}
