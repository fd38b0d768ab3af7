#pragma once

#include "platform/TreeView.h"
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
// grown to the right, just enough to show its caption whole).
inline void expectControls(const QWidget& window, std::initializer_list<Control> controls) {
    for (const Control& c : controls) {
        const auto* w = window.findChild<const QWidget*>(QLatin1String(c.name));
        ASSERT_NE(w, nullptr) << c.name;
        EXPECT_EQ(captionOf(w), c.caption) << c.name;
        const QRect want(toPixels(c.left), toPixels(c.top), toPixels(c.width), toPixels(c.height));
        QRect got = w->geometry();
        if (qobject_cast<const QLabel*>(w) && got.width() > want.width() &&
            got.width() == w->sizeHint().width())
            got.setWidth(want.width());
        EXPECT_EQ(got, want) << c.name;
    }
}

// The same, a control a row: "name|caption|left top width height".
inline void expectControls(const QWidget& window, const QStringList& rows) {
    for (const QString& row : rows) {
        const QStringList f = row.split('|'), at = f.value(2).split(' ');
        const QByteArray name = f[0].toLatin1();
        expectControls(window, {{name.constData(), f.value(1), at.value(0).toInt(),
                                 at.value(1).toInt(), at.value(2).toInt(), at.value(3).toInt()}});
    }
}

// The captions of the named controls of a window.
inline QStringList captions(const QWidget& window, const QStringList& names) {
    QStringList out;
    for (const QString& name : names)
        out << captionOf(window.findChild<const QWidget*>(name));
    return out;
}

// The tree as keys: the root's key and text, + when expanded, then each image's key, with a ?
// where its text differs.
inline QString treeText(TreeView& tree) {
    TreeNodes& nodes = tree.Nodes();
    QString s = nodes(1).Key() + nodes(1).Text() + (nodes(1).item()->isExpanded() ? "+" : "-");
    for (int i = 2; i <= nodes.Count(); ++i)
        s += " " + nodes(i).Key() + (nodes(i).Key() == nodes(i).Text() ? "" : "?");
    return s;
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
