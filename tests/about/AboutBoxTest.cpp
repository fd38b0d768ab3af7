#include "about/frmAbout.h"
#include "app/frmMain.h"
#include "model/Module1.h"
#include "platform/LinkLabel.h"
#include "platform/PictureBox.h"
#include "tests/support/FakePlatform.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace lanternix {
namespace {

using namespace std::string_literals;

struct AboutBox : ::testing::Test {
    test::FakePlatform platform;
    QIcon icon{QPixmap(16, 16)};
    frmAbout box{icon, platform};
    MemoryRegistry& reg = platform.memoryRegistry;

    // What one press of "System Info" started, and whether it said (OK only) it was unavailable.
    std::pair<std::vector<QString>, bool> press() {
        platform.startedPrograms.clear();
        platform.messages.clear();
        box.cmdSysInfo->click();
        const std::pair<QString, int> no{"System Information Is Unavailable At This Time", 0};
        const auto n = platform.messages.size();
        EXPECT_TRUE(n == 0 || (n == 1 && platform.messages[0] == no));
        return {platform.startedPrograms, n == 1};
    }
};

TEST_F(AboutBox, LoadSetsCaptionsVersionIconAndEveryControlInItsPlace) {
    EXPECT_EQ(QStringList({box.windowTitle(), box.lblTitle->text(), box.lblVersion->text(),
                           box.lblDisclaimer->text(), box.cmdOK->text(), box.cmdSysInfo->text()}),
              QStringList({"About Lanternix v2.0", "Lanternix v2.0", "Version 2.0.0",
                           "CAREWARE / FREEWARE", "OK", "&System Info..."}));
    EXPECT_TRUE(box.lblDescription->text().contains("@example.org"));
    EXPECT_TRUE(box.Label2->text().contains("example.org"));
    EXPECT_EQ(box.windowIcon().cacheKey(), icon.cacheKey());
    EXPECT_EQ(box.size(), QSize(382, 237));
    // Found by name; Image1's place is within picIcon, inside its 2-pixel border.
    const std::pair<const char*, QRect> places[] = {
        {"picIcon", {6, 5, 68, 68}},           {"Image1", {10, 18, 48, 30}},
        {"Picture1", {3, 86, 64, 64}},         {"lblTitle", {81, 16, 259, 32}},
        {"lblVersion", {81, 52, 259, 15}},     {"lblDescription", {81, 75, 259, 78}},
        {"lblDisclaimer", {17, 175, 258, 23}}, {"cmdOK", {283, 175, 84, 23}},
        {"cmdSysInfo", {284, 205, 83, 23}},    {"Label1", {0, 224, 78, 13}},
        {"Label2", {136, 224, 147, 13}}};
    for (const auto& [name, place] : places) {
        const auto* w = box.findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(w->geometry(), place) << name;
    }
    EXPECT_EQ(box.Image1->parentWidget(), box.picIcon);
    EXPECT_EQ(box.Line1[0]->geometry(), QRect(6, 163, 372, 1));
    EXPECT_EQ(box.Line1[1]->geometry(), QRect(7, 164, 371, 2));
    const QImage small(":/about/AboutImage1.bmp");
    EXPECT_EQ(std::pair(small.size(), small.colorCount()), std::pair(QSize(32, 20), 16));
    EXPECT_TRUE(box.picIcon->Picture().isNull()); // until an effect ends
    EXPECT_EQ(box.Timer1->interval(), 10);
}

TEST_F(AboutBox, TabOrderAndEnterAndEscClose) {
    box.show(); // and made the active window, as the modal showing does
    QApplication::setActiveWindow(&box);
    box.cmdOK->setFocus();
    QStringList order;
    for (int i = 0; i < 4; ++i, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab))
        order << QApplication::focusWidget()->objectName();
    EXPECT_EQ(order, QStringList({"cmdOK", "picIcon", "cmdSysInfo", "cmdOK"}));
    // Pressed with the focus away from cmdOK, it answers as the default and the cancel button.
    for (int key : {Qt::Key_Escape, Qt::Key_Return}) {
        box.show();
        box.setResult(0);
        QTest::keyClick(box.picIcon, Qt::Key(key));
        EXPECT_FALSE(box.isVisible()) << key;
        EXPECT_EQ(box.result(), QDialog::Accepted) << key;
    }
}

TEST_F(AboutBox, DeactivationStopsTheTimerActivationDoesNotRestartItAndTheDripEndsWithTheLogo) {
    box.show();
    QApplication::setActiveWindow(&box);
    QTest::mouseClick(box.picIcon, Qt::LeftButton, {}, QPoint(60, 60));
    ASSERT_TRUE(box.Timer1->isActive());
    box.Timer1_Timer();
    const QImage partly = box.picIcon->surface(), logo = box.Picture1->Picture();
    // Another window of the program becomes active, then the box again.
    QWidget other;
    other.show();
    QApplication::processEvents(); // its own activation, queued by the platform
    QApplication::setActiveWindow(&other);
    EXPECT_FALSE(box.Timer1->isActive());
    box.reveal().RevealStep = 9;
    QApplication::setActiveWindow(&box);
    EXPECT_FALSE(box.Timer1->isActive());
    EXPECT_TRUE(box.Image1->isVisible());
    EXPECT_EQ(box.reveal().RevealStep, 0);
    EXPECT_EQ(box.picIcon->surface(), partly);
    // Leaving for another program and coming back is no activation: the timer runs on to the end.
    QTest::mouseClick(box.Image1, Qt::LeftButton);
    box.reveal().RevealMode = Reveal::Drip;
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(&box);
    EXPECT_FALSE(box.Image1->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !box.Timer1->isActive(); }, 20000));
    EXPECT_EQ(box.picIcon->Picture(), logo);
    EXPECT_EQ(box.picIcon->surface(), logo);
    // A click on picIcon now runs the drip past the end: nothing inside changes.
    QTest::mouseClick(box.picIcon, Qt::LeftButton, {}, QPoint(30, 5));
    for (int i = 0; i < 20; ++i)
        box.Timer1_Timer();
    EXPECT_TRUE(box.Timer1->isActive());
    EXPECT_EQ(box.reveal().RevealStep, 85);
    EXPECT_EQ(box.picIcon->surface(), logo);
}

TEST_F(AboutBox, GetKeyValueReadsTextsNumbersOtherTypesAndFailures) {
    const QString key = "SOFTWARE\\Lanternix\\Test";
    // Name (looked up in lower case), type, bytes, whether read, KeyVal after coming in as "keep".
    const std::tuple<const char*, std::uint32_t, std::string, bool, QString> cases[] = {
        {"Zero", Registry::RegSz, "C:\\Tools\\x.exe\0"s, true, "C:\\Tools\\x.exe"},
        {"NoZero", Registry::RegSz, "abc", true, "abc"},
        {"TwoZeros", Registry::RegSz, "ab\0\0"s, true, QString::fromLatin1("ab\0", 3)},
        {"Empty", Registry::RegSz, "", true, ""},
        {"Accents", Registry::RegSz, "caf\xc3\xa9\0"s, true, QStringLiteral("caf\u00e9")},
        {"Number", Registry::RegDword, "\x05\x00\x01\x00"s, true, "65541"},
        {"Big", Registry::RegDword, "\xAB\xCD\xEF\xFE"s, true, "4277128619"},
        {"Binary", 3, "\x01\x02", true, "keep"},
        {"Full", Registry::RegSz, std::string(1024, 'y'), true, QString(1024, 'y')},
        {"Huge", Registry::RegSz, std::string(1025, 'x'), false, ""}, // more than the buffer
    };
    for (const auto& [name, type, bytes, ok, want] : cases) {
        reg.setValue(HKeyLocalMachine, key.toStdString(), name, {type, bytes});
        QString v = "keep";
        EXPECT_EQ(box.GetKeyValue(HKeyLocalMachine, key, QString(name).toLower(), v), ok) << name;
        EXPECT_EQ(v, want) << name;
    }
    for (const QString& k : {key, QStringLiteral("SOFTWARE\\Nowhere")}) {
        QString v = "x"; // a missing value or key: false and empty
        EXPECT_FALSE(box.GetKeyValue(HKeyLocalMachine, k, "Missing", v));
        EXPECT_EQ(v, QString());
    }
    // Opened for reading only (KEY_READ), and every key closed again.
    EXPECT_EQ(reg.lastAccess(), 0x20019u);
    EXPECT_EQ(reg.openCount(), 0u);
}

TEST_F(AboutBox, StartSysInfoTriesThePathThenTheFolderElseSaysItIsUnavailable) {
    const std::string msInfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    using Result = std::pair<std::vector<QString>, bool>;
    EXPECT_EQ(press(), Result({}, true)); // nothing registered
    // The folder counts only when the program is there.
    reg.addKey(HKeyLocalMachine, msInfo); // the key without its value
    reg.setText(HKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                "C:\\Shared");
    EXPECT_EQ(press(), Result({}, true));
    platform.existingFiles.insert("C:\\Shared\\MSINFO32.EXE");
    EXPECT_EQ(press(), Result({"C:\\Shared\\MSINFO32.EXE"}, false));
    // The registered path comes first and is started unchecked.
    reg.setText(HKeyLocalMachine, msInfo, "PATH", "C:\\Gone\\msinfo32.exe");
    EXPECT_EQ(press(), Result({"C:\\Gone\\msinfo32.exe"}, false));
    platform.refuseStarts = true;
    EXPECT_EQ(press(), Result({"C:\\Gone\\msinfo32.exe"}, true));
    // A path of an unknown type reads as empty text, which cannot be started.
    platform.refuseStarts = false;
    reg.setValue(HKeyLocalMachine, msInfo, "PATH", {7, "C:\\x\0\0"s});
    EXPECT_EQ(press(), Result({""}, true));
}

TEST(PictureBox, ColoursAreBgrIntegersLinesAreClippedAndAPictureReplacesTheDrawing) {
    PictureBox box(PictureBox::Fixed3D);
    box.place(6, 5, 14, 14);
    EXPECT_EQ(box.contentsRect(), QRect(2, 2, 10, 10)); // inside the 2-pixel border
    // Negative colours draw their low 24 bits: -1 is white.
    for (const auto& [colour, rgb] :
         {std::pair(0x123456, qRgb(0x56, 0x34, 0x12)), std::pair(-1, qRgb(255, 255, 255)),
          std::pair(-257, qRgb(255, 254, 255))}) {
        box.PSet(1, 1, colour);
        EXPECT_EQ(box.surface().pixel(1, 1), rgb) << colour;
        EXPECT_EQ(box.Point(1, 1), colour & 0xFFFFFF) << colour;
    }
    EXPECT_EQ(box.Point(10, 0) & box.Point(0, -1), -1); // outside the inner area
    const QImage before = box.surface();
    box.Line(2, 3, 5, 3, 0x00FF00);  // both ends included
    box.Line(7, 9, 7, 64, 0x00FF00); // past the bottom edge
    box.Line(9, 0, 8, 0, 0x00FF00);  // backwards
    box.Line(0, 5, 2, 7, 0x00FF00);
    box.Line(20, 0, 20, 9, 0); // all outside
    box.PSet(10, 10, 0);
    const std::set<std::pair<int, int>> drawn{{2, 3}, {3, 3}, {4, 3}, {5, 3}, {7, 9},
                                              {8, 0}, {9, 0}, {0, 5}, {1, 6}, {2, 7}};
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y)
            ASSERT_EQ(box.surface().pixel(x, y),
                      drawn.count({x, y}) ? qRgb(0, 255, 0) : before.pixel(x, y))
                << x << "," << y;
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(qRgb(1, 2, 3));
    box.setPicture(picture);
    EXPECT_EQ(box.Point(3, 3), 0x030201);
    EXPECT_EQ(box.surface().pixel(5, 3), box.palette().color(QPalette::Window).rgb());
}

TEST(AboutFromMain, TheAboutLabelOpensAModalBoxDiscardedOnClose) {
    Module1 module;
    test::FakePlatform platform;
    frmMain main(module, platform);
    main.Timer1->stop();
    main.show();
    bool seen = false, forced = false;
    // Looks at the box from inside its modal loop, then presses OK.
    QTimer::singleShot(0, &main, [&] {
        auto* b = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        ASSERT_TRUE(b && b->isModal() && b->parentWidget() == &main);
        seen = b->windowIcon().cacheKey() == main.windowIcon().cacheKey();
        b->cmdOK->click();
    });
    // Should the box not close, this ends its loop instead of hanging.
    QTimer::singleShot(10000, &main, [&] {
        if (QWidget* w = QApplication::activeModalWidget())
            forced = w->close();
    });
    QTest::mouseClick(main.Label2, Qt::LeftButton);
    EXPECT_TRUE(seen && !forced);
    EXPECT_EQ(main.findChild<frmAbout*>(), nullptr); // closed means discarded
}

} // namespace
} // namespace lanternix
