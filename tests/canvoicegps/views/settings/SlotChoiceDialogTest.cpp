// The slot dialog off-screen: OK stays off on category and message items
// and comes on with a signal or "割り当てなし", whose values it returns.

#include "canvoicegps/views/settings/SlotChoiceDialog.h"

#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

TEST(SlotChoiceDialogTest, OkNeedsAnItemThatNamesASource)
{
    const std::vector<CSlotChoice> choices = {
        {"割り当てなし", 1, {}},
        {"受信メッセージ", 0, {{"ENGINE", 0, {{"RPM", 101, {}}}}}},
    };
    CSlotChoiceDialog dialog(choices);
    QTreeWidget* tree = dialog.findChild<QTreeWidget*>("1388");
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_FALSE(dialog.OkButton()->isEnabled());

    QTreeWidgetItem* message = tree->topLevelItem(1)->child(0);
    tree->setCurrentItem(message);
    EXPECT_FALSE(dialog.OkButton()->isEnabled()) << "a message";
    tree->setCurrentItem(message->child(0));
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(dialog.Value(), 101);
    tree->setCurrentItem(tree->topLevelItem(0));
    EXPECT_EQ(dialog.Value(), 1);
}

} // namespace
