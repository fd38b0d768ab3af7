#pragma once

#include "platform/ClickTracker.h"

#include <QLabel>

namespace lanternix {

// A label that reports mouse press, release and click, as a hyperlink-style label needs.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void MouseDown();
    void MouseUp();
    void Click();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    ClickTracker clicks_;
};

} // namespace lanternix
