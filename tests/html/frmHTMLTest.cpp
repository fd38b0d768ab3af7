#include "html/frmHTML.h"
#include "app/frmMain.h"
#include "html/HtmlGenerator.h"
#include "io/Windows1252.h"
#include "model/Module1.h"
#include "platform/Form.h"
#include "platform/TreeView.h"
#include "platform/Twips.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

using namespace lanternix;

namespace {

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

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
    frmHTML& open() {
        if (frmHTML* old = main.findChild<frmHTML*>())
            old->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::mouseClick(main.Command4, Qt::LeftButton);
        frmHTML* w = main.findChild<frmHTML*>();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        return *w;
    }
    // The code box's text, and whether the overlay shows.
    static std::pair<QString, bool> box(frmHTML& w) {
        return {w.Text1->toPlainText(), w.Text2->isVisible()};
    }
    void saveAs(const QString& answer) {
        platform.fileAnswers.push_back(answer);
        QTest::mouseClick(main.Command1[1], Qt::LeftButton);
    }
    QString refused(const QString& answer) {
        const std::size_t before = platform.messages.size();
        saveAs(answer);
        EXPECT_EQ(platform.messages.size(), before + 1);
        EXPECT_EQ(platform.messages.back().second, 16);
        return platform.messages.back().first;
    }
    QString path(const char* name) { return dir.filePath(QLatin1String(name)); }

    QTemporaryDir dir;
    Module1 module;
    test::FakePlatform platform;
    frmMain main{module, platform};
};

} // namespace

TEST_F(HtmlCommands, CodeWindowOpensBelowModalAndGeneratesOnce) {
    main.activateWindow();
    frmHTML& w = open();
    EXPECT_EQ(main.focusWidget(), main.Command1[0]) << "focus goes to Exit";
    EXPECT_EQ(w.windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(QPoint(Form::Left(w), Form::Top(w)),
              QPoint(Form::Left(main), Form::Top(main) + Form::Height(main)));
    EXPECT_EQ(w.windowIcon().cacheKey(), main.windowIcon().cacheKey());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("HTML Code"));
    EXPECT_EQ(w.Text2->text(), QStringLiteral("Click to generate HTML"));
    EXPECT_EQ(w.Text2->font().family() + QString::number(w.Text2->font().pointSizeF()),
              QStringLiteral("Arial Black14.25"));

    // The first resize generated the page; activation emptied the box and showed the overlay.
    const QString first = page();
    EXPECT_EQ(main.Html1->toPlainText(), first);
    EXPECT_EQ(box(w), std::pair(QString(), true));

    // The overlay passes its focus on without generating.
    module.table.slot(1).StatusText = "Start";
    w.Text2->setFocus();
    EXPECT_TRUE(w.Text1->hasFocus());
    EXPECT_EQ(main.Html1->toPlainText(), first);

    QTest::mouseClick(w.Text2, Qt::LeftButton);
    const QString second = page();
    EXPECT_EQ(box(w), std::pair(second, false));

    // Nothing more while the window stays open: clicks and resizes leave the page alone.
    module.table.slot(1).StatusText = "Again";
    QTest::mouseClick(w.Text1->viewport(), Qt::LeftButton);
    w.resize(w.width() + 30, w.height() + 30);
    EXPECT_EQ(box(w), std::pair(second, false));
    EXPECT_EQ(main.Html1->toPlainText(), second);

    // The next opening starts again with the overlay; a click on the code box generates too.
    frmHTML& again = open();
    EXPECT_EQ(box(again), std::pair(QString(), true));
    QTest::mouseClick(again.Text1->viewport(), Qt::LeftButton);
    EXPECT_EQ(box(again), std::pair(page(), false));

    // So does a resize while the overlay shows; the code box fills the client area.
    frmHTML& third = open();
    third.resize(400, 267);
    EXPECT_EQ(box(third), std::pair(page(), false));
    EXPECT_EQ(third.Text1->geometry(), QRect(0, 0, 400, 267));
    // F12 previews from here as well.
    QTest::keyClick(third.Text1, Qt::Key_F12);
    EXPECT_EQ(platform.openedUrls.size(), 1u);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(HtmlCommands, FailedCheckAtOpeningAndAtTheFirstClick) {
    module.table.slot(4) = MenuImage{"Image4", "", "x.gif", "", "", ""};
    main.Html1->setPlainText(QStringLiteral("last page"));
    frmHTML& w = open();
    const auto message = std::pair(QStringLiteral("You must enter a Default image for Image4"), 16);
    EXPECT_EQ(platform.messages, decltype(platform.messages)({message}));
    EXPECT_EQ(box(w), std::pair(QString(), true));

    QTest::mouseClick(w.Text2, Qt::LeftButton);
    EXPECT_EQ(platform.messages, decltype(platform.messages)({message, message}));
    EXPECT_EQ(box(w), std::pair(QString(), false)) << "the overlay hides all the same";
    EXPECT_EQ(main.Html1->toPlainText(), QStringLiteral("last page"));
}

TEST_F(HtmlCommands, SaveHtmlAsCancelsRefusesAndWrites) {
    const QString file = path("menu.htm");
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old page") == 8);
    old.close();
    main.Html1->setPlainText(QStringLiteral("earlier page"));
    saveAs(QString()); // cancel
    EXPECT_EQ(main.Html1->toPlainText(), QStringLiteral("earlier page"));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.fileRequests.at(0).mode, FileDialogRequest::Save);

    // An image without a default picture: the generator's message.
    module.table.slot(5) = MenuImage{"Image5", "", "", "", "", ""};
    EXPECT_EQ(refused(file), QStringLiteral("You must enter a Default image for Image5"));
    module.table.clearRecord(5);
    // A write that fails: here the name is taken by a folder.
    ASSERT_TRUE(QDir().mkdir(path("taken.htm")));
    EXPECT_EQ(refused(path("taken.htm")),
              "Cannot save the page to \"" + path("taken.htm") + "\": Is a directory.");
    EXPECT_EQ(readFile(file), QByteArray("old page"));
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Lanternix 2.0"));

    // Saved at last: the old file replaced whole, no temporary file left, the folder as caption.
    // A character beyond the code page (an arrow after a euro sign) goes in as a reference.
    module.table.slot(2).HyperLink = "b\xe2\x82\xac\xe2\x86\x92.htm";
    saveAs(file);
    const QByteArray bytes = readFile(file);
    EXPECT_TRUE(bytes.contains("ALT=\"Caf\xe9\"")) << "Windows-1252, not UTF-8";
    EXPECT_TRUE(bytes.contains("HREF=\"b\x80&#8594;.htm\""));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList({"menu.htm", "taken.htm"}));
    EXPECT_EQ(main.windowTitle(), dir.path() + QLatin1Char('/'));

    // What would break once published from there is said in one message; the page stays.
    const QString link = QString::fromUtf8("b\xe2\x82\xac\xe2\x86\x92.htm");
    const QString in = " in the page's folder " + dir.path() + ", so the ";
    const QString missing = in + "picture will be missing.";
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages.back(),
              std::pair("The page is saved. Once it is published from " + dir.path() +
                            ", this may not work:\n" +
                            QStringList(
                                {"Image1, Default image \"a.gif\": there is no such file" + missing,
                                 "Image2, Default image \"b.gif\": there is no such file" + missing,
                                 "Image2, OnOver Image \"b2.gif\": there is no such file" + missing,
                                 "Image2, HyperLink \"" + link + "\": there is no such page" + in +
                                     "link will lead nowhere."})
                                .join("\n\u2022 ")
                                .prepend("\n\u2022 "),
                        int(vbInformation)));
    // With everything in place nothing more is said.
    for (const QString& name : {QString("a.gif"), QString("b.gif"), QString("b2.gif"), link}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("GIF89a\x95\0\x30\0", 10) == 10);
    }
    saveAs(file);
    EXPECT_EQ(platform.messages.size(), 3u);

    // F12: the saved page with one BASE line naming its folder, shown by the browser from a
    // copy of its own; none while an image lacks its default picture.
    QApplication::setActiveWindow(&main); // as the window a person types in
    QTest::keyClick(main.List1, Qt::Key_F12);
    ASSERT_EQ(platform.openedUrls.size(), 1u);
    const QString preview = QUrl(platform.openedUrls[0]).toLocalFile();
    EXPECT_FALSE(preview.startsWith(dir.path()));
    EXPECT_EQ(
        readFile(preview),
        QByteArray(bytes).insert(14, "<BASE HREF=\"file://" + dir.path().toUtf8() + "/\">\r\n"));
    module.table.slot(5) = MenuImage{"Image5", "", "", "", "", ""};
    QTest::keyClick(&main, Qt::Key_F12);
    EXPECT_EQ(platform.openedUrls.size(), 1u);
    EXPECT_EQ(platform.messages.back(),
              std::pair(QString("You must enter a Default image for Image5"), int(vbCritical)));
}
