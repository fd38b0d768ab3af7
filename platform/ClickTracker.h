#pragma once

#include <QMouseEvent>
#include <QWidget>

namespace lanternix {

// A click as a control sees it: a left press on it, then the release over it.
class ClickTracker {
public:
    // Notes a press; true when it is a left one.
    bool press(const QMouseEvent& e) {
        const bool left = e.button() == Qt::LeftButton;
        pressed_ = pressed_ || left;
        return left;
    }

    struct Release {
        bool endsPress; // the left button went up after a press on the control
        bool click;     // and over it
    };
    Release release(const QMouseEvent& e, const QWidget& control) {
        if (e.button() != Qt::LeftButton || !pressed_)
            return {false, false};
        pressed_ = false;
        return {true, control.rect().contains(e.position().toPoint())};
    }

private:
    bool pressed_ = false;
};

} // namespace lanternix
