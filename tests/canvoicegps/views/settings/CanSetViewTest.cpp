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

TEST_F(CanSetViewTest, TheGridsDeleteThroughTheTree)
{
    CCanSetView* tree = MakeTree();
    nodes->SetTreeView(tree);
    signalGrid->SetTreeView(tree);
    ShowDirection(false);
    Type(nodes, 0, 0, "R1");
    Type(nodes, 0, 1, "R2");
    ShowDirection(false);
    Type(signalGrid, 0, 0, "S1");
    ASSERT_EQ(Messages().GetAt(0)->Signals().GetSize(), 1);
    ASSERT_NE(tree->Items().Find(Messages().GetAt(0)->Signals().GetAt(0)), nullptr) << "the tree follows new items";

    Select(signalGrid, 0, 0, 0, 8);
    Execute(signalGrid, CProjectBaseView::kIdDeleteRows);
    EXPECT_EQ(Messages().GetAt(0)->Signals().GetSize(), 0);

    ShowDirection(false);
    Select(nodes, 0, 0, 0, 5);
    Execute(nodes, CProjectBaseView::kIdDeleteRows);
    EXPECT_EQ(Messages().CountMessages(false), 1);
    EXPECT_EQ(nodes->GetShownCount(), 1);
    EXPECT_EQ(Text(nodes, 0, 0), "R2");
    EXPECT_EQ(tree->Items().Root(false)->children[0]->children.size(), 1u);
}

} // namespace
} // namespace cangrid
