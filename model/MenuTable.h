#pragma once

#include "model/MenuImage.h"

#include <array>
#include <optional>
#include <string_view>

namespace lanternix {

// The 100 slots of the project, numbered 1 to 100. A slot is used when its Name is not blank.
class MenuTable {
public:
    static constexpr int SlotCount = 100;
    // Add Image never fills the last slot, so a project holds at most 99 images.
    static constexpr int MaxImages = 99;

    MenuImage& slot(int n) { return slots_.at(static_cast<std::size_t>(n - 1)); }
    const MenuImage& slot(int n) const { return slots_.at(static_cast<std::size_t>(n - 1)); }

    bool isUsed(int n) const { return !isBlank(slot(n).Name); }

    // First slot, 1 to 100, whose Name is blank.
    std::optional<int> findFreeSlot() const;
    // The slot a new image goes into: the first free slot unless that is none or slot 100.
    std::optional<int> slotForNewImage() const;
    // First slot whose Name equals name exactly; a blank Name never matches a non-empty name.
    std::optional<int> findByName(std::string_view name) const;

    // Name "Image<n>", the other five fields zero-length texts.
    void makeNewRecord(int n);
    // All six fields zero-length texts: the slot is free again.
    void clearRecord(int n);

    friend bool operator==(const MenuTable&, const MenuTable&) = default;

private:
    std::array<MenuImage, SlotCount> slots_{};
};

std::string imageKey(int slot);

} // namespace lanternix
