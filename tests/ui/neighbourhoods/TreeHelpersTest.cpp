// The tree helpers on a bare tree widget.

#include "neighbourhoods/ui/TreeHelpers.h"

#include "support/ScriptedDialogs.h"
#include "support/ui/QtTestApplication.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

namespace corvane {
namespace {

class TreeHelpersTest : public ::testing::Test {
protected:
    void SetUp() override { test::QtTestApplication(); }

    QStringList childTexts(const QTreeWidgetItem* node) const {
        QStringList texts;
        for (int i = 0; i < node->childCount(); ++i) texts << node->child(i)->text(0);
        return texts;
    }

    QTreeWidget tree;
};

TEST_F(TreeHelpersTest, ARootIsAddedOnlyToAnEmptyTreeAndSelected) {
    TreeAddRoot(tree, "Games");
    TreeAddRoot(tree, "Other");
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    EXPECT_EQ(tree.topLevelItem(0)->text(0), "Games");
    EXPECT_EQ(tree.currentItem(), tree.topLevelItem(0));
    EXPECT_EQ(tree.topLevelItem(0)->data(0, kTreeImageRole).toInt(), 0);
}

TEST_F(TreeHelpersTest, GroupsAreAddedOnceIgnoringLetterCaseAndSelected) {
    TreeAddRoot(tree, "Games");
    TreeAddGroup(tree, "UserData2");
    TreeAddGroup(tree, "UserData");
    TreeAddGroup(tree, "USERDATA2");
    QTreeWidgetItem* root = tree.topLevelItem(0);
    EXPECT_EQ(childTexts(root), (QStringList{"UserData2", "UserData"}));
    EXPECT_EQ(tree.currentItem(), root->child(0)) << "the existing group is selected";
    EXPECT_EQ(root->child(1)->data(0, kTreeImageRole).toInt(), 1);
    EXPECT_EQ(root->child(1)->data(0, kTreeSelectedImageRole).toInt(), 2);
}

TEST_F(TreeHelpersTest, LeavesGoUnderTheSelectedNodeWithTheirData) {
    TreeAddRoot(tree, "Games");
    TreeAddGroup(tree, "Skins");
    QTreeWidgetItem* leaf = TreeAddLeaf(tree, "b001fafit_01", 42);
    QTreeWidgetItem* bare = TreeAddLeaf(tree, "b002fafit_01");
    QTreeWidgetItem* group = tree.topLevelItem(0)->child(0);
    EXPECT_EQ(leaf->parent(), group);
    EXPECT_EQ(bare->parent(), group);
    EXPECT_EQ(leaf->data(0, kTreeDataRole).toInt(), 42);
    EXPECT_FALSE(bare->data(0, kTreeDataRole).isValid());
    EXPECT_EQ(leaf->data(0, kTreeImageRole).toInt(), 3);
    EXPECT_EQ(leaf->data(0, kTreeSelectedImageRole).toInt(), 3);
}

TEST_F(TreeHelpersTest, DeletingByTextRemovesEveryMatchButNeverTheRoot) {
    TreeAddRoot(tree, "Skins");
    TreeAddGroup(tree, "Folder A");
    TreeAddLeaf(tree, "dup");
    TreeAddLeaf(tree, "keep");
    TreeAddGroup(tree, "Folder B");
    TreeAddLeaf(tree, "DUP");
    test::ScriptedDialogs dialogs;
    EXPECT_TRUE(TreeDeleteByText(tree, "Dup", dialogs));
    QTreeWidgetItem* root = tree.topLevelItem(0);
    EXPECT_EQ(childTexts(root->child(0)), QStringList{"keep"});
    EXPECT_EQ(childTexts(root->child(1)), QStringList{});

    // The walk runs from the last node and stops at the root: later matches go first.
    TreeAddGroup(tree, "Folder A");
    TreeAddLeaf(tree, "skins");
    EXPECT_TRUE(dialogs.messageTexts().empty());
    dialogs.answer(mrOk);
    EXPECT_FALSE(TreeDeleteByText(tree, "SKINS", dialogs));
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{"Cant delete the root"});
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    EXPECT_EQ(childTexts(root->child(0)), QStringList{"keep"});
}

TEST_F(TreeHelpersTest, SiblingTextsAreFoundIgnoringLetterCase) {
    TreeAddRoot(tree, "Games");
    TreeAddGroup(tree, "UserData");
    TreeAddGroup(tree, "UserData2");
    QTreeWidgetItem* first = tree.topLevelItem(0)->child(0);
    struct Case {
        const char* text;
        bool includeNode;
        bool expected;
    };
    for (const Case& c : {Case{"userdata2", false, true}, Case{"USERDATA", false, false}, Case{"USERDATA", true, true},
                          Case{"UserData3", true, false}}) {
        EXPECT_EQ(TreeSiblingHasText(first, c.text, c.includeNode), c.expected) << c.text << " " << c.includeNode;
    }
    EXPECT_FALSE(TreeSiblingHasText(nullptr, "UserData", true));
}

}  // namespace
}  // namespace corvane
