#pragma once

#include <QString>

class QTreeWidgetItem;

namespace lanternix {

// One node of a TreeView: its key, text and expanded state.
class TreeNode {
public:
    TreeNode(QString key, QTreeWidgetItem* item) : key_(std::move(key)), item_(item) {}

    const QString& Key() const { return key_; }
    QString Text() const;
    bool Expanded() const { return expanded_; }
    void setExpanded(bool on);

    QTreeWidgetItem* item() const { return item_; }
    // Re-applies the state: the view forgets it while a node has no children.
    void applyExpanded();
    void noteExpanded(bool on) { expanded_ = on; }

private:
    QString key_;
    QTreeWidgetItem* item_;
    bool expanded_ = false;
};

} // namespace lanternix
