#include "model/MenuTable.h"

#include <string>

namespace lanternix {

std::string imageKey(int slot) {
    return "Image" + std::to_string(slot);
}

std::optional<int> MenuTable::findFreeSlot() const {
    for (int n = 1; n <= SlotCount; ++n) {
        if (!isUsed(n))
            return n;
    }
    return std::nullopt;
}

std::optional<int> MenuTable::slotForNewImage() const {
    const auto n = findFreeSlot();
    if (!n || *n > MaxImages)
        return std::nullopt;
    return n;
}

std::optional<int> MenuTable::findByName(std::string_view name) const {
    for (int n = 1; n <= SlotCount; ++n) {
        const Field& f = slot(n).Name;
        // An unset Name reads as "", so it can only match an empty name.
        if (text(f) == name)
            return n;
    }
    return std::nullopt;
}

void MenuTable::makeNewRecord(int n) {
    slot(n) = MenuImage{imageKey(n), "", "", "", "", ""};
}

void MenuTable::clearRecord(int n) {
    slot(n) = MenuImage{"", "", "", "", "", ""};
}

} // namespace lanternix
