#include "platform/TreeNodes.h"

#include "platform/ImageList.h"

#include <QSignalBlocker>
#include <QTreeWidget>

#include <algorithm>

namespace lanternix {

TreeNode* TreeNodes::find(const QString& key) const {
    for (const auto& n : nodes_)
        if (n->Key() == key)
            return n.get();
    return nullptr;
}

TreeNode* TreeNodes::fromItem(const QTreeWidgetItem* item) const {
    for (const auto& n : nodes_)
        if (n->item() == item)
            return n.get();
    return nullptr;
}

TreeNode* TreeNodes::Add(const QString& relative, int relationship, const QString& key,
                         const QString& text, const QString& image) {
    if (find(key))
        return nullptr;
    TreeNode* parent = nullptr;
    if (!relative.isEmpty()) {
        parent = find(relative);
        if (!parent || relationship != tvwChild)
            return nullptr;
    }
    auto* item = new QTreeWidgetItem(QStringList{text}); // owned by the view from here on
    if (images_ && images_->contains(image))
        item->setIcon(0, QIcon(images_->picture(image)));
    if (parent) {
        parent->item()->addChild(item);
        parent->applyExpanded();
    } else {
        view_.addTopLevelItem(item);
    }
    nodes_.push_back(std::make_unique<TreeNode>(key, item));
    return nodes_.back().get();
}

void TreeNodes::Remove(int index) {
    if (index < 1 || index > Count())
        return;
    QTreeWidgetItem* doomed = nodes_[static_cast<std::size_t>(index - 1)]->item();
    // Forget the node and everything below it before the view deletes the items.
    std::erase_if(nodes_, [doomed](const std::unique_ptr<TreeNode>& n) {
        for (const QTreeWidgetItem* i = n->item(); i; i = i->parent())
            if (i == doomed)
                return true;
        return false;
    });
    // Removing is no click: the highlight goes with the node instead of passing to a neighbour.
    bool highlighted = false;
    for (const QTreeWidgetItem* i = view_.currentItem(); i; i = i->parent())
        highlighted = highlighted || i == doomed;
    const QSignalBlocker quiet(view_);
    delete doomed;
    if (highlighted) {
        view_.setCurrentItem(nullptr);
        view_.clearSelection();
    }
}

} // namespace lanternix
