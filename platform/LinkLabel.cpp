#include "platform/LinkLabel.h"

namespace lanternix {

void LinkLabel::mousePressEvent(QMouseEvent* e) {
    if (!clicks_.press(*e))
        return QLabel::mousePressEvent(e);
    emit MouseDown();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* e) {
    const ClickTracker::Release r = clicks_.release(*e, *this);
    if (!r.endsPress)
        return QLabel::mouseReleaseEvent(e);
    emit MouseUp();
    if (r.click)
        emit Click();
}

} // namespace lanternix
