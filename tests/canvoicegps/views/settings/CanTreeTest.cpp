// The items of the CAN settings tree: the layout per direction, the path
// the selection runs down, and deletions that reach into the database.

#include "tests/canvoicegps/views/settings/CanPageFixture.h"

#include "canvoicegps/CanNodeArray.h"
#include "canvoicegps/CanSigArray.h"
#include "canvoicegps/views/settings/CanTree.h"
#include "instrument/system/BoxArray.h"

namespace cangrid {
namespace {

class CanTreeTest : public CanPageFixture {
protected:
    // Two receive messages (the first with two signals) and a send message.
    void Fill()
    {
        ShowDirection(false);
        Type(nodes, 0, 0, "R1");
        Type(nodes, 0, 1, "R2");
        ShowDirection(false);
        Type(signalGrid, 0, 0, "S1");
        Type(signalGrid, 0, 1, "S2");
        ShowDirection(true);
        Type(nodes, 0, 0, "T1");
        tree.Build(doc.GetBoxArray());
    }
    CCanTree tree;
};

TEST_F(CanTreeTest, EachDirectionListsPortsMessagesAndSignals)
{
    Fill();
    CCanTreeItem* receive = tree.Root(false);
    ASSERT_NE(receive, nullptr);
    EXPECT_EQ(receive->label.str(), "受信メッセージ");
    EXPECT_EQ(tree.Root(true)->label.str(), "送信メッセージ");
    ASSERT_EQ(receive->children.size(), 1u) << "one control unit: its ports directly";
    CCanTreeItem* port = receive->children[0].get();
    EXPECT_EQ(port->label.str(), "Port 1");
    ASSERT_EQ(port->children.size(), 2u);
    EXPECT_EQ(port->children[0]->label.str(), "R1");
    ASSERT_EQ(port->children[0]->children.size(), 2u);
    EXPECT_EQ(port->children[0]->children[1]->label.str(), "S2");
    ASSERT_EQ(tree.Root(true)->children[0]->children.size(), 1u);

    // The selection runs down to the first signal of the first message.
    CCanTreeItem* end = tree.Select(receive);
    ASSERT_EQ(end, port->children[0]->children[0].get());
    const CCanTree::Context context = CCanTree::ContextOf(end);
    EXPECT_FALSE(context.send);
    EXPECT_EQ(context.messages, &Messages());
    EXPECT_EQ(context.message, Messages().GetAt(0));
    EXPECT_EQ(context.signal, Messages().GetAt(0)->Signals().GetAt(0));
}

TEST_F(CanTreeTest, DeletingAPortKeepsTheOtherDirection)
{
    Fill();
    CCanTreeItem* port = tree.Root(false)->children[0].get();
    ASSERT_TRUE(CCanTree::HoldsMessages(port));
    std::vector<fw::CObject*> deleted;
    tree.Delete(port, doc.GetBoxArray(), deleted);
    EXPECT_EQ(deleted.size(), 4u) << "two signals, two messages";
    EXPECT_EQ(Messages().CountMessages(false), 0);
    EXPECT_EQ(Messages().CountMessages(true), 1);
    EXPECT_TRUE(port->children.empty());
    EXPECT_FALSE(CCanTree::HoldsMessages(port));
}

TEST_F(CanTreeTest, DeletingTheLastSignalSelectsItsMessage)
{
    Fill();
    CCanTreeItem* message = tree.Root(false)->children[0]->children[0].get();
    std::vector<fw::CObject*> deleted;
    CCanTreeItem* next = tree.Delete(message->children[0].get(), doc.GetBoxArray(), deleted);
    EXPECT_EQ(next, message->children[0].get()) << "the next signal";
    next = tree.Delete(message->children[0].get(), doc.GetBoxArray(), deleted);
    EXPECT_EQ(next, message);
    EXPECT_EQ(Messages().GetAt(0)->Signals().GetSize(), 0);
    EXPECT_EQ(tree.Find(Messages().GetAt(0)), message);
}

} // namespace
} // namespace cangrid
