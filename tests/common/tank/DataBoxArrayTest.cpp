// Data-set box arrays: the set-wide row map, cell access through the
// boxes' column tanks, column building and the archive form.

#include "tests/support/ArchiveBytes.h"

#include "common/tank/DataBoxArray.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/ShortDataTank.h"
#include "common/tank/StringDataTank.h"
#include "framework/core/Exceptions.h"
#include "framework/core/StringTable.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace kivtest;

namespace {

constexpr unsigned kColumnNameId = 155; // any text of the string table

// A box with a 16-bit column and a text column of `rows` rows.
CDataBoxPropaty* MakeBox(const char* name, int rows)
{
    auto* box = new CDataBoxPropaty;
    box->SetName(name);
    box->SetRowCount(rows);
    if (rows > 0) {
        CDataBoxPropaty::AddColumnTank(box->Columns(), kColumnNameId, new CShortDataTank, rows, 1);
        CDataBoxPropaty::AddColumnTank(box->Columns(), kColumnNameId, new CStringDataTank, rows, 2);
    }
    return box;
}

std::string MapText(const CDataBoxArray& set)
{
    std::string out;
    const auto& map = set.GetRowMap();
    for (int i = 0; i < map.GetSize(); ++i)
        out += std::to_string(map.GetAt(i).box) + ":" + std::to_string(map.GetAt(i).ch) + " ";
    return out;
}

void BuildThreeBoxes(CDataBoxArray& set)
{
    set.AddBox(MakeBox("A", 3));
    set.AddBox(MakeBox("B", 0));
    set.AddBox(MakeBox("C", 2));
    set.SetTotalRows(5);
    set.RebuildChannelMap();
}

} // namespace

TEST(DataBoxArray, RowMapSkipsEmptyBoxes)
{
    CDataBoxArray set;
    BuildThreeBoxes(set);
    EXPECT_EQ(MapText(set), "0:0 0:1 0:2 2:0 2:1 ");
}

TEST(DataBoxArray, MoreRowsThanTheTotalAreRefusedAndTheMapStays)
{
    CDataBoxArray set;
    BuildThreeBoxes(set);
    set.SetTotalRows(4);
    EXPECT_THROW(set.RebuildChannelMap(), fw::CInvalidArgException);
    EXPECT_EQ(MapText(set), "0:0 0:1 0:2 2:0 2:1 ");
}

TEST(DataBoxArray, RowsNoBoxFillsAreRefused)
{
    CDataBoxArray set;
    set.AddBox(MakeBox("A", 1));
    set.SetTotalRows(3);
    set.RebuildChannelMap();
    EXPECT_TRUE(set.SetChannelValue(0, 0, 5));
    // Row 2 belongs to no box: refused, and box 0 row 0 keeps its value.
    EXPECT_THROW(set.SetChannelValue(2, 0, 9), fw::CInvalidArgException);
    EXPECT_EQ(set.GetChannelValue(0, 0), 5);
}

TEST(DataBoxArray, CellsGoThroughTheBoxOfTheRow)
{
    CDataBoxArray set;
    BuildThreeBoxes(set);
    EXPECT_TRUE(set.SetChannelValue(4, 0, 12));
    EXPECT_EQ(set.GetBox(2)->Columns().GetAt(0)->GetValue(1), 12);
    EXPECT_EQ(set.GetChannelValue(4, 0), 12);
    EXPECT_TRUE(set.SetChannelText(3, 1, "abc"));
    fw::CString text;
    set.GetChannelText(3, 1, text);
    EXPECT_EQ(text, "abc");
    EXPECT_FALSE(set.SetChannelValue(0, 0, 40000)); // the tank's answer
}

TEST(DataBoxArray, SetChannelTextReportsSuccessEvenWhenRefused)
{
    CDataBoxArray set;
    BuildThreeBoxes(set);
    ASSERT_TRUE(set.SetChannelText(1, 0, "7"));
    EXPECT_TRUE(set.SetChannelText(1, 0, "40000")); // the 16-bit tank refuses
    fw::CString text;
    set.GetChannelText(1, 0, text);
    EXPECT_EQ(text, "7");
}

TEST(DataBoxArray, OutsideRowsBoxesAndColumnsRaiseInvalidArgument)
{
    CDataBoxArray set;
    BuildThreeBoxes(set);
    fw::CString text;
    EXPECT_THROW(set.GetChannelText(5, 0, text), fw::CInvalidArgException);
    EXPECT_THROW(set.GetChannelText(-1, 0, text), fw::CInvalidArgException);
    EXPECT_THROW(set.SetChannelText(0, 2, "1"), fw::CInvalidArgException);
    EXPECT_THROW(set.GetChannelValue(0, -1), fw::CInvalidArgException);
    EXPECT_FALSE(set.BuildFromSystem(nullptr));
}

TEST(DataBoxPropaty, ColumnBuildingNamesKindsAndGrows)
{
    CDataTankList list;
    auto* first = CDataBoxPropaty::AddColumnTank(list, kColumnNameId, new CShortDataTank, 3, 70000);
    auto* second = CDataBoxPropaty::InsertColumnTank(0, list, kColumnNameId, new CFltDataTank, 2, -1000);
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(list.GetAt(0), second);
    EXPECT_EQ(list.GetAt(1), first);
    EXPECT_EQ(first->GetName(), fw::LoadStringText(kColumnNameId));
    EXPECT_EQ(first->GetKind(), int16_t(70000 & 0xFFFF)); // cut to 16 bits
    EXPECT_EQ(second->GetKind(), -1000);
    EXPECT_EQ(first->GetDataCount(), 3);
    EXPECT_EQ(first->GetValue(2), -32768); // the fill marker
    EXPECT_EQ(first->GetRefCount(), 1);
}

TEST(DataBoxPropaty, ArchiveForm)
{
    CDataBoxPropaty box;
    box.SetName("BOX1");
    box.SetRowCount(1);
    CDataBoxPropaty::AddColumnTank(box.Columns(), kColumnNameId, new CShortDataTank, 1, 1);
    box.ChannelMap().Add(tagBOXCH{2, 7});
    box.SetUnitType(9, 8);

    ByteBuilder expected;
    expected.Str("BOX1").I32(1).Append(StoreBody(box.Columns())).Count(1).I16(2).I16(7);
    for (int16_t code : {1, 3, 0, 0, 0, 0, 0, 0, 0, 8})
        expected.I16(code);
    const Bytes body = StoreBody(box);
    EXPECT_EQ(Hex(body), Hex(expected.Get()));

    CDataBoxPropaty back;
    LoadBody(back, body);
    EXPECT_EQ(back.GetName(), "BOX1");
    EXPECT_EQ(back.GetUnitType(9), 8);
    EXPECT_EQ(back.GetUnitType(1), 3);
    EXPECT_EQ(back.ChannelMap().GetAt(0).ch, 7);
    EXPECT_EQ(Hex(StoreBody(back)), Hex(body));
}

TEST(DataBoxArray, AStoredSetReadsBackWithTheSameRowMap)
{
    CDataBoxArray set;
    BuildThreeBoxes(set);
    set.SetChannelValue(4, 0, 21);

    const Bytes stored = StoreObject(&set);
    ByteBuilder head;
    head.NewClass("CDataBoxArray").Count(3).NewClass("CDataBoxPropaty").Str("A");
    ASSERT_GE(stored.size(), head.Get().size());
    EXPECT_EQ(Hex(Bytes(stored.begin(), stored.begin() + long(head.Get().size()))), Hex(head.Get()));
    ByteBuilder tail;
    tail.I32(5);
    EXPECT_EQ(Hex(Bytes(stored.end() - 4, stored.end())), Hex(tail.Get()));

    std::unique_ptr<fw::CObject> object(LoadObject(stored, FW_RUNTIME_CLASS(CDataBoxArray)));
    auto* back = dynamic_cast<CDataBoxArray*>(object.get());
    ASSERT_TRUE(back);
    EXPECT_EQ(MapText(*back), MapText(set));
    EXPECT_EQ(back->GetChannelValue(4, 0), 21);
    EXPECT_EQ(back->GetBox(1)->GetName(), "B");
}

TEST(DataBoxArray, AnArchiveEndingEarlyRaisesTheArchiveException)
{
    CDataBoxArray set;
    BuildThreeBoxes(set);
    Bytes body = StoreBody(set);
    body.resize(body.size() - 2);
    CDataBoxArray back;
    EXPECT_THROW(LoadBody(back, body), fw::CArchiveException);
}

TEST(DataBoxArray, RowCountsNoBoxCanHoldAreRefusedBeforeTheMapIsBuilt)
{
    auto bodyOf = [](std::initializer_list<int> boxRows, int32_t total) {
        CDataBoxArray set;
        for (int rows : boxRows) {
            auto* box = new CDataBoxPropaty;
            box->SetRowCount(rows);
            set.AddBox(box);
        }
        set.SetTotalRows(total);
        return StoreBody(set);
    };
    struct Row { const char* name; Bytes bytes; };
    const Row rows[] = {
        // No box at all, then a total of 2^30 rows: six bytes.
        {"six bytes asking for 2^30 rows", ByteBuilder().Count(0).I32(1 << 30)},
        {"negative total", bodyOf({3}, -1)},
        {"total above the boxes' rows", bodyOf({3, 2}, 6)},
        {"box rows beyond a 16-bit row number", bodyOf({40000}, 40000)},
        {"negative box rows", bodyOf({-5, 3}, 3)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CDataBoxArray set;
        try {
            LoadBody(set, row.bytes);
            ADD_FAILURE() << "loaded";
        } catch (const fw::CArchiveException& e) {
            EXPECT_EQ(e.m_cause, fw::CArchiveException::badIndex);
        }
        EXPECT_EQ(set.GetRowMap().GetSize(), 0);
    }
}
