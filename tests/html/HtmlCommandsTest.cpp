#include "app/frmMain.h"
#include "html/HtmlGenerator.h"
#include "html/frmHTML.h"
#include "model/Module1.h"
#include "platform/Form.h"
#include "project/Windows1252.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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

    frmHTML* codeWindow() { return main.findChild<frmHTML*>(); }
    QString path(const char* name) { return dir.filePath(QLatin1String(name)); }
    QByteArray expectedBytes() {
        return QByteArray::fromStdString(
            encodeWindows1252(generateHtmlPage(module.table).text).bytes);
    }
    void saveAs(const QString& answer) {
        platform.fileAnswers.push_back(answer);
        QTest::mouseClick(main.Command1[1], Qt::LeftButton);
    }

    QTemporaryDir dir;
    Module1 module;
    test::FakePlatform platform;
    frmMain main{module, platform};
};

} // namespace

TEST_F(HtmlCommands, HtmlButtonOpensTheCodeWindowBelowModal) {
    main.activateWindow();
    QTest::mouseClick(main.Command4, Qt::LeftButton);
    QPointer<frmHTML> w = codeWindow();
    ASSERT_TRUE(w);
    EXPECT_EQ(main.focusWidget(), main.Command1[0]) << "focus goes to Exit";
    EXPECT_TRUE(w->isWindow());
    EXPECT_EQ(w->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(QApplication::activeModalWidget(), w.data());
    EXPECT_EQ(Form::Left(*w), Form::Left(main));
    EXPECT_EQ(Form::Top(*w), Form::Top(main) + Form::Height(main));
    EXPECT_EQ(w->windowIcon().cacheKey(), main.windowIcon().cacheKey());

    ASSERT_TRUE(QTest::qWaitForWindowActive(w.data()));
    const QString page =
        QString::fromStdString(generateHtmlPage(module.table).text).replace("\r\n", "\n");
    EXPECT_EQ(main.Html1->toPlainText(), page);
    EXPECT_EQ(w->Text1->toPlainText(), QString());
    EXPECT_FALSE(w->Text2->isHidden());

    // The main window takes no input meanwhile: a click on Add Image goes nowhere.
    const QPoint add = main.Command2->mapTo(&main, main.Command2->rect().center());
    QTest::mouseClick(main.windowHandle(), Qt::LeftButton, {}, add);
    EXPECT_FALSE(module.table.isUsed(3));

    QTest::mouseClick(w->Text2, Qt::LeftButton);
    EXPECT_EQ(w->Text1->toPlainText(), page);

    // Closing discards it; the next opening starts again with the overlay.
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    main.Command4_Click();
    ASSERT_TRUE(codeWindow());
    ASSERT_TRUE(QTest::qWaitForWindowActive(codeWindow()));
    EXPECT_EQ(codeWindow()->Text1->toPlainText(), QString());
    EXPECT_FALSE(codeWindow()->Text2->isHidden());
    codeWindow()->close();
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(HtmlCommands, SaveHtmlAsWritesThePageAndNamesTheCaption) {
    const QString file = path("menu.htm");
    saveAs(file);

    ASSERT_EQ(platform.fileRequests.size(), 1u);
    const FileDialogRequest& req = platform.fileRequests[0];
    EXPECT_EQ(req.mode, FileDialogRequest::Save);
    EXPECT_EQ(req.title, QStringLiteral("Save HTML As"));
    EXPECT_EQ(req.filter, QStringLiteral("HTML files (*.htm *.html)"));
    EXPECT_EQ(req.flags, 0x8800);
    EXPECT_EQ(req.fileName, QString());

    const QByteArray bytes = readFile(file);
    EXPECT_EQ(bytes, expectedBytes());
    EXPECT_TRUE(bytes.contains("ALT=\"Caf\xe9\"")) << "Windows-1252, not UTF-8";
    EXPECT_TRUE(bytes.endsWith("</HTML>\r\n"));
    EXPECT_EQ(main.windowTitle(), dir.path() + QLatin1Char('/'));
    EXPECT_TRUE(platform.messages.empty());

    // The dialog proposes the last name; saving again replaces the file whole.
    module.table.slot(1).StatusText = "Start";
    saveAs(path("other.html"));
    EXPECT_EQ(platform.fileRequests[1].fileName, file);
    EXPECT_EQ(readFile(path("other.html")), expectedBytes());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "no temporary file left";
}

TEST_F(HtmlCommands, SaveHtmlAsCancelledChangesNothing) {
    main.Html1->setPlainText(QStringLiteral("earlier page"));
    saveAs(QString()); // cancel
    EXPECT_EQ(platform.fileRequests.size(), 1u);
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Lanternix 2.0"));
    EXPECT_EQ(main.Html1->toPlainText(), QStringLiteral("earlier page"));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(HtmlCommands, SaveHtmlAsRefusesAndKeepsTheOldFile) {
    const QString file = path("menu.htm");
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old page");
    old.close();

    // An image without a default picture: the generator's message, nothing written.
    module.table.slot(5) = MenuImage{"Image5", "", "", "", "", ""};
    saveAs(file);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0],
              std::make_pair(QStringLiteral("You must enter a Default image for Image5"), 16));
    module.table.clearRecord(5);

    // A character the code page cannot hold: the file and the reason.
    module.table.slot(2).HyperLink = "b\xe2\x82\xac\xe2\x86\x92.htm"; // a euro sign, then an arrow
    saveAs(file);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].first,
              QStringLiteral("Cannot save %1: the HyperLink of Image2 holds the character \u2192 "
                             "(U+2192), which an HTML page in Windows-1252 cannot hold. Nothing "
                             "was written.")
                  .arg(file));
    EXPECT_EQ(platform.messages[1].second, 16);
    module.table.slot(2).HyperLink = "b.htm";

    // A write that fails: here the name is taken by a folder.
    const QString folder = path("taken.htm");
    ASSERT_TRUE(QDir().mkdir(folder));
    saveAs(folder);
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_TRUE(platform.messages[2].first.startsWith(QStringLiteral("Cannot save ") + folder +
                                                      QStringLiteral(": ")))
        << platform.messages[2].first.toStdString();
    EXPECT_TRUE(platform.messages[2].first.endsWith(QStringLiteral(". Nothing was written.")));
    EXPECT_EQ(platform.messages[2].second, 16);

    EXPECT_EQ(readFile(file), QByteArray("old page"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList({"menu.htm", "taken.htm"}));
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Lanternix 2.0"));
}
