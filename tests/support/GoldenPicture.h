#pragma once

// Pictures of the windows, compared pixel for pixel with PNG files under tests/data/windows/;
// renewed as the other expected outputs are (support/Golden.h).
#include "support/Golden.h"

#include <QImage>
#include <QWidget>

#include <iostream>

namespace lanternix::test {

// How the window is drawn, as a PNG of tests/data/windows/NAME.png shows it. On a difference
// the picture drawn and a difference picture (changed pixels red) are left beside the test.
inline ::testing::AssertionResult looksLike(const std::string& name, QWidget& w) {
    const QImage got = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const std::string file = dataFile("windows/" + name + ".png");
#ifdef _WIN32
    // Windows draws text its own way: the pictures are Linux's.
    static const bool noted = (std::cout << "[  NOTE    ] pictures of windows are compared on "
                                            "Linux only\n",
                               true);
    return (void)noted, (void)got, ::testing::AssertionSuccess();
#else
    if (renewingGoldens()) {
        std::filesystem::create_directories(pathFromUtf8(file).parent_path());
        got.save(QString::fromStdString(file), "PNG");
        return ::testing::AssertionSuccess();
    }
    const QImage want = QImage(QString::fromStdString(file)).convertToFormat(QImage::Format_RGB32);
    QImage diff = got;
    QRect changed;
    if (want.size() == got.size()) {
        for (int y = 0; y < got.height(); ++y)
            for (int x = 0; x < got.width(); ++x)
                if (got.pixel(x, y) != want.pixel(x, y)) {
                    diff.setPixel(x, y, qRgb(255, 0, 0));
                    changed |= QRect(x, y, 1, 1);
                }
        if (changed.isEmpty())
            return ::testing::AssertionSuccess();
    }
    const std::string kept = failedGolden("windows/" + name + ".png");
    got.save(QString::fromStdString(kept), "PNG");
    diff.save(QString::fromStdString(kept).replace(".png", ".diff.png"), "PNG");
    ::testing::AssertionResult f = ::testing::AssertionFailure();
    f << "tests/data/windows/" << name << ".png: ";
    if (want.size() != got.size())
        f << "the window is " << got.width() << "x" << got.height() << ", the picture "
          << want.width() << "x" << want.height();
    else
        f << "pixels differ in " << changed.width() << "x" << changed.height() << " at "
          << changed.x() << "," << changed.y();
    return f << "; the window as drawn is in " << kept << ", the difference beside it";
#endif
}

} // namespace lanternix::test
