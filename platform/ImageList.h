#pragma once

#include <QHash>
#include <QPixmap>
#include <QString>

namespace lanternix {

// Small pictures looked up by key, for the tree's nodes.
class ImageList {
public:
    void add(const QString& key, const QPixmap& picture) { pictures_.insert(key, picture); }
    QPixmap picture(const QString& key) const { return pictures_.value(key); }
    bool contains(const QString& key) const { return pictures_.contains(key); }

private:
    QHash<QString, QPixmap> pictures_;
};

} // namespace lanternix
