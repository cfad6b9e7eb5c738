// The CAN settings tree shown off-screen beside the grids: choosing an item
// shows its messages, the delete command follows the edit lock, and a
// deleted message leaves the database and the tree.

#include "tests/canvoicegps/views/settings/CanPageFixture.h"

#include "canvoicegps/CanNodeArray.h"
#include "canvoicegps/views/settings/CanSetView.h"

#include <QTreeWidget>

namespace cangrid {
namespace {

class CanSetViewTest : public CanPageFixture {
protected:
    CCanSetView* MakeTree()
    {
        auto* tree = new CCanSetView;  // the window deletes it
        tree->Create(parent.get(), &doc);
        tree->SetGrids(nodes, signalGrid);
        tree->OnInitialUpdate();
        return tree;
    }
};

TEST_F(CanSetViewTest, ChoosingAnItemShowsItsMessages)
{
    ShowDirection(false);
    Type(nodes, 0, 0, "R1");
    Type(nodes, 0, 1, "R2");
    CCanSetView* tree = MakeTree();
    ASSERT_EQ(tree->Tree()->topLevelItemCount(), 2);
    EXPECT_EQ(tree->Tree()->topLevelItem(0)->text(0).toStdString(), "受信メッセージ");
    ASSERT_NE(tree->GetSelectedItem(), nullptr);
    EXPECT_EQ(tree->GetSelectedItem()->label.str(), "R1") << "down to the first message";
    EXPECT_EQ(nodes->GetShownCount(), 2);

    tree->SelectItem(tree->Items().Root(true));
    EXPECT_TRUE(nodes->GetDirection());
    EXPECT_EQ(nodes->GetShownCount(), 0);
}

TEST_F(CanSetViewTest, DeleteFollowsTheLockAndEmptiesTheEntry)
{
    ShowDirection(false);
    Type(nodes, 0, 0, "R1");
    Type(nodes, 0, 1, "R2");
    CCanSetView* tree = MakeTree();
    doc.ToggleEditLock();
    EXPECT_FALSE(Enabled(tree, CCanSetView::kIdDelete));
    doc.ToggleEditLock();
    ASSERT_TRUE(Enabled(tree, CCanSetView::kIdDelete));
    Execute(tree, CCanSetView::kIdDelete);
    EXPECT_EQ(Messages().CountMessages(false), 1);
    ASSERT_NE(tree->GetSelectedItem(), nullptr);
    EXPECT_EQ(tree->GetSelectedItem()->label.str(), "R2");
    EXPECT_TRUE(doc.IsModified());
}

} // namespace
} // namespace cangrid
