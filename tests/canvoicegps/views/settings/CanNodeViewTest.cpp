// The message grid of the CAN page: its columns, the empty row that names a
// new message, the limits of the database, the red marks of identifiers
// the instrument cannot take and the drop-down values over a selection.

#include "tests/canvoicegps/views/settings/CanPageFixture.h"

#include "canvoicegps/CanAttributes.h"
#include "canvoicegps/CanNodeArray.h"

namespace cangrid {
namespace {

using CanNodeViewTest = CanPageFixture;

TEST_F(CanNodeViewTest, ColumnsShowTheMessagesOfOneDirection)
{
    const char* captions[] = {"メッセージ名", "CAN ID番号", "IDタイプ", "バイト長", "リモートフレーム", "ノード名"};
    for (int col = 0; col < CCanNodeView::kColumns; ++col) {
        fw::CString text;
        ASSERT_TRUE(nodes->GetColumnHeaderText(text, col, 0, 1));
        EXPECT_EQ(text.str(), captions[col]) << col;
    }
    ShowDirection(false);
    EXPECT_EQ(nodes->GetGrid()->GetSheetPane()->RowCount(), 1) << "only the empty row";
    Type(nodes, 0, 0, "ENGINE");
    Type(nodes, 1, 0, "1a2");
    Type(nodes, 5, 0, "ECU1");
    ASSERT_EQ(nodes->GetShownCount(), 1);
    EXPECT_EQ(nodes->GetGrid()->GetSheetPane()->RowCount(), 2) << "a new empty row";
    struct Row {
        int col;
        const char* text;
    } rows[] = {{0, "ENGINE"}, {1, "0x01A2"}, {2, "標準"}, {4, "OFF"}, {5, "ECU1"}};
    for (const Row& r : rows)
        EXPECT_EQ(Text(nodes, r.col, 0), r.text) << r.col;
    EXPECT_EQ(Text(nodes, 0, 1), "") << "the empty row";
    EXPECT_TRUE(doc.IsModified());

    // Another unit direction does not show it.
    ShowDirection(true);
    EXPECT_EQ(nodes->GetShownCount(), 0);
}

TEST_F(CanNodeViewTest, TheEmptyRowTakesOnlyAName)
{
    ShowDirection(false);
    services.prompt.Expect(CCanNodeView::kIdsNameFirst, fw::IDOK);
    Type(nodes, 1, 0, "100");
    EXPECT_EQ(Messages().CountMessages(false), 0);

    Type(nodes, 0, 0, "");
    EXPECT_EQ(Messages().CountMessages(false), 0) << "a refused name leaves no message";
    EXPECT_EQ(nodes->GetShownCount(), 0);
}

TEST_F(CanNodeViewTest, TheLimitsOfTheDatabaseAreTold)
{
    ShowDirection(true);
    for (int i = 0; i < CCanNodeArray::kMaxSendMessages; ++i)
        Type(nodes, 0, i, ("S" + std::to_string(i)).c_str());
    EXPECT_EQ(Messages().CountSendMessages(), 8);
    EXPECT_EQ(nodes->GetGrid()->GetSheetPane()->RowCount(), 8) << "no empty row after eight send messages";

    services.prompt.Expect(CCanNodeView::kIdsNoFreeMessage, fw::IDOK);
    Type(nodes, 0, 8, "S8");
    EXPECT_EQ(Messages().CountSendMessages(), 8);
    ASSERT_EQ(services.prompt.Prompts().size(), 1u);
    EXPECT_EQ(services.prompt.Prompts()[0].text.str(),
              "送信メッセージ、受信メッセージ合わせて64、送信メッセージは8以上の作成はできません。");

    ShowDirection(false);
    for (int i = 0; i < CCanNodeArray::kEntries - 8; ++i)
        Type(nodes, 0, i, ("R" + std::to_string(i)).c_str());
    services.prompt.Expect(CCanNodeView::kIdsNoFreeMessage, fw::IDOK);
    Type(nodes, 0, nodes->GetShownCount(), "R56");
    EXPECT_EQ(Messages().CountMessages(false), 56);
}

TEST_F(CanNodeViewTest, IdentifiersTheInstrumentCannotTakeAreRed)
{
    ShowDirection(true);
    Type(nodes, 0, 0, "A");
    Type(nodes, 0, 1, "B");
    Type(nodes, 1, 0, "100");
    Type(nodes, 1, 1, "100");
    EXPECT_TRUE(IsRed(nodes, 1, 0));
    EXPECT_TRUE(IsRed(nodes, 1, 1));
    EXPECT_FALSE(IsRed(nodes, 0, 0));
    Type(nodes, 1, 1, "101");
    EXPECT_FALSE(IsRed(nodes, 1, 0)) << "changing one clears both";
    EXPECT_FALSE(IsRed(nodes, 1, 1));

    ShowDirection(false);
    Type(nodes, 0, 0, "C");
    Type(nodes, 0, 1, "D");
    Type(nodes, 1, 0, "100");
    Type(nodes, 1, 1, "100");
    EXPECT_FALSE(IsRed(nodes, 1, 0)) << "receive messages are never marked";

    Type(nodes, 1, 0, "7F0");
    EXPECT_TRUE(IsRed(nodes, 1, 0));
    EXPECT_TRUE(IsRed(nodes, 2, 0));
    Select(nodes, 0, 2, 0, 2);
    Execute(nodes, CCanNodeView::kIdExtended);
    EXPECT_EQ(Text(nodes, 2, 0), "拡張");
    EXPECT_FALSE(IsRed(nodes, 1, 0));
    EXPECT_FALSE(IsRed(nodes, 2, 0));
}

TEST_F(CanNodeViewTest, DropDownValuesApplyToTheSelectionWithPollingPaused)
{
    ShowDirection(true);
    Type(nodes, 0, 0, "A");
    Select(nodes, 0, 3, 0, 3);
    for (unsigned id = CCanNodeView::kIdLength1; id <= CCanNodeView::kIdLength8; ++id)
        EXPECT_EQ(Enabled(nodes, id), id == CCanNodeView::kIdLength1 + 1) << id;

    ShowDirection(false);
    for (const char* name : {"R1", "R2", "R3"})
        Type(nodes, 0, nodes->GetShownCount(), name);
    Select(nodes, 0, 3, 0, 3);
    Execute(nodes, CCanNodeView::kIdLength1);
    EXPECT_EQ(Text(nodes, 3, 0), "1");
    Select(nodes, 0, 3, 1, 3);
    int check = -1;
    EXPECT_TRUE(Enabled(nodes, CCanNodeView::kIdLength8, &check));
    EXPECT_EQ(check, 0) << "lengths 1 and 8 selected together";

    const int stops = host.stops;
    Select(nodes, 0, 4, 2, 4);
    nodes->OnSheetDoubleClick(1, 4, 0, {});
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(Text(nodes, 4, row), "ON") << row;
    EXPECT_GT(host.stops, stops);
    EXPECT_EQ(host.stops, host.restarts);

    Select(nodes, 3, 4, 3, 4);
    EXPECT_FALSE(Enabled(nodes, CCanNodeView::kIdRemoteOn)) << "the empty row";

    host.measuring = true;
    Select(nodes, 0, 4, 0, 4);
    EXPECT_FALSE(Enabled(nodes, CCanNodeView::kIdRemoteOff));
    EXPECT_FALSE(Enabled(nodes, CProjectBaseView::kIdDeleteRows));
}

TEST_F(CanNodeViewTest, DeletingMessagesEmptiesTheirEntries)
{
    ShowDirection(false);
    for (const char* name : {"R1", "R2", "R3"})
        Type(nodes, 0, nodes->GetShownCount(), name);
    Select(nodes, 3, 0, 3, 5);
    EXPECT_FALSE(Enabled(nodes, CProjectBaseView::kIdDeleteRows)) << "the empty row";
    Select(nodes, 0, 0, 1, 5);
    ASSERT_TRUE(Enabled(nodes, CProjectBaseView::kIdDeleteRows));
    Execute(nodes, CProjectBaseView::kIdDeleteRows);
    EXPECT_EQ(Messages().CountMessages(false), 1);
    ASSERT_EQ(nodes->GetShownCount(), 1);
    EXPECT_EQ(Text(nodes, 0, 0), "R3");
}

} // namespace
} // namespace cangrid
