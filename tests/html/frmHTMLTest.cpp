#include "html/frmHTML.h"
#include "html/HtmlGenerator.h"
#include "platform/Form.h"
#include "support/Controls.h"
#include "support/GoldenPicture.h"
#include "text/Ascii.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QUrl>

using namespace lanternix;
using namespace lanternix::test;

namespace {

class HtmlCommands : public ::testing::Test {
protected:
    HtmlCommands() {
        main.Timer1->stop();
        main.show();
        module.table.slot(2) = MenuImage{"Image2", "b.gif", "b2.gif", "main", "Café", "b.htm"};
        module.table.slot(1) = MenuImage{"Image1", "a.gif", "", "", "Home", ""};
    }
    // As a text box gives it back: one line break per CR LF.
    QString page() {
        return QString::fromStdString(generateHtmlPage(module.table, PageCharset::Ascii).value())
            .replace("\r\n", "\n");
    }
    // Opens the code window as the HTML button does, after closing (discarding) an open one.
    frmHTML* open() {
        if (frmHTML* old = main.findChild<frmHTML*>())
            old->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::mouseClick(main.Command4, Qt::LeftButton);
        frmHTML* w = main.findChild<frmHTML*>();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        return w;
    }
    void saveAs(const QString& answer) {
        platform.fileAnswers.push_back(answer);
        QTest::mouseClick(main.Command1[1], Qt::LeftButton);
    }

    TempFolder tmp;
    const QString dir = QDir::fromNativeSeparators(QString::fromStdString(tmp.path.string())) + "/";
    Module1 module;
    FakePlatform platform;
    frmMain main{module, platform};
};

// What is done; then whether the page was generated, shown in the code box; the overlay shown.
using Step = std::tuple<const char*, std::function<void()>, bool, bool, bool>;

} // namespace

TEST_F(HtmlCommands, CodeWindowOpensBelowModalAndGeneratesOncePerShowing) {
    main.activateWindow();
    frmHTML* w = open();
    EXPECT_EQ(main.focusWidget(), main.Command1[0]) << "focus goes to Exit";
    EXPECT_EQ(std::tuple(w->windowModality(), QPoint(Form::Left(*w), Form::Top(*w)),
                         w->windowIcon().cacheKey(), w->windowTitle(), w->Text2->cursor().shape()),
              std::tuple(Qt::ApplicationModal,
                         QPoint(Form::Left(main), Form::Top(main) + Form::Height(main)),
                         main.windowIcon().cacheKey(), QString("HTML Code"),
                         Qt::PointingHandCursor));
    QTest::keyClicks(w->Text2, "x"); // both boxes read-only
    QTest::keyClicks(w->Text1, "x");
    // The first resize generated the page; activation emptied the box and showed the overlay.
    EXPECT_TRUE(looksLike("code-window", *w));
    EXPECT_EQ(std::pair(main.pageBuffer().toPlainText(),
                        w->Text1->testAttribute(Qt::WA_InputMethodEnabled)),
              std::pair(page(), false));

    const auto clickBox = [&] { QTest::mouseClick(w->Text1->viewport(), Qt::LeftButton); };
    const auto reopen = [&] { w = open(); };
    const Step steps[] = {
        {"focus to the overlay", [&] { w->Text2->setFocus(); }, false, false, true},
        {"click on the overlay", [&] { QTest::mouseClick(w->Text2, Qt::LeftButton); }, 1, 1, 0},
        {"click on the code box", clickBox, false, true, false}, // nothing more while open
        {"resize", [&] { w->resize(w->width() + 30, w->height() + 30); }, false, true, false},
        {"back from another window",
         [&] { QApplication::setActiveWindow(&main), QApplication::setActiveWindow(w); }, 0, 1, 0},
        {"opening again", reopen, true, false, true},
        {"click on the code box", clickBox, true, true, false},
        {"opening again", reopen, true, false, true},
        {"resize with the overlay", [&] { w->resize(400, 267); }, true, true, false}};
    for (const auto& [what, act, generated, shown, overlay] : steps) {
        main.pageBuffer().setPlainText("stale"); // what a generation overwrites
        act();
        EXPECT_EQ(std::tuple(main.pageBuffer().toPlainText() == page(), w->Text1->toPlainText(),
                             w->Text2->isVisible(), w->Text1->hasFocus()),
                  std::tuple(generated, shown ? page() : "", overlay, true))
            << what;
    }
    EXPECT_TRUE(looksLike("code-window-page", *w)); // the box fills the client area
    // The page copied is plain text, ASCII only ("Café" in it), whatever the paste takes.
    QTest::keyClick(w->Text1, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w->Text1, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    EXPECT_EQ(std::tuple(copied->formats(), copied->text(), isAscii(copied->text().toStdString())),
              std::tuple(QStringList("text/plain"), page(), true));
    // Near the screen's corner it moves up and left just enough to stay whole,
    const QRect screen = main.screen()->availableGeometry();
    main.move(screen.bottomRight() - QPoint(100, 100));
    w = open();
    EXPECT_EQ(w->frameGeometry().bottomRight(), screen.bottomRight());
    main.move(screen.topLeft() - QPoint(1000, 1000)); // and down and right beyond its other one
    w = open();
    EXPECT_EQ(w->frameGeometry().topLeft(), screen.topLeft());
    // F12 and the code box's context menu preview from here as well.
    QTest::keyClick(w->Text1, Qt::Key_F12);
    QContextMenuEvent menuAt(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
    QApplication::sendEvent(w->Text1->viewport(), &menuAt);
    const QPointer<QMenu> menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_TRUE(menu && menu->actions().size() > 1 && menu->actions().end()[-2]->isSeparator());
    EXPECT_EQ(menu->actions().back()->text(), "&Preview in Browser");
    menu->actions().back()->trigger();
    menu->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // each a menu of its own
    EXPECT_EQ(std::tuple(platform.openedUrls.size(), platform.log.count("message"), menu.isNull()),
              std::tuple(2ul, 0, true));

    // A failed check at opening and at the first click; the overlay hides all the same.
    module.table.slot(4) = MenuImage{"Image4", "", "x.gif", "", "", ""};
    main.pageBuffer().setPlainText("last page");
    w = open();
    QTest::mouseClick(w->Text2, Qt::LeftButton);
    const QString twice =
        QString("message 16: You must enter a Default image for Image4\n").repeated(2);
    EXPECT_EQ(std::tuple(platform.log.count("message"), platform.log.endsWith(twice),
                         w->Text1->toPlainText(), w->Text2->isVisible(),
                         main.pageBuffer().toPlainText()),
              std::tuple(2, true, "", false, "last page"));
}

// Every question and message in turn as tests/data/messages/save-html.txt shows it; the page
// saved as tests/data/pages/saved.htm.
TEST_F(HtmlCommands, SaveHtmlAsCancelsRefusesWritesAndPreviews) {
    const QString file = dir + "menu.htm", taken = dir + "taken.htm";
    writeBytes(file.toStdString(), "old page");
    main.pageBuffer().setPlainText("earlier page");
    saveAs(QString()); // cancelled: nothing happens
    // A name without its extension gets .htm. Replacing a file is asked first; No shows the
    // dialog again, where a cancel leaves the file as it was.
    platform.answers = {Answer::No};
    platform.fileAnswers = {dir + "menu"};
    saveAs(QString());
    platform.otherwise = Answer::Yes;
    // Refused: an image without a default picture; a write that fails (the name is taken by a
    // folder). The old file and the caption stay.
    module.table.slot(5) = MenuImage{"Image5", "", "", "", "", ""};
    saveAs(file);
    module.table.clearRecord(5);
    ASSERT_TRUE(QDir().mkdir(taken));
    saveAs(taken);
    EXPECT_EQ(std::tuple(readBytes(file.toStdString()), main.windowTitle(),
                         main.pageBuffer().toPlainText()),
              std::tuple("old page", "Lanternix 2.0", "earlier page"));

    // Saved at last, in Windows-1252: the old file replaced whole, no temporary file left, the
    // folder as caption. A character beyond the code page (an arrow after a euro sign) goes in as
    // a reference. What would break once published from there is said in one message.
    const std::string gif("GIF89a\x95\0\x30\0", 10); // 149 by 48, as the buttons are drawn
    const QString link = QString::fromUtf8("b\xe2\x82\xac\xe2\x86\x92.htm");
    module.table.slot(2).HyperLink = link.toStdString();
    for (const char* name : {"a.gif", "b2.gif"})
        writeBytes((dir + name).toStdString(), gif);
    saveAs(file);
    const std::string bytes = readBytes(file.toStdString());
    EXPECT_TRUE(matchesGolden("pages/saved.htm", bytes));
    EXPECT_EQ(std::pair(QDir(dir).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                        main.windowTitle()),
              std::pair(QStringList({"a.gif", "b2.gif", "menu.htm", "taken.htm"}), dir));
    // With everything in place nothing more is said; the last name is proposed again.
    for (const QString& name : {QString("b.gif"), link})
        writeBytes((dir + name).toStdString(), gif);
    saveAs(file);

    // F12: the saved page with one BASE line naming its folder, shown by the browser from a
    // copy of its own; none while an image lacks its default picture.
    QApplication::setActiveWindow(&main);                  // as the window a person types in
    std::vector<std::pair<const char*, QByteArray>> temps; // first with no temporary folder
    for (const char* name : {"TMPDIR", "TMP", "TEMP"}) {
        temps.emplace_back(name, qgetenv(name));
        qputenv(name, file.toLocal8Bit()); // a file, not a folder
    }
    QTest::keyClick(main.List1, Qt::Key_F12);
    for (const auto& [name, value] : temps)
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    QTest::keyClick(main.List1, Qt::Key_F12);
    ASSERT_EQ(platform.openedUrls.size(), 1u);
    const QString preview = QUrl(platform.openedUrls[0]).toLocalFile();
    EXPECT_TRUE(!preview.startsWith(dir) && preview.endsWith("/menu-preview.htm"));
#ifndef _WIN32 // a folder of the user's own, as a browser may show it
    EXPECT_EQ(QFileInfo(QFileInfo(preview).path()).permissions() & 0x7777, 0x7700);
#endif
    const QString url = "file://" + QString(dir.startsWith('/') ? "" : "/") + dir; // file:///C:/
    EXPECT_EQ(readBytes(preview.toStdString()),
              std::string(bytes).insert(14, "<BASE HREF=\"" + url.toStdString() + "\">\r\n"));
    platform.noBrowser = true;
    QTest::keyClick(&main, Qt::Key_F12);
    module.table.slot(5) = MenuImage{"Image5", "", "", "", "", ""};
    QTest::keyClick(&main, Qt::Key_F12);

    // Only the first 15 findings are listed, then how many more there are.
    module.table.clearRecord(5);
    for (int n = 10; n < 27; ++n)
        module.table.slot(n) = MenuImage{"Image" + std::to_string(n), "gone.gif", "", "", "", ""};
    saveAs(file);
    EXPECT_TRUE(matchesGolden(
        "messages/save-html.txt",
        platform.transcript({{dir.chopped(1), "<dir>"},
                             {QFileInfo(preview).path(), "<preview>"},
                             {platform.fileRequests[0].startFolder, "<documents>"}})));
}
