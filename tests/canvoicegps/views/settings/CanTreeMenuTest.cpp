// The context menu of the CAN settings tree: fitted to the item under the
// pointer, and its commands work on that item rather than the selection.

#include "tests/canvoicegps/views/settings/CanPageFixture.h"

#include "canvoicegps/CanNodeArray.h"
#include "canvoicegps/views/settings/CanNodeUpdate.h"
#include "canvoicegps/views/settings/CanSetView.h"
#include "framework/core/Collections.h"
#include "framework/core/MenuResource.h"
#include "framework/ui/Menu.h"

#include <QTreeWidget>

#include <functional>

namespace cangrid {
namespace {

class CanTreeMenuTest : public CanPageFixture {
protected:
    CanTreeMenuTest()
    {
        ShowDirection(false);
        Type(nodes, 0, 0, "R1");
        Type(nodes, 0, 1, "R2");
        ShowDirection(false);
        Type(signalGrid, 0, 0, "S1");
        tree = new CCanSetView;  // the window deletes it
        tree->Create(parent.get(), &doc);
        tree->SetGrids(nodes, signalGrid);
        nodes->SetTreeView(tree);
        signalGrid->SetTreeView(tree);
        tree->OnInitialUpdate();
    }
    ~CanTreeMenuTest() override { fw::CMenu::SetTrackHook(nullptr); }
    CCanTreeItem* Item(const char* label) const
    {
        std::function<CCanTreeItem*(CCanTreeItem*)> walk = [&](CCanTreeItem* item) -> CCanTreeItem* {
            if (item->label == label)
                return item;
            for (auto& child : item->children)
                if (CCanTreeItem* found = walk(child.get()))
                    return found;
            return nullptr;
        };
        for (bool send : {false, true})
            if (CCanTreeItem* found = walk(tree->Items().Root(send)))
                return found;
        return nullptr;
    }
    // Opens the menu over `clicked`, keeps its item texts and whether the
    // delete command is enabled, and chooses `choice`.
    unsigned Open(CCanTreeItem* clicked, unsigned choice)
    {
        texts.clear();
        fw::CMenu::SetTrackHook([&](fw::CMenu& popup) -> unsigned {
            for (int i = 0; i < popup.GetMenuItemCount(); ++i)
                texts.push_back(popup.GetMenuString(static_cast<unsigned>(i), fw::MF_BYPOSITION).str());
            deleteEnabled = Enabled(tree, CCanSetView::kIdDelete);
            return choice;
        });
        return tree->ShowContextMenu(clicked, fw::CPoint(10, 10));
    }

    CCanSetView* tree = nullptr;
    std::vector<std::string> texts;
    bool deleteEnabled = false;
};

TEST_F(CanTreeMenuTest, TheMenuOffersToOpenAClosedItemAndToCloseAnOpenOne)
{
    ASSERT_EQ(tree->GetSelectedItem()->label.str(), "S1");
    Open(tree->Items().Root(true), 0);
    EXPECT_EQ(texts, (std::vector<std::string>{"展開", "", "メッセージ削除"})) << "the send root is closed";
    Open(tree->Items().Root(false), 0);
    EXPECT_EQ(texts, (std::vector<std::string>{"折りたたみ", "", "メッセージ削除"}))
        << "the receive root is open on the selection's path";
    // A leaf has nothing to open: the menu fits the selected item instead.
    Open(Item("S1"), 0);
    EXPECT_EQ(texts.front(), "展開");
}

TEST_F(CanTreeMenuTest, OpeningAnItemFromTheMenuChoosesIt)
{
    EXPECT_EQ(Open(tree->Items().Root(true), CCanSetView::kIdExpand), CCanSetView::kIdExpand);
    EXPECT_TRUE(nodes->GetDirection()) << "the send messages are shown";
    EXPECT_EQ(tree->CommandTarget(), tree->GetSelectedItem()) << "the target is forgotten";
}

TEST_F(CanTreeMenuTest, DeleteWorksOnTheItemUnderThePointer)
{
    CCanTreeItem* r2 = Item("R2");
    ASSERT_NE(r2, nullptr);
    Open(r2, CCanSetView::kIdDelete);
    EXPECT_TRUE(deleteEnabled);
    ASSERT_EQ(Messages().CountMessages(false), 1);
    EXPECT_EQ(Messages().GetAt(0)->GetName().str(), "R1") << "the selected message stays";
    EXPECT_EQ(Messages().GetAt(0)->Signals().GetSize(), 1);

    // Locked, the command is off for the item under the pointer too.
    doc.ToggleEditLock();
    Open(Item("R1"), CCanSetView::kIdDelete);
    EXPECT_FALSE(deleteEnabled);
    EXPECT_EQ(Messages().CountMessages(false), 1);
}

TEST_F(CanTreeMenuTest, AnotherCommandLeavesNoTarget)
{
    Open(Item("R2"), 0);
    EXPECT_EQ(tree->CommandTarget(), tree->GetSelectedItem());
    Execute(tree, CCanSetView::kIdDelete);
    EXPECT_EQ(Messages().CountMessages(false), 2) << "the selected signal went, not R2";
    EXPECT_EQ(Messages().GetAt(0)->Signals().GetSize(), 0);
}

TEST_F(CanTreeMenuTest, ADeletionElsewhereKeepsTheSelectionAndItsNotices)
{
    // A second tree of the same project (another window) hears the
    // selection notices of the first.
    auto* other = new CCanSetView;  // the window deletes it
    other->Create(parent.get(), &doc);
    other->OnInitialUpdate();
    C463CanMesNode* r2 = Messages().GetAt(1);
    ASSERT_EQ(r2->GetName().str(), "R2");
    ASSERT_GE(Messages().Detach(r2), 0);
    fw::CObArray deleted;
    deleted.Add(r2);
    CCanNodeUpdate update(CCanNodeUpdate::kDeleted, &deleted, false);
    doc.UpdateAllViews(other, CCanNodeUpdate::kHintCan, &update);
    delete r2;
    ASSERT_NE(tree->GetSelectedItem(), nullptr);
    EXPECT_EQ(tree->GetSelectedItem()->label.str(), "S1") << "the selection stays";
    EXPECT_EQ(Item("R2"), nullptr);

    tree->SelectItem(tree->Items().Root(true));
    ASSERT_NE(other->GetSelectedItem(), nullptr);
    EXPECT_EQ(other->GetSelectedItem()->label.str(), "Port 1") << "the tree still tells the others";
}

} // namespace
} // namespace cangrid
