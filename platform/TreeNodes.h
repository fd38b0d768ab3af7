#pragma once

#include "platform/TreeNode.h"

#include <QString>

#include <memory>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace lanternix {

class ImageList;

// The Nodes collection of a tree view: 1-based indexes in the order nodes were added, unique
// keys, and Remove taking a node's children along.
class TreeNodes {
public:
    enum Relationship { tvwChild = 4 };

    TreeNodes(QTreeWidget& view, const ImageList*& images) : view_(view), images_(images) {}

    // relative empty: a top-level node. Returns nullptr when the key is taken or the
    // relative does not exist.
    TreeNode* Add(const QString& relative, int relationship, const QString& key,
                  const QString& text, const QString& image);
    TreeNode* Add(const QString& key, const QString& text, const QString& image) {
        return Add(QString(), 0, key, text, image);
    }
    void Remove(int index);
    int Count() const { return static_cast<int>(nodes_.size()); }
    TreeNode& operator()(int index) { return *nodes_.at(static_cast<std::size_t>(index - 1)); }
    TreeNode* find(const QString& key) const;
    TreeNode* fromItem(const QTreeWidgetItem* item) const;

private:
    QTreeWidget& view_;
    const ImageList*& images_;
    std::vector<std::unique_ptr<TreeNode>> nodes_;
};

} // namespace lanternix
