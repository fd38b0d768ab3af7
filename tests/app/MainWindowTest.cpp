#include "app/frmMain.h"
#include "editor/frmButton.h"
#include "model/Module1.h"
#include "platform/Form.h"
#include "platform/LinkLabel.h"
#include "platform/TreeView.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace lanternix;

namespace {

QWidget* nextTabStop(QWidget* w) {
    do
        w = w->nextInFocusChain();
    while (!(w->focusPolicy() & Qt::TabFocus));
    return w;
}

class MainWindow : public ::testing::Test {
protected:
    MainWindow() {
        main.Timer1->stop(); // ticks are driven by hand
        main.show();
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
        const QPoint at = main.List1->visualItemRect(item).center();
        QTest::mouseClick(main.List1->viewport(), Qt::LeftButton, {}, at);
    }
    void fill(const QString& def, const QString& over, const QString& target, const QString& status,
              const QString& link) {
        ed().Image1->setText(def);
        ed().Image2->setText(over);
        ed().Frameset1->setText(target);
        ed().Comments1->setText(status);
        ed().Link1->setText(link);
    }

    Module1 module;
    test::FakePlatform platform;
    frmMain main{module, platform};
};

} // namespace

TEST_F(MainWindow, StartsWithRootEmptyBufferAndEditorAtRightEdge) {
    EXPECT_EQ(main.windowTitle(), "Lanternix 2.0");
    ASSERT_EQ(nodes().Count(), 1);
    EXPECT_EQ(nodes()(1).Key(), "r");
    EXPECT_EQ(nodes()(1).Text(), "HTML");
    EXPECT_TRUE(nodes()(1).Expanded());
    EXPECT_TRUE(main.Html1->toPlainText().isEmpty());
    EXPECT_TRUE(ed().isVisible());
    EXPECT_TRUE(ed().Key1->text().isEmpty());
    EXPECT_EQ(main.Timer1->interval(), 10);

    // As created, before the first tick.
    EXPECT_EQ(ed().windowTitle(), " ");
    EXPECT_TRUE(ed().Command1->isEnabled());
    main.Timer1_Timer();
    EXPECT_EQ(ed().windowTitle(), "No image selected");
    EXPECT_FALSE(ed().Command1->isEnabled());
    EXPECT_FALSE(ed().Command2->isEnabled());
    EXPECT_EQ(Form::Left(ed()), Form::Left(main) + Form::Width(main));
    EXPECT_EQ(Form::Top(ed()), Form::Top(main));

    // Places in pixels are the layout's twips divided by 15.
    EXPECT_EQ(main.size(), QSize(304, 307));
    EXPECT_EQ(main.List1->geometry(), QRect(8, 8, 177, 233));
    EXPECT_EQ(main.Command1[1]->geometry(), QRect(192, 152, 106, 25));
    EXPECT_EQ(main.Label2->geometry(), QRect(264, 288, 34, 16));
    EXPECT_GT(main.Html1->geometry().top(), main.height()); // out of sight
    EXPECT_EQ(ed().size(), QSize(395, 309));
    EXPECT_EQ(ed().Key1->geometry(), QRect(272, 272, 49, 17));

    // Tab order, starting in the unseen page buffer.
    QList<QWidget*> order{main.Html1,    main.Command1[0], main.List1,       main.Command1[1],
                          main.Command2, main.Command3[0], main.Command3[1], main.Command4};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        EXPECT_EQ(nextTabStop(order[i]), order[i + 1]) << i;
    QList<QWidget*> edOrder{ed().Image1, ed().Image2,   ed().Frameset1, ed().Comments1,
                            ed().Link1,  ed().Command1, ed().Command2};
    for (qsizetype i = 0; i + 1 < edOrder.size(); ++i)
        EXPECT_EQ(nextTabStop(edOrder[i]), edOrder[i + 1]) << i;
}

TEST_F(MainWindow, AddImageFillsLowestSlotAndStopsAt99) {
    for (int i = 0; i < 99; ++i)
        QTest::mouseClick(main.Command2, Qt::LeftButton);
    EXPECT_EQ(nodes().Count(), 100);
    EXPECT_EQ(childKeys().first(), "Image1");
    EXPECT_EQ(childKeys().last(), "Image99");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(ed().Key1->text().isEmpty()); // adding does not select

    QTest::mouseClick(main.Command2, Qt::LeftButton);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].first, "Maximum 99 images");
    EXPECT_EQ(platform.messages[0].second, 16);
    EXPECT_EQ(nodes().Count(), 100);
    EXPECT_FALSE(module.table.slot(100).Name.has_value());
}

TEST_F(MainWindow, NodeClickLoadsTheRecordAndRootClickChangesNothing) {
    main.Command2_Click();
    main.Command2_Click();
    module.table.slot(2) = MenuImage{"Image2", "b.gif", "b2.gif", "main", "Go", "x.htm"};
    clickNode("Image2");
    EXPECT_EQ(ed().Key1->text(), "Image2");
    EXPECT_EQ(ed().Image1->text(), "b.gif");
    EXPECT_EQ(ed().Image2->text(), "b2.gif");
    EXPECT_EQ(ed().Frameset1->text(), "main");
    EXPECT_EQ(ed().Comments1->text(), "Go");
    EXPECT_EQ(ed().Link1->text(), "x.htm");

    main.Timer1_Timer();
    EXPECT_EQ(ed().windowTitle(), "Image2");
    EXPECT_TRUE(ed().Command1->isEnabled());
    EXPECT_TRUE(ed().Command2->isEnabled());

    ed().Comments1->setText("typed, not saved");
    clickNode("r");
    EXPECT_EQ(ed().Key1->text(), "Image2");
    EXPECT_EQ(ed().Comments1->text(), "typed, not saved");

    // The keyboard moving the selection raises the same click.
    main.List1->setFocus();
    main.List1->setCurrentItem(nodes().find("Image2")->item());
    QTest::keyClick(main.List1, Qt::Key_Up);
    EXPECT_EQ(ed().Key1->text(), "Image1");
    EXPECT_EQ(ed().Comments1->text(), ""); // unsaved typing is replaced
}

TEST_F(MainWindow, DoubleClickKeepsRootExpanded) {
    main.Command2_Click();
    QTreeWidgetItem* root = nodes()(1).item();
    const QPoint at = main.List1->visualItemRect(root).center();
    QTest::mouseDClick(main.List1->viewport(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(nodes()(1).Expanded());
    EXPECT_TRUE(root->isExpanded());
    // On the empty area below the nodes as well.
    QTest::mouseDClick(main.List1->viewport(), Qt::LeftButton, {}, QPoint(20, 200));
    EXPECT_TRUE(root->isExpanded());
}

TEST_F(MainWindow, SaveStoresExactTextsAndRefusesWithoutDefaultImage) {
    main.Command2_Click();
    main.Command2_Click();
    clickNode("Image2");
    fill("", "over.gif", "t", "s", "l");
    QTest::mouseClick(ed().Command1, Qt::LeftButton);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].first, "Please enter a default image to show");
    EXPECT_EQ(platform.messages[0].second, 16);
    EXPECT_EQ(module.table.slot(2), (MenuImage{"Image2", "", "", "", "", ""}));
    EXPECT_EQ(ed().Image2->text(), "over.gif"); // the boxes keep what was typed

    module.CurrentIndex = 1;
    fill(" b.gif", "", "  ", "Joe's \"links\"", "http://example.org/?a=1&b=2 ");
    QTest::mouseClick(ed().Command1, Qt::LeftButton);
    EXPECT_EQ(platform.messages.size(), 1u); // no message on success
    EXPECT_EQ(module.CurrentIndex, 2);
    EXPECT_EQ(module.table.slot(2), (MenuImage{"Image2", " b.gif", "", "  ", "Joe's \"links\"",
                                               "http://example.org/?a=1&b=2 "}));
    EXPECT_EQ(nodes().find("Image2")->Text(), "Image2");
    EXPECT_EQ(ed().Image1->text(), " b.gif");
}

TEST_F(MainWindow, SaveAndRemoveWithNothingSelectedDoNothing) {
    main.Command2_Click();
    const MenuTable before = module.table;
    fill("b.gif", "", "", "", "");
    ed().Command1_Click();
    ed().Command2_Click();
    EXPECT_EQ(module.table, before);
    EXPECT_EQ(nodes().Count(), 2);
    EXPECT_FALSE(module.CurrentIndex != 1);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(ed().Image1->text(), "b.gif");
}

TEST_F(MainWindow, RemoveTakesNodeAndRecordThenAddReusesTheNumber) {
    for (int i = 0; i < 4; ++i)
        main.Command2_Click();
    clickNode("Image2");
    fill("b.gif", "c.gif", "", "", "");
    ed().Command1_Click();
    main.Timer1_Timer();
    QTest::mouseClick(ed().Command2, Qt::LeftButton);
    EXPECT_EQ(childKeys(), (QStringList{"Image1", "Image3", "Image4"}));
    EXPECT_EQ(module.table.slot(2), (MenuImage{"", "", "", "", "", ""}));
    EXPECT_TRUE(ed().Key1->text().isEmpty());
    EXPECT_TRUE(ed().Image1->text().isEmpty());
    EXPECT_TRUE(ed().Image2->text().isEmpty());
    main.Timer1_Timer();
    EXPECT_EQ(ed().windowTitle(), "No image selected");
    EXPECT_FALSE(ed().Command2->isEnabled());

    // Save after Remove does nothing: Key1 is empty.
    fill("x.gif", "", "", "", "");
    ed().Command1_Click();
    EXPECT_EQ(module.table.slot(2), (MenuImage{"", "", "", "", "", ""}));

    main.Command2_Click();
    EXPECT_EQ(text(module.table.slot(2).Name), "Image2");
    EXPECT_EQ(childKeys(), (QStringList{"Image1", "Image3", "Image4", "Image2"}));
}

TEST_F(MainWindow, TickDocksTheEditorAfterEitherWindowMoves) {
    main.Timer1_Timer();
    main.move(100, 50);
    main.Timer1_Timer();
    EXPECT_EQ(ed().frameGeometry().topLeft(), QPoint(100 + main.frameGeometry().width(), 50));

    ed().move(500, 400); // dragged away
    main.Timer1_Timer();
    EXPECT_EQ(Form::Left(ed()), Form::Left(main) + Form::Width(main));
    EXPECT_EQ(Form::Top(ed()), Form::Top(main));

    main.resize(400, 307);
    main.Timer1_Timer();
    EXPECT_EQ(ed().frameGeometry().left(), main.frameGeometry().right() + 1);
}

TEST_F(MainWindow, TickMinimisesAndRestoresTogetherButLeavesMaximisedAlone) {
    main.Timer1_Timer();
    Form::setState(main, Form::Minimized);
    main.Timer1_Timer();
    EXPECT_EQ(Form::State(ed()), Form::Minimized);
    Form::setState(main, Form::Normal);
    main.Timer1_Timer();
    EXPECT_EQ(Form::State(ed()), Form::Normal);

    const QPoint edAt = ed().pos();
    Form::setState(main, Form::Maximized);
    QCoreApplication::processEvents(); // the window takes the whole screen
    ASSERT_NE(Form::Left(main) + Form::Width(main), Form::Left(ed()));
    main.Timer1_Timer();
    EXPECT_EQ(Form::State(ed()), Form::Normal);
    EXPECT_EQ(ed().pos(), edAt); // not docked while maximised

    Form::setState(main, Form::Normal);
    main.Timer1_Timer();
    EXPECT_EQ(Form::Left(ed()), Form::Left(main) + Form::Width(main));
}

namespace {

// Counts the changes a tick makes to a widget.
class ChangeCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
        case QEvent::Move:
        case QEvent::WindowTitleChange:
        case QEvent::EnabledChange:
        case QEvent::WindowStateChange:
            ++count;
            break;
        default:
            break;
        }
        return false;
    }
};

} // namespace

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

TEST_F(MainWindow, ClosingEitherWindowOrExitEndsTheProgram) {
    QTest::mouseClick(main.Command1[0], Qt::LeftButton);
    EXPECT_EQ(platform.endCount, 1);
    main.close();
    EXPECT_EQ(platform.endCount, 2);
    ed().close();
    EXPECT_EQ(platform.endCount, 3);
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
