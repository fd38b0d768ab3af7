#include "html/frmHTML.h"
#include "html/GenerateHtml.h"
#include "html/HtmlGenerator.h"
#include "model/MenuTable.h"
#include "platform/Form.h"
#include "platform/Twips.h"
#include "support/FakePlatform.h"

#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace lanternix;

namespace {

QString pageText(const MenuTable& t) {
    // What a text box gives back: one line break per CR LF.
    return QString::fromStdString(generateHtmlPage(t).text)
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

MenuTable validTable() {
    MenuTable t;
    t.slot(1) = MenuImage{"Image1", "a.gif", "b.gif", "main", "Home", "index.htm"};
    t.slot(2) = MenuImage{"Image2", "c.gif", "", "", "News", ""};
    return t;
}

// A stand-in for the main window: its icon, its page buffer and the generator over a table.
struct CodeWindowFixture : ::testing::Test {
    QWidget main;
    QPlainTextEdit* Html1 = new QPlainTextEdit(&main);
    test::FakePlatform platform;
    MenuTable table = validTable();
    int runs = 0;
    std::unique_ptr<frmHTML> w;

    CodeWindowFixture() {
        QPixmap icon(16, 16);
        icon.fill(Qt::red);
        main.setWindowIcon(QIcon(icon));
    }

    frmHTML& make() {
        w = std::make_unique<frmHTML>(
            main,
            [this](QWidget* parent) {
                ++runs;
                return GenerateHtml(table, *Html1, platform, parent).has_value();
            },
            *Html1);
        return *w;
    }

    // Opening as the main window does it: shown, then activated.
    frmHTML& open() {
        make().show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return *w;
    }

    void clickOverlay() { QTest::mouseClick(w->Text2, Qt::LeftButton); }
    void clickCode() { QTest::mouseClick(w->Text1->viewport(), Qt::LeftButton, {}, QPoint(5, 5)); }
};

} // namespace

TEST(GenerateHtml, WritesThePageOnceOrReportsTheLowestImage) {
    QPlainTextEdit Html1;
    test::FakePlatform platform;
    Html1.setPlainText(QStringLiteral("old page"));

    MenuTable t = validTable();
    t.slot(7) = MenuImage{"Image7", "", "", "", "", ""};
    t.slot(3) = MenuImage{"Image3", "", "x.gif", "", "", ""};
    EXPECT_EQ(GenerateHtml(t, Html1, platform, nullptr), std::nullopt);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].first,
              QStringLiteral("You must enter a Default image for Image3"));
    EXPECT_EQ(platform.messages[0].second, 16);
    EXPECT_EQ(Html1.toPlainText(), QStringLiteral("old page"));

    const MenuTable good = validTable();
    EXPECT_EQ(GenerateHtml(good, Html1, platform, nullptr), generateHtmlPage(good).text);
    EXPECT_EQ(Html1.toPlainText(), pageText(good));
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(CodeWindowFixture, ControlsAtTheirPlaces) {
    frmHTML& f = make();
    EXPECT_EQ(f.objectName(), QStringLiteral("frmHTML"));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("HTML Code"));
    EXPECT_EQ(f.size(), QSize(toPixels(4635), toPixels(3195)));
    EXPECT_EQ(f.windowIcon().cacheKey(), main.windowIcon().cacheKey());
    EXPECT_TRUE(f.isWindow());

    EXPECT_EQ(f.Text1->objectName(), QStringLiteral("Text1"));
    EXPECT_EQ(f.Text1->geometry(), QRect(0, 0, toPixels(4635), toPixels(3210)));
    EXPECT_TRUE(f.Text1->isReadOnly());
    EXPECT_TRUE(f.Text1->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    EXPECT_EQ(f.Text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(f.Text1->toPlainText(), QString());

    EXPECT_EQ(f.Text2->objectName(), QStringLiteral("Text2"));
    EXPECT_EQ(f.Text2->geometry(),
              QRect(toPixels(420), toPixels(1245), toPixels(3945), toPixels(480)));
    EXPECT_TRUE(f.Text2->isReadOnly());
    EXPECT_EQ(f.Text2->text(), QStringLiteral("Click to generate HTML"));
    EXPECT_EQ(f.Text2->font().family(), QStringLiteral("Arial Black"));
    EXPECT_DOUBLE_EQ(f.Text2->font().pointSizeF(), 14.25);
    EXPECT_EQ(f.Text2->font().weight(), QFont::Normal);
    EXPECT_FALSE(f.Text2->font().italic());
    EXPECT_FALSE(f.Text2->font().underline());
    EXPECT_EQ(f.nextInFocusChain(), f.Text1) << "tab index 0";
    EXPECT_EQ(runs, 0) << "nothing runs before the window shows";
}

TEST_F(CodeWindowFixture, OpenThenClickFillsTheBoxOnce) {
    frmHTML& f = open();
    // The first resize generated the page; activation emptied the box and showed the overlay.
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(Html1->toPlainText(), pageText(table));
    EXPECT_EQ(f.Text1->toPlainText(), QString());
    EXPECT_TRUE(f.Text2->isVisible());

    clickOverlay();
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(f.Text1->toPlainText(), pageText(table));
    EXPECT_FALSE(f.Text2->isVisible());

    // Nothing more while the window stays open: clicks and resizes leave the page alone.
    table.slot(2).StatusText = "changed";
    clickCode();
    f.resize(f.width() + 30, f.height() + 30);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(f.Text1->toPlainText(), pageText(validTable()));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CodeWindowFixture, ClickOnTheCodeBoxGeneratesToo) {
    frmHTML& f = open();
    clickCode();
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(f.Text1->toPlainText(), pageText(table));
    EXPECT_FALSE(f.Text2->isVisible());
}

TEST_F(CodeWindowFixture, FailedCheckAtOpeningAndAtTheFirstClick) {
    table.slot(4) = MenuImage{"Image4", "", "", "", "", ""};
    Html1->setPlainText(QStringLiteral("last page"));
    frmHTML& f = open();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0],
              std::make_pair(QStringLiteral("You must enter a Default image for Image4"), 16));
    EXPECT_TRUE(f.Text2->isVisible());
    EXPECT_EQ(f.Text1->toPlainText(), QString());

    clickOverlay();
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_FALSE(f.Text2->isVisible()) << "hidden all the same";
    EXPECT_EQ(f.Text1->toPlainText(), QString());
    EXPECT_EQ(Html1->toPlainText(), QStringLiteral("last page"));

    clickOverlay();
    clickCode();
    EXPECT_EQ(platform.messages.size(), 2u);
}

TEST_F(CodeWindowFixture, ResizeBeforeTheClickGenerates) {
    frmHTML& f = open();
    f.resize(f.width() + 60, f.height() + 45);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(f.Text1->toPlainText(), pageText(table));
    EXPECT_FALSE(f.Text2->isVisible());
}

TEST_F(CodeWindowFixture, CodeBoxFollowsTheOuterSize) {
    frmHTML& f = open();
    // Whatever frame the window system adds counts in the outer size.
    const QSize frame = f.frameGeometry().size() - f.geometry().size();
    // Outer 6000 x 4000 twips (400 x 267 pixels): the box is 5880 x 3600.
    f.resize(QSize(400, 267) - frame);
    ASSERT_EQ(Form::Width(f), 6000);
    EXPECT_EQ(toTwips(f.Text1->width()), 5880);
    EXPECT_EQ(toTwips(f.Text1->height()), 3600);
    EXPECT_EQ(f.Text1->pos(), QPoint(0, 0));
    EXPECT_EQ(f.Text2->geometry(),
              QRect(toPixels(420), toPixels(1245), toPixels(3945), toPixels(480)));

    // Below 400 twips high the box keeps its height rather than going negative; each side on
    // its own.
    f.resize(QSize(20, 20) - frame);
    ASSERT_EQ(Form::Width(f), 300);
    EXPECT_EQ(toTwips(f.Text1->width()), 180);
    EXPECT_EQ(toTwips(f.Text1->height()), 3600);
    f.resize(QSize(6, 6) - frame);
    ASSERT_LT(Form::Width(f), 120);
    EXPECT_EQ(toTwips(f.Text1->width()), 180);
    EXPECT_EQ(toTwips(f.Text1->height()), 3600);
}

TEST_F(CodeWindowFixture, OverlayPassesTheFocusToTheCodeBox) {
    frmHTML& f = open();
    f.Text2->setFocus();
    EXPECT_TRUE(f.Text1->hasFocus());
    EXPECT_EQ(runs, 1) << "focus alone does not generate";
}
