#include "about/frmAbout.h"
#include "app/frmMain.h"
#include "model/Module1.h"
#include "platform/LinkLabel.h"
#include "tests/support/FakePlatform.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace lanternix {
namespace {

TEST(AboutFromMain, TheAboutLabelOpensAFreshModalBoxEachTime) {
    Module1 module;
    test::FakePlatform platform;
    frmMain main(module, platform);
    main.Timer1->stop();
    main.show();

    for (int round = 0; round < 2; ++round) {
        QString caption, version;
        bool modal = false, sameIcon = false;
        std::uint32_t seenStep = 1;
        // Looks at the box from inside its modal loop, then presses OK.
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            caption = box->windowTitle();
            version = box->lblVersion->text();
            modal = box->isModal() && box->parentWidget() == &main;
            sameIcon = box->windowIcon().cacheKey() == main.windowIcon().cacheKey();
            seenStep = static_cast<std::uint32_t>(box->reveal().RevealStep);
            box->cmdOK->click();
        });
        // Should the box not open or not close, this ends the loop instead of hanging.
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] {
            if (QWidget* w = QApplication::activeModalWidget())
                w->close();
        });
        guard.start(10000);

        QTest::mouseClick(main.Label2, Qt::LeftButton);
        EXPECT_EQ(caption, QStringLiteral("About Lanternix v2.0"));
        EXPECT_EQ(version, QStringLiteral("Version 2.0.0"));
        EXPECT_TRUE(modal);
        EXPECT_TRUE(sameIcon);
        EXPECT_EQ(seenStep, 0u);
        EXPECT_TRUE(guard.isActive()) << "the box had to be closed by force";
        // Closed means discarded.
        EXPECT_EQ(main.findChild<frmAbout*>(), nullptr);
    }
}

} // namespace
} // namespace lanternix
