#include "html/frmHTML.h"
#include "html/HtmlGenerator.h"
#include "platform/Form.h"
#include "support/Controls.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
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
        return QString::fromStdString(generateHtmlPage(module.table).text).replace("\r\n", "\n");
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
    EXPECT_EQ(
        std::tuple(w->windowModality(), QPoint(Form::Left(*w), Form::Top(*w)),
                   w->windowIcon().cacheKey(), w->windowTitle(),
                   w->Text2->font().family() + QString::number(w->Text2->font().pointSizeF())),
        std::tuple(
            Qt::ApplicationModal, QPoint(Form::Left(main), Form::Top(main) + Form::Height(main)),
            main.windowIcon().cacheKey(), QString("HTML Code"), QString("Arial Black14.25")));
    expectControls(*w, {"Text1||0 0 4635 3195", "Text2|Click to generate HTML|420 1245 3945 480"});
    QTest::keyClicks(w->Text2, "x"); // both boxes read-only
    QTest::keyClicks(w->Text1, "x");
    // The first resize generated the page; activation emptied the box and showed the overlay.
    EXPECT_EQ(std::tuple(main.Html1->toPlainText(), w->Text1->toPlainText(), w->Text2->text(),
                         w->Text1->testAttribute(Qt::WA_InputMethodEnabled), w->Text2->isVisible()),
              std::tuple(page(), "", "Click to generate HTML", false, true));

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
        main.Html1->setPlainText("stale"); // what a generation overwrites
        act();
        EXPECT_EQ(std::tuple(main.Html1->toPlainText() == page(), w->Text1->toPlainText(),
                             w->Text2->isVisible(), w->Text1->hasFocus()),
                  std::tuple(generated, shown ? page() : "", overlay, true))
            << what;
    }
    EXPECT_EQ(w->Text1->geometry(), QRect(0, 0, 400, 267)); // it fills the client area
    // Near the screen's corner it moves up and left just enough to stay whole.
    const QRect screen = main.screen()->availableGeometry();
    main.move(screen.bottomRight() - QPoint(100, 100));
    w = open();
    EXPECT_EQ(w->frameGeometry().bottomRight(), screen.bottomRight());
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
    EXPECT_EQ(std::tuple(platform.openedUrls.size(), platform.messages.size(), menu.isNull()),
              std::tuple(2ul, 0ul, true));

    // A failed check at opening and at the first click; the overlay hides all the same.
    module.table.slot(4) = MenuImage{"Image4", "", "x.gif", "", "", ""};
    main.Html1->setPlainText("last page");
    w = open();
    QTest::mouseClick(w->Text2, Qt::LeftButton);
    EXPECT_EQ(std::tuple(platform.said(), w->Text1->toPlainText(), w->Text2->isVisible(),
                         main.Html1->toPlainText()),
              std::tuple(QStringList(2, "16: You must enter a Default image for Image4"), "", false,
                         "last page"));
}

TEST_F(HtmlCommands, SaveHtmlAsCancelsRefusesWritesAndPreviews) {
    const QString file = dir + "menu.htm", taken = dir + "taken.htm";
    writeBytes(file.toStdString(), "old page");
    main.Html1->setPlainText("earlier page");
    saveAs(QString()); // cancelled: nothing happens
    // Refused: an image without a default picture; a write that fails (the name is taken by a
    // folder). The old file and the caption stay.
    module.table.slot(5) = MenuImage{"Image5", "", "", "", "", ""};
    saveAs(file);
    module.table.clearRecord(5);
    ASSERT_TRUE(QDir().mkdir(taken));
    saveAs(taken);
    EXPECT_EQ(
        std::tuple(platform.said(), readBytes(file.toStdString()), main.windowTitle(),
                   main.Html1->toPlainText()),
        std::tuple(QStringList({"16: You must enter a Default image for Image5",
                                "16: Cannot save the page to \"" + taken + "\": Is a directory."}),
                   "old page", "Lanternix 2.0", "earlier page"));

    // Saved at last: the old file replaced whole, no temporary file left, the folder as caption.
    // A character beyond the code page (an arrow after a euro sign) goes in as a reference.
    const std::string gif("GIF89a\x95\0\x30\0", 10); // 149 by 48, as the buttons are drawn
    const QString link = QString::fromUtf8("b\xe2\x82\xac\xe2\x86\x92.htm");
    module.table.slot(2).HyperLink = link.toStdString();
    for (const char* name : {"a.gif", "b2.gif"})
        writeBytes((dir + name).toStdString(), gif);
    saveAs(file);
    const std::string bytes = readBytes(file.toStdString());
    EXPECT_TRUE(bytes.find("ALT=\"Caf\xe9\"") != bytes.npos) << "Windows-1252, not UTF-8";
    EXPECT_TRUE(bytes.find("HREF=\"b\x80&#8594;.htm\"") != bytes.npos);
    EXPECT_EQ(std::pair(QDir(dir).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                        main.windowTitle()),
              std::pair(QStringList({"a.gif", "b2.gif", "menu.htm", "taken.htm"}), dir));
    // What would break once published from there is said in one message; the page stays.
    const QString folder = QDir::toNativeSeparators(dir.chopped(1)),
                  in = " in the page's folder " + folder + ", so the ";
    EXPECT_EQ(platform.said().back(),
              "64: The page is saved. Once it is published from " + folder +
                  ", this may not work:\n\n\u2022 Image2, Default image \"b.gif\": there is no "
                  "such file" +
                  in + "picture will be missing.\n\u2022 Image2, HyperLink \"" + link +
                  "\": there is no such page" + in + "link will lead nowhere.");
    // With everything in place nothing more is said; the last name is proposed again.
    for (const QString& name : {QString("b.gif"), link})
        writeBytes((dir + name).toStdString(), gif);
    saveAs(file);
    EXPECT_EQ(std::pair(platform.messages.size(), platform.fileRequests.back().fileName),
              std::pair(std::size_t(3), file));

    // F12: the saved page with one BASE line naming its folder, shown by the browser from a
    // copy of its own; none while an image lacks its default picture.
    QApplication::setActiveWindow(&main); // as the window a person types in
    QTest::keyClick(main.List1, Qt::Key_F12);
    ASSERT_EQ(platform.openedUrls.size(), 1u);
    const QString preview = QUrl(platform.openedUrls[0]).toLocalFile();
    EXPECT_TRUE(!preview.startsWith(dir) && preview.endsWith("/menu-preview.htm"));
    const QString url = "file://" + QString(dir.startsWith('/') ? "" : "/") + dir; // file:///C:/
    EXPECT_EQ(readBytes(preview.toStdString()),
              std::string(bytes).insert(14, "<BASE HREF=\"" + url.toStdString() + "\">\r\n"));
    platform.noBrowser = true;
    QTest::keyClick(&main, Qt::Key_F12);
    module.table.slot(5) = MenuImage{"Image5", "", "", "", "", ""};
    QTest::keyClick(&main, Qt::Key_F12);
    EXPECT_EQ(platform.said().mid(3),
              QStringList({"16: No web browser could be started to show " +
                               QDir::toNativeSeparators(preview) + ".",
                           "16: You must enter a Default image for Image5"}));
    EXPECT_EQ(platform.openedUrls.size(), 2u);

    // Only the first 15 findings are listed, then how many more there are.
    module.table.clearRecord(5);
    for (int n = 10; n < 27; ++n)
        module.table.slot(n) = MenuImage{"Image" + std::to_string(n), "gone.gif", "", "", "", ""};
    saveAs(file);
    const QString listed = platform.messages.back().first;
    EXPECT_EQ(std::pair(listed.count(u'\u2022'), listed.endsWith("missing.\n... and 2 more.")),
              std::pair(qsizetype(15), true));
}
