#pragma once

#include "platform/TreeNodes.h"

#include <QTreeWidget>

namespace lanternix {

class ImageList;

// A tree view with a keyed Nodes collection. NodeClick comes from a mouse click on a node and
// from the keyboard moving the selection; DblClick from any double click in the control.
class TreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit TreeView(QWidget* parent = nullptr);

    TreeNodes& Nodes() { return nodes_; }
    void setImageList(const ImageList* images) { images_ = images; }

signals:
    void NodeClick(lanternix::TreeNode& node);
    void DblClick();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    void raiseNodeClick(QTreeWidgetItem* item);

    const ImageList* images_ = nullptr;
    TreeNodes nodes_;
    bool mouseSelecting_ = false;
};

} // namespace lanternix
