#include "instrument/MeterInterface.h"
#include "instrument/MeterSocket.h"
#include "instrument/LinkClasses.h"

#include <memory>

#include <gtest/gtest.h>

namespace {

TEST(UnitList, AddTellsListedFromFull)
{
    tagUNITLIST list;
    EXPECT_EQ(list.Add(7), 7);
    EXPECT_EQ(list.Add(3), 3);
    EXPECT_EQ(list.Add(7), 0);  // already listed: its index
    EXPECT_EQ(list.count, 2);
    for (int16_t a = 100; a < 118; ++a)
        list.Add(a);
    ASSERT_EQ(list.count, 20);
    EXPECT_EQ(list.Add(500), 20);
    EXPECT_EQ(list.count, 20);
    list.RemoveAll();
    EXPECT_EQ(list.count, 0);
}

TEST(MeterInterface, NewLinksStartClosedAndOk)
{
    CMeterInterface base;
    CMeterSocket lan;
    for (CMeterInterface* link : {&base, static_cast<CMeterInterface*>(&lan)}) {
        EXPECT_EQ(link->GetReply(), "ini");
        EXPECT_EQ(link->GetStatus(), 0);
        EXPECT_TRUE(link->IsOk());
        EXPECT_FALSE(link->IsOpen());
        EXPECT_EQ(link->GetTransferCount(), 0);
    }
    EXPECT_EQ(base.GetKind(), CMeterInterface::kindBase);
    EXPECT_FALSE(base.GetLinkFlag());
    EXPECT_EQ(lan.GetKind(), CMeterInterface::kindLan);
    EXPECT_TRUE(lan.GetLinkFlag());
    EXPECT_EQ(lan.GetReplyTimeout(), 30.0);
    EXPECT_EQ(lan.GetHighestSlot(), -1);
    EXPECT_EQ(base.SetWaitMs(40), 0);
    EXPECT_EQ(base.SetWaitMs(0), 40);
}

TEST(MeterSocket, HighestSlotFollowsSetSlot)
{
    struct Row {
        const char* name;
        std::vector<std::pair<int, uint32_t>> steps;  // slot, address
        int highest;
    };
    const std::vector<Row> rows = {
        {"empty_slot_above_keeps_highest", {{0, 1}, {1, 1}, {2, 0}}, 1},
        {"clearing_highest_falls_to_next_used", {{0, 1}, {3, 1}, {3, 0}}, 0},
        {"clearing_only_slot_gives_none", {{4, 1}, {4, 0}}, -1},
        {"lower_slot_does_not_lower", {{5, 1}, {2, 1}}, 5},
        {"outside_range_ignored", {{15, 1}, {-1, 1}}, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CMeterSocket link;
        for (auto [slot, address] : row.steps)
            link.SetSlot(slot, address, 50000);
        EXPECT_EQ(link.GetHighestSlot(), row.highest);
    }
}

TEST(MeterSocket, TimeOutCountsWholeSecondsAfterTheLimit)
{
    struct Row {
        int64_t elapsedMs;
        double limit;
        bool fires;
    };
    // With the 30 s default a silent unit is given up after about 30.5 s.
    const Row rows[] = {{30000, 30, false}, {30499, 30, false}, {30500, 30, true},
                        {0, 0, false},      {499, 0, false},    {500, 0, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.elapsedMs << " ms against " << row.limit << " s");
        EXPECT_EQ(CMeterSocket::TimedOut(row.elapsedMs, row.limit), row.fires);
    }
}

} // namespace

namespace {

TEST(LinkClasses, TheLanLinkIsCreatedByName)
{
    RegisterLinkClasses();
    const fw::CRuntimeClass* cls = fw::CRuntimeClass::FromName("CMeterSocket");
    ASSERT_NE(cls, nullptr);
    std::unique_ptr<fw::CObject> object(cls->CreateObject());
    auto* link = dynamic_cast<CMeterInterface*>(object.get());
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->GetKind(), CMeterInterface::kindLan);
    EXPECT_TRUE(object->IsKindOf(FW_RUNTIME_CLASS(CMeterInterface)));
    for (const char* name : {"CMeterInterface", "CZELMeter", "CKivUnitTypes"})
        EXPECT_NE(fw::CRuntimeClass::FromName(name), nullptr) << name;
}

} // namespace
