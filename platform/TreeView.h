#pragma once

#include "platform/TreeNodes.h"

#include <QTreeWidget>

namespace lanternix {

class ImageList;

// A tree view with a keyed Nodes collection. NodeClick comes when a left click on a node ends
// and when the keyboard moves the highlight; DblClick from any double click in the control.
class TreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit TreeView(QWidget* parent = nullptr);

    TreeNodes& Nodes() { return nodes_; }
    void setImageList(const ImageList* images) { images_ = images; }
    // Highlights the node, or nothing, without raising NodeClick.
    void highlight(TreeNode* node);

signals:
    void NodeClick(lanternix::TreeNode& node);
    void DblClick();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    void raiseNodeClick(QTreeWidgetItem* item);

    const ImageList* images_ = nullptr;
    TreeNodes nodes_;
    // From a left press on a node to its release; the highlight may follow the mouse meanwhile.
    bool mouseSelecting_ = false;
};

} // namespace lanternix
