#pragma once

// What the window tests share.
#include "app/frmMain.h"
#include "editor/frmButton.h"
#include "model/Module1.h"
#include "platform/TreeView.h"
#include "platform/Twips.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace lanternix::test {

// The editor's five boxes (default, over, target, status, link) and the image's name.
inline const QStringList Boxes{"Image1", "Image2", "Frameset1", "Comments1", "Link1", "Key1"};

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
