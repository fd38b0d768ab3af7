#include "platform/Form.h"

#include "platform/Twips.h"

#include <QWidget>

namespace lanternix {

void placeTwips(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

namespace Form {

int Left(const QWidget& w) {
    return toTwips(w.frameGeometry().x());
}
int Top(const QWidget& w) {
    return toTwips(w.frameGeometry().y());
}
int Width(const QWidget& w) {
    return toTwips(w.frameGeometry().width());
}
int Height(const QWidget& w) {
    return toTwips(w.frameGeometry().height());
}

// move() on a window places its frame, matching what Left and Top read.
void setPosition(QWidget& w, int left, int top) {
    w.move(toPixels(left), toPixels(top));
}

WindowState State(const QWidget& w) {
    const Qt::WindowStates s = w.windowState();
    if (s & Qt::WindowMinimized)
        return Minimized;
    if (s & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return Maximized;
    return Normal;
}

void setState(QWidget& w, WindowState s) {
    switch (s) {
    case Normal:
        w.setWindowState(Qt::WindowNoState);
        break;
    case Minimized:
        w.setWindowState(Qt::WindowMinimized);
        break;
    case Maximized:
        w.setWindowState(Qt::WindowMaximized);
        break;
    }
}

} // namespace Form
} // namespace lanternix
