#include "platform/TreeView.h"

#include <QMouseEvent>
#include <QSignalBlocker>

namespace lanternix {

TreeView::TreeView(QWidget* parent) : QTreeWidget(parent), nodes_(*this, images_) {
    setHeaderHidden(true); // one column, as a tree widget starts
    setIconSize(QSize(13, 13));
    setExpandsOnDoubleClick(true);
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

void TreeView::highlight(TreeNode* node) {
    const QSignalBlocker quiet(this);
    setCurrentItem(node ? node->item() : nullptr);
    if (!node)
        clearSelection();
}

void TreeView::raiseNodeClick(QTreeWidgetItem* item) {
    if (TreeNode* n = item ? nodes_.fromItem(item) : nullptr)
        emit NodeClick(*n);
}

void TreeView::mousePressEvent(QMouseEvent* e) {
    // Only a left press on a node moves the highlight: the tree has no menu, and a highlight
    // that the editor does not follow would show the wrong image as the one being edited.
    if (e->button() != Qt::LeftButton || !indexAt(e->position().toPoint()).isValid()) {
        setFocus(Qt::MouseFocusReason);
        return;
    }
    mouseSelecting_ = true;
    QTreeWidget::mousePressEvent(e);
}

void TreeView::mouseReleaseEvent(QMouseEvent* e) {
    QTreeWidget::mouseReleaseEvent(e);
    // Wherever the mouse is let go, the node it left highlighted is the one clicked.
    if (mouseSelecting_ && e->button() == Qt::LeftButton) {
        mouseSelecting_ = false;
        raiseNodeClick(currentItem());
    }
}

void TreeView::mouseDoubleClickEvent(QMouseEvent* e) {
    // The view's own handling (toggling a node) comes first; DblClick handlers see its result.
    if (e->button() == Qt::LeftButton)
        mouseSelecting_ = true;
    QTreeWidget::mouseDoubleClickEvent(e);
    emit DblClick();
}

} // namespace lanternix
