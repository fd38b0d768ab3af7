#include "about/frmAbout.h"

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

namespace lanternix {
namespace {

QIcon redIcon() {
    QPixmap p(16, 16);
    p.fill(Qt::red);
    return QIcon(p);
}

struct AboutFixture : ::testing::Test {
    test::FakePlatform platform;
    QIcon icon = redIcon();
    frmAbout box{icon, platform};

    QImage logo() const { return box.Picture1->Picture(); }
    QRgb shown(int x, int y) const { return box.picIcon->surface().pixel(x, y); }

    // Shows the box and makes it the active window, as the modal showing does.
    void showActive() {
        box.show();
        QApplication::setActiveWindow(&box);
    }
    // Runs the current effect tick by tick until it stops the timer; returns the ticks.
    int runToEnd(int limit = 10000) {
        int ticks = 0;
        while (box.Timer1->isActive() && ticks < limit) {
            box.Timer1_Timer();
            ++ticks;
        }
        return ticks;
    }
    void start(int mode) {
        box.Form_Activate();
        box.reveal().RevealMode = mode;
        QTest::mouseClick(box.Image1, Qt::LeftButton);
        ASSERT_TRUE(box.Timer1->isActive());
        ASSERT_FALSE(box.Image1->isVisibleTo(&box));
    }
};

TEST_F(AboutFixture, LoadSetsCaptionsVersionIconAndEveryControlInItsPlace) {
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About Lanternix v2.0"));
    EXPECT_EQ(box.lblTitle->text(), QStringLiteral("Lanternix v2.0"));
    EXPECT_EQ(box.lblVersion->text(), QStringLiteral("Version 2.0.0"));
    EXPECT_EQ(box.lblDisclaimer->text(), QStringLiteral("CAREWARE / FREEWARE"));
    EXPECT_EQ(box.cmdOK->text(), QStringLiteral("OK"));
    EXPECT_EQ(box.cmdSysInfo->text(), QStringLiteral("&System Info..."));
    EXPECT_TRUE(box.lblDescription->text().contains(QStringLiteral("@example.org")));
    EXPECT_TRUE(box.Label2->text().contains(QStringLiteral("example.org")));
    EXPECT_EQ(box.windowIcon().pixmap(16, 16).toImage().pixel(8, 8), qRgb(255, 0, 0));

    EXPECT_EQ(box.size(), QSize(382, 237));
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
    EXPECT_FALSE(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

    const std::pair<QWidget*, QRect> places[] = {
        {box.picIcon, {6, 5, 68, 68}},           {box.Picture1, {3, 86, 64, 64}},
        {box.lblTitle, {81, 16, 259, 32}},       {box.lblVersion, {81, 52, 259, 15}},
        {box.lblDescription, {81, 75, 259, 78}}, {box.Line1[0], {6, 163, 372, 1}},
        {box.Line1[1], {7, 164, 371, 2}},        {box.lblDisclaimer, {17, 175, 258, 23}},
        {box.cmdOK, {283, 175, 84, 23}},         {box.cmdSysInfo, {284, 205, 83, 23}},
        {box.Label1, {0, 224, 78, 13}},          {box.Label2, {136, 224, 147, 13}},
    };
    for (const auto& [w, r] : places)
        EXPECT_EQ(w->geometry(), r) << w->objectName().toStdString();
    EXPECT_EQ(box.Image1->parentWidget(), box.picIcon);
    EXPECT_EQ(box.Image1->geometry(), QRect(2 + 8, 2 + 16, 48, 30));
    EXPECT_EQ(box.picIcon->surface().size(), QSize(64, 64));
    for (const char* name :
         {"picIcon", "Image1", "Picture1", "lblTitle", "lblVersion", "lblDescription",
          "lblDisclaimer", "cmdOK", "cmdSysInfo", "Label1", "Label2", "Timer1"})
        EXPECT_NE(box.findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;

    // The pictures: the small one 32 x 20, the logo 64 x 64; the box starts without it.
    EXPECT_EQ(QImage(QStringLiteral(":/about/AboutImage1.bmp")).size(), QSize(32, 20));
    EXPECT_EQ(QImage(QStringLiteral(":/about/AboutImage1.bmp")).colorCount(), 16);
    EXPECT_EQ(logo().size(), QSize(64, 64));
    EXPECT_TRUE(box.picIcon->Picture().isNull());

    EXPECT_EQ(box.Timer1->interval(), 10);
    EXPECT_FALSE(box.Timer1->isActive());
    EXPECT_TRUE(box.cmdOK->isDefault());
}

TEST_F(AboutFixture, TabOrderAndEnterAndEscClose) {
    showActive();
    std::vector<QString> order;
    QWidget* w = box.cmdOK;
    do {
        if (w->isVisibleTo(&box) && (w->focusPolicy() & Qt::TabFocus))
            order.push_back(w->objectName());
        w = w->nextInFocusChain();
    } while (w != box.cmdOK);
    EXPECT_EQ(order, (std::vector<QString>{QStringLiteral("cmdOK"), QStringLiteral("picIcon"),
                                           QStringLiteral("cmdSysInfo")}));

    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);

    showActive();
    box.setResult(0);
    box.cmdOK->setFocus();
    QTest::keyClick(box.cmdOK, Qt::Key_Return);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);
}

TEST_F(AboutFixture, DeactivationStopsTheTimerAndActivationDoesNotRestartIt) {
    showActive();
    ASSERT_EQ(QApplication::activeWindow(), &box);
    QTest::mouseClick(box.picIcon, Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_TRUE(box.Timer1->isActive());
    EXPECT_FALSE(box.Image1->isVisible());
    box.Timer1_Timer();
    box.Timer1_Timer();
    const QImage partly = box.picIcon->surface();

    // Another window of the program becomes active.
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    EXPECT_FALSE(box.Timer1->isActive());
    EXPECT_EQ(box.picIcon->surface(), partly);

    box.reveal().RevealStep = 9;
    QApplication::setActiveWindow(&box);
    EXPECT_FALSE(box.Timer1->isActive());
    EXPECT_TRUE(box.Image1->isVisible());
    EXPECT_EQ(box.reveal().RevealStep, 0);
    EXPECT_EQ(box.picIcon->surface(), partly);

    // Leaving for another program and coming back is no activation: the run goes on.
    QTest::mouseClick(box.Image1, Qt::LeftButton);
    box.Timer1_Timer();
    const int step = box.reveal().RevealStep;
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(&box);
    EXPECT_TRUE(box.Timer1->isActive());
    EXPECT_FALSE(box.Image1->isVisible());
    EXPECT_EQ(box.reveal().RevealStep, step);
}

TEST_F(AboutFixture, DripRevealsTheLogoRowByRowAndEndsWithItsPicture) {
    start(Reveal::Drip);
    const QImage lg = logo();
    for (int k = 0; k < 64; ++k) {
        box.Timer1_Timer();
        if (k != 0 && k != 31)
            continue;
        for (int x = 0; x < 64; ++x)
            for (int y = 0; y < 64; ++y)
                ASSERT_EQ(shown(x, y), lg.pixel(x, y <= k ? y : k)) << k << " " << x << "," << y;
    }
    EXPECT_TRUE(box.picIcon->Picture().isNull());
    box.Timer1_Timer();
    EXPECT_FALSE(box.Timer1->isActive());
    EXPECT_EQ(box.picIcon->Picture(), lg);
    EXPECT_EQ(box.picIcon->surface(), lg);

    // A click on picIcon now runs the drip past the end: nothing inside changes, it goes on.
    QTest::mouseClick(box.picIcon, Qt::LeftButton, {}, QPoint(30, 5));
    ASSERT_EQ(box.reveal().RevealStep, 65);
    for (int i = 0; i < 20; ++i)
        box.Timer1_Timer();
    EXPECT_TRUE(box.Timer1->isActive());
    EXPECT_EQ(box.reveal().RevealStep, 85);
    EXPECT_EQ(box.picIcon->surface(), lg);
}

TEST_F(AboutFixture, SmearFloodsTheRowsThenWipesToTheLogo) {
    start(Reveal::Smear);
    const QImage lg = logo();
    box.Timer1_Timer();
    for (int y = 0; y < 64; ++y) {
        const std::int32_t left = PictureBox::fromRgb(lg.pixel(0, y));
        ASSERT_EQ(shown(0, y), lg.pixel(0, y));
        for (int x = 1; x <= 6; ++x)
            ASSERT_EQ(shown(x, y), PictureBox::toRgb(left - 256)) << x << "," << y;
        for (int x = 7; x < 64; ++x)
            ASSERT_EQ(shown(x, y), lg.pixel(0, y)) << x << "," << y;
    }
    EXPECT_EQ(runToEnd(), 64);
    EXPECT_EQ(box.picIcon->Picture(), lg);
    EXPECT_EQ(box.picIcon->surface(), lg);
}

TEST_F(AboutFixture, SparklesRevealVisitedPixelsAndLeaveTheRestAsTheyWere) {
    start(Reveal::Sparkle);
    const QImage before = box.picIcon->surface();
    const QImage lg = logo();
    const int ticks = runToEnd();
    EXPECT_GT(ticks, 1000);
    EXPECT_LT(ticks, 10000);
    int revealed = 0;
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 64; ++y) {
            const bool visited = box.reveal().PixelDone[x][y] != 0;
            revealed += visited;
            ASSERT_EQ(shown(x, y), visited ? lg.pixel(x, y) : before.pixel(x, y));
        }
    EXPECT_GT(revealed, 3000);
    EXPECT_TRUE(box.picIcon->Picture().isNull());
}

TEST_F(AboutFixture, TheTimerDrivesAWholeRun) {
    showActive();
    box.reveal().RevealMode = Reveal::Drip;
    QTest::mouseClick(box.Image1, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !box.Timer1->isActive(); }, 20000));
    EXPECT_EQ(box.picIcon->surface(), logo());
}

} // namespace
} // namespace lanternix
