#include "platform/CommonDialog.h"
#include "platform/TreeView.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

using namespace lanternix;

TEST(CommonDialog, KeepsSettingsBetweenUsesAndTellsCancelApart) {
    test::FakePlatform platform;
    CommonDialog cd(platform);
    cd.DialogTitle = "Save HTML As";
    cd.Filter = "HTML files | *.htm;*.html";
    cd.Flags = 0x8800;
    platform.fileAnswers = {QString("/tmp/a.htm"), QString()};
    EXPECT_TRUE(cd.ShowSave());
    EXPECT_EQ(cd.FileName, "/tmp/a.htm");
    EXPECT_FALSE(cd.ShowOpen());
    EXPECT_EQ(cd.FileName, "/tmp/a.htm"); // a cancel keeps the last name

    ASSERT_EQ(platform.fileRequests.size(), 2u);
    const FileDialogRequest& second = platform.fileRequests[1];
    EXPECT_EQ(second.mode, FileDialogRequest::Open);
    EXPECT_EQ(second.title, "Save HTML As");
    EXPECT_EQ(second.filter, "HTML files (*.htm *.html)");
    EXPECT_EQ(second.flags, 0x8800);
    EXPECT_EQ(second.fileName, "/tmp/a.htm");

    EXPECT_EQ(CommonDialog::toolkitFilter("Lanternix Projects | *.lxp|All|*.*"),
              "Lanternix Projects (*.lxp);;All (*.*)");
}

TEST(TreeNodes, KeysIndexesAndRemovalWithChildren) {
    TreeView view;
    TreeNodes& n = view.Nodes();
    ASSERT_TRUE(n.Add("r", "HTML", "Closed"));
    n(1).setExpanded(true);
    ASSERT_TRUE(n.Add("r", TreeNodes::tvwChild, "Image1", "Image1", "Image"));
    ASSERT_TRUE(n.Add("r", TreeNodes::tvwChild, "Image2", "Image2", "Image"));
    EXPECT_EQ(n.Add("r", TreeNodes::tvwChild, "Image2", "again", "Image"), nullptr);
    EXPECT_EQ(n.Add("nope", TreeNodes::tvwChild, "Image3", "Image3", "Image"), nullptr);
    EXPECT_EQ(n.Count(), 3);
    // Expanded before it had children, and shown expanded once it has them.
    EXPECT_TRUE(n(1).item()->isExpanded());

    n.Remove(2);
    EXPECT_EQ(n.Count(), 2);
    EXPECT_EQ(n(2).Key(), "Image2"); // later indexes move up

    n.Remove(1); // the root takes its children along
    EXPECT_EQ(n.Count(), 0);
    EXPECT_EQ(view.topLevelItemCount(), 0);
    ASSERT_TRUE(n.Add("r", "HTML", "Closed"));
    EXPECT_EQ(n(1).Key(), "r");
}
