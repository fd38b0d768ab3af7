#include "platform/LinkLabel.h"

#include <QMouseEvent>

namespace lanternix {

void LinkLabel::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton)
        return QLabel::mousePressEvent(e);
    pressed_ = true;
    emit MouseDown();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !pressed_)
        return QLabel::mouseReleaseEvent(e);
    pressed_ = false;
    emit MouseUp();
    if (rect().contains(e->position().toPoint()))
        emit Click();
}

} // namespace lanternix
