#include "about/frmAbout.h"
#include "platform/LinkLabel.h"
#include "platform/PictureBox.h"
#include "support/Controls.h"
#include "support/GoldenPicture.h"

#include <QTime>

namespace lanternix {
namespace {

using namespace std::string_literals;

struct AboutBox : ::testing::Test {
    test::FakePlatform platform;
    QIcon icon{QPixmap(16, 16)};
    const int beforeLoad = QTime::currentTime().msecsSinceStartOfDay();
    frmAbout box{icon, platform};
    MemoryRegistry& reg = platform.memoryRegistry;
};

TEST_F(AboutBox, LoadsAsDrawnAndClosesOnEnterAndEsc) {
    const double first = box.random().Rnd(); // seeded with the milliseconds since midnight
    bool seeded = false;
    for (int s = beforeLoad; s <= QTime::currentTime().msecsSinceStartOfDay(); ++s)
        seeded = seeded || Random(s).Rnd() == first;
    EXPECT_TRUE(seeded);
    EXPECT_TRUE(test::looksLike("about", box));
    EXPECT_EQ(std::tuple(box.windowTitle(), box.windowIcon().cacheKey(), box.Timer1->interval(),
                         box.picIcon->Picture().isNull()),
              std::tuple(QString("About Lanternix v2.0"), icon.cacheKey(), 10, true));
    box.show(); // and made the active window, as the modal showing does
    QApplication::setActiveWindow(&box);
    box.cmdOK->setFocus();
    EXPECT_EQ(test::tabWalk(), QStringList({"cmdOK", "picIcon", "cmdSysInfo"}));
    // Pressed with the focus away from cmdOK, it answers as the default and the cancel button.
    for (int key : {Qt::Key_Escape, Qt::Key_Return}) {
        box.show();
        box.setResult(0);
        QTest::keyClick(box.picIcon, Qt::Key(key));
        EXPECT_EQ(std::pair(box.isVisible(), box.result()), std::pair(false, 1)) << key;
    }
}

TEST_F(AboutBox, DeactivationStopsTheTimerActivationDoesNotRestartItAndTheDripEndsWithTheLogo) {
    box.show();
    QApplication::setActiveWindow(&box);
    QTest::mouseClick(box.picIcon, Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_TRUE(box.Timer1->isActive());
    const QImage before = box.picIcon->surface();
    box.reveal().RevealMode = Reveal::Drip; // drawn in lines
    box.Timer1_Timer();
    const QImage partly = box.picIcon->surface(), logo = box.Picture1->Picture();
    EXPECT_NE(partly, before);
    QWidget other; // another window of the program becomes active, then the box again
    other.show();
    QApplication::processEvents(); // its own activation, queued by the platform
    QApplication::setActiveWindow(&other);
    EXPECT_FALSE(box.Timer1->isActive());
    box.reveal().RevealStep = 9;
    QApplication::setActiveWindow(&box);
    EXPECT_EQ(std::tuple(box.Timer1->isActive(), box.Image1->isVisible(), box.reveal().RevealStep,
                         box.picIcon->surface()),
              std::tuple(false, true, 0, partly));
    // Leaving for another program and coming back is no activation: the timer runs on to the end.
    QTest::mouseClick(box.Image1, Qt::LeftButton);
    box.reveal().RevealMode = Reveal::Drip;
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(&box);
    EXPECT_FALSE(box.Image1->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !box.Timer1->isActive(); }, 20000));
    EXPECT_EQ(std::pair(box.picIcon->Picture(), box.picIcon->surface()), std::pair(logo, logo));
}

// What GetKeyValue read, and what System Info then started and said with each registry, as
// tests/data/messages/system-info.txt shows it; KeyVal comes in as "keep".
TEST_F(AboutBox, GetKeyValueReadsTextsNumbersOtherTypesAndFailuresAndStartSysInfoUsesThem) {
    const QString key = "SOFTWARE\\Lanternix\\Test";
    // Name (looked up in lower case), type and bytes; a name with a \ is a key that is not there.
    const std::tuple<const char*, std::uint32_t, std::string> cases[] = {
        {"Zero", Registry::RegSz, "C:\\Tools\\x.exe\0"s},
        {"NoZero", Registry::RegSz, "abc"},
        {"TwoZeros", Registry::RegSz, "ab\0\0"s},
        {"Empty", Registry::RegSz, ""},
        {"JustZero", Registry::RegSz, "\0"s},
        {"Accents", Registry::RegSz, "caf\xc3\xa9\0"s},
        {"Number", Registry::RegDword, "\x05\x00\x01\x00"s},
        {"Big", Registry::RegDword, "\xAB\xCD\xEF\xFE"s},
        {"Long", Registry::RegDword, "\x01\0\0\0\x07"s}, // a number is 4 bytes
        {"Binary", 3, "\x01\x02"},
        {"Full", Registry::RegSz, std::string(1024, 'y')},
        {"Huge", Registry::RegSz, std::string(1025, 'x')}, // more than the buffer
        {"Missing", 0, ""},
        {"SOFTWARE\\Nowhere", 0, ""}};
    for (const auto& [name, type, bytes] : cases) {
        const bool inKey = !QString(name).contains('\\');
        if (type != 0)
            reg.setValue(HKeyLocalMachine, key.toStdString(), name, {type, bytes});
        QString v = "keep";
        const bool read =
            box.GetKeyValue(HKeyLocalMachine, inKey ? key : name, QString(name).toLower(), v);
        platform.log += QString("%1: %2 \"%3\" (length %4)\n")
                            .arg(name, read ? "read" : "not read",
                                 QString(v).replace(QChar(0), "\\0"), QString::number(v.size()));
    }
    // Opened for reading only (KEY_READ), and every key closed again.
    EXPECT_EQ(std::pair(reg.lastAccess(), reg.openCount()), std::pair(0x20019u, std::size_t(0)));

    const std::string msInfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    const auto press = [&](const char* registered) {
        platform.log += QString("> System Info with %1\n").arg(registered);
        box.cmdSysInfo->click();
    };
    press("nothing registered");
    reg.addKey(HKeyLocalMachine, msInfo);
    press("the key without its value");
    reg.setText(HKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                "C:\\Shared");
    press("the shared tools' folder, which lacks the program");
    platform.existingFiles.insert("C:\\Shared\\MSINFO32.EXE");
    press("the shared tools' folder, which holds the program");
    reg.setText(HKeyLocalMachine, msInfo, "PATH", "C:\\Gone\\msinfo32.exe");
    press("a path, which comes first and is started unchecked");
    platform.refuseStarts = true;
    press("the path, whose start is refused");
    platform.refuseStarts = false;
    reg.setValue(HKeyLocalMachine, msInfo, "PATH", {7, "C:\\x\0\0"s});
    press("a path of an unknown type, read as empty text, which cannot be started");
    EXPECT_TRUE(test::matchesGolden("messages/system-info.txt", platform.log.toStdString()));
}

// Counts the repaints of a widget.
struct Paints : QObject {
    int n = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        return n += e->type() == QEvent::Paint, false;
    }
};

// Only what the reveal uses: points, rows and columns, clipped to the inner area, each shown at
// once; a picture replaces the drawing.
TEST(PictureBox, DrawsBgrColoursClipsLinesAndShowsAPicture) {
    PictureBox box(PictureBox::Fixed3D);
    box.place(6, 5, 14, 14);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    Paints paints;
    box.installEventFilter(&paints);
    const auto shown = [&] {
        return QCoreApplication::processEvents(), std::exchange(paints.n, 0);
    };
    box.PSet(1, 1, -257); // negative colours draw their low 24 bits
    EXPECT_GT(shown(), 0);
    box.Line(2, 3, 5, 3, 0x123456); // both ends included
    EXPECT_GT(shown(), 0);
    box.Line(7, 9, 7, 64, 0x00FF00); // past the bottom edge
    box.Line(20, 0, 20, 9, 0);       // all outside
    EXPECT_EQ(std::tuple(box.Point(1, 1), box.Point(3, 3), box.Point(10, 0), box.Point(0, -1)),
              std::tuple(0xFFFEFF, 0x123456, -1, -1));
    box.resize(box.size() + QSize(4, 4)); // the drawing stays where it is
    EXPECT_TRUE(test::looksLike("picture-box", box));
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(qRgb(1, 2, 3));
    shown();
    box.setPicture(picture);
    EXPECT_GT(shown(), 0);
    EXPECT_TRUE(test::looksLike("picture-box-picture", box));
}

TEST(AboutFromMain, TheAboutLabelOpensAModalBoxDiscardedOnClose) {
    Module1 module;
    test::FakePlatform platform;
    frmMain main(module, platform);
    main.Timer1->stop();
    main.show();
    std::tuple<QWidget*, qint64> seen;
    QTimer::singleShot(0, &main, [&] { // looks at the box from inside its modal loop
        auto* b = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        ASSERT_TRUE(b);
        seen = {b->parentWidget(), b->windowIcon().cacheKey()};
        b->cmdOK->click();
    });
    QTest::mouseClick(main.Label2, Qt::LeftButton);
    EXPECT_EQ(seen, std::tuple(static_cast<QWidget*>(&main), main.windowIcon().cacheKey()));
    EXPECT_EQ(main.findChild<frmAbout*>(), nullptr); // closed means discarded
}

} // namespace
} // namespace lanternix
