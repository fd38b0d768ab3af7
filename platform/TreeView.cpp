#include "platform/TreeView.h"

#include <QMouseEvent>

namespace lanternix {

TreeView::TreeView(QWidget* parent) : QTreeWidget(parent), nodes_(*this, images_) {
    setHeaderHidden(true);
    setColumnCount(1);
    setIconSize(QSize(13, 13));
    setExpandsOnDoubleClick(true);
    // A click raises NodeClick on release; a keyboard move raises it as the current node
    // changes. The press that starts a click must not raise it twice.
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item, int) { raiseNodeClick(item); });
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!mouseSelecting_)
            raiseNodeClick(item);
    });
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (TreeNode* n = nodes_.fromItem(item))
            n->noteExpanded(true);
    });
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        if (TreeNode* n = nodes_.fromItem(item))
            n->noteExpanded(false);
    });
}

void TreeView::raiseNodeClick(QTreeWidgetItem* item) {
    if (TreeNode* n = item ? nodes_.fromItem(item) : nullptr)
        emit NodeClick(*n);
}

void TreeView::mousePressEvent(QMouseEvent* e) {
    mouseSelecting_ = true;
    QTreeWidget::mousePressEvent(e);
    mouseSelecting_ = false;
}

void TreeView::mouseDoubleClickEvent(QMouseEvent* e) {
    // The view's own handling (toggling a node) comes first; DblClick handlers see its result.
    mouseSelecting_ = true;
    QTreeWidget::mouseDoubleClickEvent(e);
    mouseSelecting_ = false;
    emit DblClick();
}

} // namespace lanternix
