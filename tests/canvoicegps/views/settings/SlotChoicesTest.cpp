// The choices of the data slot dialog follow the unit's receiver, its speed
// correction and the slot's place; only items with a value confirm.

#include "tests/canvoicegps/views/settings/CanPageFixture.h"

#include "canvoicegps/CanNodeArray.h"
#include "canvoicegps/views/settings/SlotChoices.h"

namespace cangrid {
namespace {

std::vector<std::string> Texts(const CSlotChoice& choice)
{
    std::vector<std::string> texts;
    for (const CSlotChoice& child : choice.children)
        texts.push_back(child.text.str());
    return texts;
}

using SlotChoicesTest = CanPageFixture;

TEST_F(SlotChoicesTest, WithoutReceiverOnlyNoSourceAndTheReceiveSignals)
{
    ShowDirection(false);
    Type(nodes, 0, 0, "R1");
    ShowDirection(false);
    Type(signalGrid, 0, 0, "SPEED");
    ShowDirection(true);
    Type(nodes, 0, 0, "T1");

    const std::vector<CSlotChoice> top = slotchoice::Build(Unit(), {});
    ASSERT_EQ(top.size(), 4u);
    EXPECT_EQ(top[0].text.str(), "割り当てなし");
    EXPECT_EQ(top[0].value, 1);
    EXPECT_EQ(slotchoice::SlotCodeOf(top[0].value), 0);
    EXPECT_TRUE(top[1].children.empty());
    EXPECT_TRUE(top[2].children.empty());
    ASSERT_EQ(top[3].children.size(), 1u) << "send messages are not listed";
    const CSlotChoice& message = top[3].children[0];
    EXPECT_FALSE(slotchoice::CanConfirm(message.value));
    ASSERT_EQ(message.children.size(), 1u);
    EXPECT_EQ(message.children[0].text.str(), "SPEED");
    EXPECT_GE(message.children[0].value, 100);
    EXPECT_EQ(slotchoice::SlotCodeOf(message.children[0].value), message.children[0].value);
}

TEST_F(SlotChoicesTest, TheLastSlotLeavesOutTwoSlotItems)
{
    CSlotChoiceInputs inputs;
    inputs.receiver = true;
    inputs.speedCorrection = true;
    inputs.lastSlot = true;
    const std::vector<CSlotChoice> top = slotchoice::Build(Unit(), inputs);
    EXPECT_EQ(Texts(top[1]), (std::vector<std::string>{"標高、1m単位", "速度、0.1km/h単位", "方位、0.1°単位"}));
    EXPECT_EQ(Texts(top[2]), (std::vector<std::string>{"補正標高、1m単位", "補正速度、0.1km/h単位", "電圧入力"}));
    EXPECT_TRUE(top[3].children.empty()) << "no CAN input with correction on";
    EXPECT_EQ(top[2].children[0].value, 6);
    EXPECT_EQ(slotchoice::SlotCodeOf(top[2].children[0].value), 5);

    inputs.lastSlot = false;
    EXPECT_EQ(slotchoice::Build(Unit(), inputs)[1].children.size(), 5u);
    EXPECT_EQ(slotchoice::Build(Unit(), inputs)[2].children.size(), 6u);
}

} // namespace
} // namespace cangrid
