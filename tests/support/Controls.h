#pragma once

#include "platform/Twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace lanternix::test {

// A control as the layout gives it: its name, caption and place in twips.
struct Control {
    const char* name;
    QString caption;
    int left, top, width, height;
};

inline QString captionOf(const QWidget* w) {
    if (const auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (const auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    if (const auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    if (const auto* e = qobject_cast<const QLineEdit*>(w))
        return e->text();
    return {};
}

// Every control of the window, found by name, with its caption and place (a label may have
// grown to the right to show its caption whole).
inline void expectControls(const QWidget& window, std::initializer_list<Control> controls) {
    for (const Control& c : controls) {
        const auto* w = window.findChild<const QWidget*>(QLatin1String(c.name));
        ASSERT_NE(w, nullptr) << c.name;
        EXPECT_EQ(captionOf(w), c.caption) << c.name;
        const QRect want(toPixels(c.left), toPixels(c.top), toPixels(c.width), toPixels(c.height));
        QRect got = w->geometry();
        if (qobject_cast<const QLabel*>(w) && got.width() > want.width())
            got.setWidth(want.width());
        EXPECT_EQ(got, want) << c.name;
    }
}

// The controls the focus reaches pressing Tab from the one that has it, named, until it
// comes back (or after 20).
inline QStringList tabWalk() {
    QStringList names;
    QWidget* first = QApplication::focusWidget();
    for (QWidget* w = first; w && names.size() < 20;) {
        names << w->objectName();
        QTest::keyClick(w, Qt::Key_Tab);
        w = QApplication::focusWidget();
        if (w == first)
            break;
    }
    return names;
}

} // namespace lanternix::test
