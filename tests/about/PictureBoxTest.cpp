#include "platform/PictureBox.h"

#include <QImage>

#include <gtest/gtest.h>

namespace lanternix {
namespace {

TEST(PictureBox, ColoursAreBgrIntegersAndNegativeOnesDrawTheirLow24Bits) {
    PictureBox box(PictureBox::None);
    box.place(0, 0, 8, 8);
    box.PSet(1, 1, 0x0000FF);
    EXPECT_EQ(box.surface().pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(box.Point(1, 1), 0x0000FF);
    box.PSet(2, 1, 0x123456);
    EXPECT_EQ(box.surface().pixel(2, 1), qRgb(0x56, 0x34, 0x12));
    EXPECT_EQ(box.Point(2, 1), 0x123456);

    box.PSet(3, 1, -1); // white
    EXPECT_EQ(box.Point(3, 1), 0xFFFFFF);
    box.PSet(4, 1, -256); // 0xFFFFFF00
    EXPECT_EQ(box.Point(4, 1), 0xFFFF00);
    box.PSet(5, 1, -257); // 0xFFFFFEFF
    EXPECT_EQ(box.Point(5, 1), 0xFFFEFF);

    // Outside the inner area: reads give -1, writes are dropped.
    EXPECT_EQ(box.Point(8, 0), -1);
    EXPECT_EQ(box.Point(0, -1), -1);
    box.PSet(8, 8, 0);
    box.PSet(-1, 3, 0);
}

TEST(PictureBox, LinesIncludeBothEndsAndAreClipped) {
    PictureBox box(PictureBox::None);
    box.place(0, 0, 10, 10);
    const QImage blank = box.surface();

    box.Line(2, 3, 5, 3, 0x00FF00);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(box.Point(static_cast<float>(x), 3),
                  x >= 2 && x <= 5 ? 0x00FF00 : PictureBox::fromRgb(blank.pixel(x, 3)))
            << x;
    // Running down past the bottom edge, and backwards.
    box.Line(7, 6, 7, 64, 0x0000FF);
    box.Line(9, 9, 8, 9, 0xFF0000);
    for (int y = 6; y < 10; ++y)
        EXPECT_EQ(box.Point(7, static_cast<float>(y)), 0x0000FF);
    EXPECT_EQ(box.Point(7, 5), PictureBox::fromRgb(blank.pixel(7, 5)));
    EXPECT_EQ(box.Point(8, 9), 0xFF0000);
    EXPECT_EQ(box.Point(9, 9), 0xFF0000);
    // A diagonal and a line wholly outside.
    box.Line(0, 0, 2, 2, 0x010203);
    EXPECT_EQ(box.Point(1, 1), 0x010203);
    EXPECT_EQ(box.Point(1, 0), PictureBox::fromRgb(blank.pixel(1, 0)));
    const QImage before = box.surface();
    box.Line(20, 0, 20, 9, 0);
    box.Line(11, 65, 16, 65, 0);
    EXPECT_EQ(box.surface(), before);
}

TEST(PictureBox, APictureReplacesTheDrawingAndTheBorderSurroundsTheInnerArea) {
    PictureBox framed(PictureBox::Fixed3D);
    framed.place(6, 5, 68, 68);
    EXPECT_EQ(framed.contentsRect(), QRect(2, 2, 64, 64));
    EXPECT_EQ(framed.surface().size(), QSize(64, 64));

    framed.PSet(10, 10, 0x00FF00);
    framed.PSet(63, 63, 0x00FF00);
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(qRgb(1, 2, 3));
    framed.setPicture(picture);
    EXPECT_EQ(framed.Picture(), picture);
    EXPECT_EQ(framed.Point(3, 3), 0x030201);
    EXPECT_NE(framed.Point(10, 10), 0x00FF00);
    EXPECT_NE(framed.Point(63, 63), 0x00FF00);
}

} // namespace
} // namespace lanternix
