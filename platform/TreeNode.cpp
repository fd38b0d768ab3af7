#include "platform/TreeNode.h"

#include <QTreeWidgetItem>

namespace lanternix {

QString TreeNode::Text() const {
    return item_->text(0);
}

void TreeNode::setExpanded(bool on) {
    expanded_ = on;
    applyExpanded();
}

void TreeNode::applyExpanded() {
    if (item_->isExpanded() != expanded_)
        item_->setExpanded(expanded_);
}

} // namespace lanternix
