#include "model/Module1.h"

#include <gtest/gtest.h>

using namespace lanternix;

TEST(MenuTable, StartsUnsetAndAddsInLowestFreeSlot) {
    Module1 m;
    EXPECT_FALSE(m.CurrentIndex);
    EXPECT_FALSE(m.table.slot(1).Name.has_value());
    EXPECT_EQ(m.addImage(), 1);
    EXPECT_EQ(m.addImage(), 2);
    EXPECT_EQ(m.CurrentIndex, 2);
    const MenuImage expected{"Image2", "", "", "", "", ""};
    EXPECT_EQ(m.table.slot(2), expected);
    EXPECT_TRUE(m.table.slot(2).DefaultImage.has_value()); // a text, not unset

    for (int i = 3; i <= 7; ++i)
        m.addImage();
    m.table.clearRecord(5);
    EXPECT_EQ(m.addImage(), 5); // reused although 6 and 7 are in use
    EXPECT_EQ(text(m.table.slot(5).Name), "Image5");
}

TEST(MenuTable, NeverFillsSlot100AndRefusesWhenFull) {
    Module1 m;
    for (int i = 1; i <= 99; ++i)
        ASSERT_EQ(m.addImage(), i);
    m.CurrentIndex = 42;
    EXPECT_EQ(m.addImage(), std::nullopt);
    EXPECT_EQ(m.CurrentIndex, 42);
    EXPECT_FALSE(m.table.slot(100).Name.has_value());

    // A project file can fill all 100 slots; still refused, nothing changes.
    m.table.slot(100).Name = "Image100";
    const MenuTable before = m.table;
    EXPECT_EQ(m.table.findFreeSlot(), std::nullopt);
    EXPECT_EQ(m.addImage(), std::nullopt);
    EXPECT_EQ(m.table, before);

    m.table.clearRecord(99);
    EXPECT_EQ(m.addImage(), 99);
}

TEST(MenuTable, BlankAndOneSpaceNames) {
    MenuTable t;
    t.slot(1).Name = " "; // one space is a name
    t.slot(2).Name = "";  // zero-length text is blank
    t.slot(2).StatusText = "left over";
    EXPECT_TRUE(t.isUsed(1));
    EXPECT_FALSE(t.isUsed(2));
    EXPECT_FALSE(t.isUsed(3)); // unset is blank too
    EXPECT_EQ(t.findFreeSlot(), 2);

    t.makeNewRecord(2); // overwrites all six fields
    EXPECT_EQ(t.slot(2), (MenuImage{"Image2", "", "", "", "", ""}));

    // Look-up is exact; "" finds the first blank Name, unset ones included.
    EXPECT_EQ(t.findByName(" "), 1);
    EXPECT_EQ(t.findByName("image2"), std::nullopt);
    EXPECT_EQ(t.findByName("Image2"), 2);
    EXPECT_EQ(t.findByName(""), 3);
}

TEST(MenuTable, ClearRecordLeavesZeroLengthTexts) {
    MenuTable t;
    t.makeNewRecord(3);
    t.slot(3).HyperLink = "x";
    t.clearRecord(3);
    EXPECT_EQ(t.slot(3), (MenuImage{"", "", "", "", "", ""}));
    EXPECT_TRUE(t.slot(3).Name.has_value());
    EXPECT_NE(t.slot(3), MenuImage{}); // zero-length is not unset in memory
}

TEST(PathHead, KeepsFolderUpToLastSeparator) {
    EXPECT_EQ(PathHead(""), "");
    EXPECT_EQ(PathHead("menu.htm"), "");
    EXPECT_EQ(PathHead("C:\\Sites\\menu.htm"), "C:\\Sites\\");
    EXPECT_EQ(PathHead("/home/ann/site/menu.htm"), "/home/ann/site/");
    EXPECT_EQ(PathHead("C:\\a\\b\\"), "C:\\a\\b\\");
}
