#include "model/Module1.h"

#include <gtest/gtest.h>

using namespace lanternix;

TEST(MenuTable, AddsInTheLowestFreeSlotBelow100AndFindsNamesExactly) {
    Module1 m;
    EXPECT_FALSE(m.CurrentIndex || m.table.slot(1).Name);
    for (int i = 1; i <= 7; ++i)
        ASSERT_EQ(m.addImage(), i);
    EXPECT_EQ(m.CurrentIndex, 7);
    EXPECT_EQ(m.table.slot(2), (MenuImage{"Image2", "", "", "", "", ""})); // texts, not unset
    m.table.clearRecord(5);
    EXPECT_EQ(m.table.slot(5), (MenuImage{"", "", "", "", "", ""}));
    EXPECT_NE(m.table.slot(5), MenuImage{});  // zero-length is not unset in memory
    m.table.slot(5).StatusText = "left over"; // a free slot may hold texts
    EXPECT_EQ(m.addImage(), 5);               // reused although 6 and 7 are in use
    EXPECT_EQ(m.table.slot(5), (MenuImage{"Image5", "", "", "", "", ""}));

    // One space is a name; "" and unset are blank, and "" finds the first blank one.
    m.table.slot(9).Name = " ";
    m.table.slot(10).Name = "";
    EXPECT_TRUE(m.table.isUsed(9) && !m.table.isUsed(10) && !m.table.isUsed(11));
    EXPECT_EQ(m.table.findFreeSlot(), 8);
    EXPECT_EQ(m.table.findByName(" "), 9);
    EXPECT_EQ(m.table.findByName("image2"), std::nullopt);
    EXPECT_EQ(m.table.findByName(""), 8);

    // Slot 100 is never filled: with 1 to 99 used, or all 100 (from a file), nothing changes.
    for (int n = 8; n <= 99; ++n)
        m.table.makeNewRecord(n);
    m.CurrentIndex = 42;
    EXPECT_EQ(m.addImage(), std::nullopt);
    EXPECT_EQ(m.table.findFreeSlot(), 100);
    m.table.slot(100).Name = "Image100";
    const MenuTable full = m.table;
    EXPECT_EQ(m.addImage(), std::nullopt);
    EXPECT_EQ(m.table, full);
    EXPECT_EQ(m.CurrentIndex, 42);
    EXPECT_EQ(m.table.findByName("Image100"), 100);
    m.table.clearRecord(99);
    EXPECT_EQ(m.addImage(), 99);
}

TEST(PathHead, KeepsTheFolderUpToTheLastSeparator) {
    for (const auto& [path, head] : {std::pair{"", ""},
                                     {"menu.htm", ""},
                                     {"C:\\Sites\\menu.htm", "C:\\Sites\\"},
                                     {"/home/ann/site/menu~1.htm", "/home/ann/site/"},
                                     {"C:\\a\\b\\", "C:\\a\\b\\"}})
        EXPECT_EQ(PathHead(path), head) << path;
}
