// Tank lists: references, row operations over columns, searches, the
// archive form with shared tanks, and the list with per-tank records.

#include "tests/support/ArchiveBytes.h"

#include "common/tank/BoolDataTank.h"
#include "common/tank/DataTankList.h"
#include "common/tank/DataTankParamAr.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/LongDataTank.h"
#include "common/tank/StringDataTank.h"
#include "common/tank/UseTankList.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace kivtest;

namespace {

// Records its own deletion.
class TrackedTank : public CLongDataTank {
public:
    explicit TrackedTank(bool* deleted) : m_deleted(deleted) {}
    ~TrackedTank() override { *m_deleted = true; }

private:
    bool* m_deleted;
};

CLongDataTank* Column(std::initializer_list<int> values)
{
    auto* tank = new CLongDataTank;
    int i = 0;
    for (int v : values)
        tank->SetValue(i++, v);
    return tank;
}

// The column's values, "E" for an empty one.
std::string Values(CDataTankObject* tank)
{
    std::string out;
    for (int i = 0; i < tank->GetDataCount(); ++i) {
        fw::CString text;
        tank->GetValueText(i, text, true);
        out += (text.IsEmpty() ? std::string("E") : text.str()) + " ";
    }
    return out;
}

} // namespace

TEST(DataTankList, RowOperationsOnAColumn)
{
    struct Row {
        const char* name;
        std::initializer_list<int> values;
        void (CDataTankList::*op)(int, int, int, int);
        int top, bottom;
        const char* expected;
    };
    const Row rows[] = {
        {"delete inner rows", {10, 11, 12, 13, 14, 15}, &CDataTankList::DeleteRows, 2, 3, "10 11 14 15 "},
        {"delete past the end", {10, 11, 12, 13, 14, 15}, &CDataTankList::DeleteRows, 4, 9, "10 11 12 13 "},
        {"delete the last row", {10, 11, 12}, &CDataTankList::DeleteRows, 2, 2, "10 11 "},
        {"insert inner rows", {10, 11, 12}, &CDataTankList::InsertRows, 1, 2, "10 E E 11 12 "},
        {"insert past the end", {10, 11, 12}, &CDataTankList::InsertRows, 5, 6, "10 11 12 E E E E "},
        {"keep inner rows", {10, 11, 12, 13, 14, 15}, &CDataTankList::KeepRows, 2, 3, "12 13 "},
        {"keep from the top", {10, 11, 12, 13}, &CDataTankList::KeepRows, 0, 1, "10 11 "},
        {"clear a block", {10, 11, 12, 13}, &CDataTankList::ClearBlock, 1, 2, "10 E E 13 "},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CDataTankList list;
        list.AddTank(Column(r.values), false);
        (list.*r.op)(0, r.top, 0, r.bottom);
        EXPECT_EQ(Values(list.GetAt(0)), r.expected);
    }
}

TEST(DataTankList, RowOperationsCoverOnlyTheGivenColumns)
{
    CDataTankList list;
    list.AddTank(Column({1, 2, 3}), false);
    list.AddTank(nullptr, false);
    list.AddTank(Column({4, 5, 6}), false);
    list.AddTank(Column({7, 8, 9}), false);
    list.DeleteRows(0, 0, 2, 0);
    EXPECT_EQ(Values(list.GetAt(0)), "2 3 ");
    EXPECT_EQ(Values(list.GetAt(2)), "5 6 ");
    EXPECT_EQ(Values(list.GetAt(3)), "7 8 9 ");
}

TEST(DataTankList, TextColumnRowOperations)
{
    auto* texts = new CStringDataTank;
    for (int i = 0; i < 4; ++i)
        texts->SetValueText(i, fw::CString(char('a' + i)));
    CDataTankList list;
    list.AddTank(texts, false);
    list.InsertRows(0, 1, 0, 1);
    EXPECT_EQ(Values(texts), "a E b c d ");
    list.DeleteRows(0, 0, 0, 1);
    EXPECT_EQ(Values(texts), "b c d ");
}

TEST(DataTankList, ATankHeldByTwoListsGoesWithTheSecond)
{
    bool deleted = false;
    auto* tank = new TrackedTank(&deleted);
    auto first = std::make_unique<CDataTankList>();
    auto second = std::make_unique<CDataTankList>();
    first->AddTank(tank, true);
    second->AddTank(tank, true);
    ReleaseTank(tank); // the creator's reference
    first.reset();
    EXPECT_FALSE(deleted);
    second.reset();
    EXPECT_TRUE(deleted);
}

TEST(DataTankList, SetTankAtReleasesTheOldTankAndKeepsTheSameOne)
{
    bool oldDeleted = false;
    CDataTankList list;
    list.AddTank(new TrackedTank(&oldDeleted), false);
    auto* replacement = new CFltDataTank;
    list.SetTankAt(0, replacement, false);
    EXPECT_TRUE(oldDeleted);
    // Putting a tank over itself must not delete it on the way.
    list.SetTankAt(0, replacement, true);
    EXPECT_EQ(replacement->GetRefCount(), 1);
    EXPECT_EQ(list.GetAt(0), replacement);
    EXPECT_THROW(list.SetTankAt(1, replacement, true), fw::CInvalidArgException);
    EXPECT_THROW(list.SetTankAt(-1, replacement, true), fw::CInvalidArgException);
}

TEST(DataTankList, InsertRemoveAndReleaseEntries)
{
    bool d0 = false, d1 = false, d2 = false;
    CDataTankList list;
    list.AddTank(new TrackedTank(&d0), false);
    list.AddTank(new TrackedTank(&d1), false);
    list.InsertTank(3, new TrackedTank(&d2), false); // grows with a null entry
    ASSERT_EQ(list.GetSize(), 4);
    EXPECT_EQ(list.GetAt(2), nullptr);

    list.RemoveTanks(1, 2);
    EXPECT_TRUE(d1);
    EXPECT_FALSE(d2);
    ASSERT_EQ(list.GetSize(), 2);
    list.RemoveTanks(1, 5); // beyond the end: skipped
    EXPECT_TRUE(d2);
    EXPECT_EQ(list.GetSize(), 1);
    EXPECT_THROW(list.RemoveTanks(1, 1), fw::CInvalidArgException);

    list.ReleaseTankAt(0);
    EXPECT_TRUE(d0);
    EXPECT_EQ(list.GetSize(), 1);
    EXPECT_EQ(list.GetAt(0), nullptr);
    list.ReleaseTankAt(0); // null: nothing
    list.ReleaseTankAt(7);
}

TEST(DataTankList, CopyListTakesReferencesOfItsOwn)
{
    auto* tank = new CFltDataTank;
    CDataTankList a;
    a.AddTank(tank, false);
    a.AddTank(nullptr, false);
    {
        CDataTankList b;
        b.CopyList(a);
        EXPECT_EQ(b.GetSize(), 2);
        EXPECT_EQ(tank->GetRefCount(), 2);
        b.CopyList(b);
        EXPECT_EQ(tank->GetRefCount(), 2);
    }
    EXPECT_EQ(tank->GetRefCount(), 1);
}

TEST(DataTankList, SearchesAndCounts)
{
    CDataTankList list;
    auto* a = Column({1, 2});
    auto* b = Column({1, 2, 3, 4});
    auto* c = Column({1});
    a->SetKind(22);
    b->SetKind(-1000);
    c->SetKind(-1000);
    list.AddTank(a, false);
    list.AddTank(b, false);
    list.AddTank(c, false);
    EXPECT_EQ(list.FindByKind(-1000), b);
    EXPECT_EQ(list.FindByKind(7), nullptr);
    EXPECT_EQ(list.GetMaxDataCount(5, 2), 0);
    EXPECT_EQ(list.GetMaxDataCount(-1, 2), 0);
    EXPECT_EQ(list.GetMaxDataCount(0, -1), 4);
    EXPECT_EQ(list.GetMaxDataCount(2, 9), 1);
    EXPECT_EQ(list.GetMaxDataCount(0, 0), 2);

    b->SetValueText(3, "");      // 1 2 3
    b->SetValueText(1, "");      // 1 E 3
    b->SetValue(5, 9);           // 1 E 3 E E 9
    b->SetValueText(5, "");      // 1 E 3 E E
    EXPECT_EQ(list.GetLastFilledIndex(0, -1), 2);
    EXPECT_EQ(list.GetLastFilledIndex(2, 2), 0);

    CUseTankList used;
    used.AddTank(b, true);
    used.AddTank(c, true);
    EXPECT_EQ(used.GetLastFilledIndex(0, -1), 4); // by value counts, not filled values
    EXPECT_EQ(used.GetLastFilledIndex(1, 9), 0);

    EXPECT_TRUE(list.TrimAll(10));
    EXPECT_EQ(b->GetDataCount(), 3);
}

TEST(DataTankList, UpdateAllMaxMinScansEveryTank)
{
    CDataTankList list;
    auto* values = Column({5, -2, 9});
    values->SetMax(100);
    auto* onOff = new CBoolDataTank;
    onOff->SetValue(0, 1);
    list.AddTank(values, false);
    list.AddTank(onOff, false);
    list.AddTank(nullptr, false);
    list.UpdateAllMaxMin();
    EXPECT_EQ(values->GetMax(), 9);
    EXPECT_EQ(values->GetMin(), -2);
    EXPECT_EQ(onOff->GetMax(), HUGE_VAL);
    EXPECT_EQ(onOff->GetMin(), HUGE_VAL);
}

// --- archive ----------------------------------------------------------------

TEST(DataTankListArchive, OneTankStoredTwiceLoadsAsOneSharedTank)
{
    auto* tank = new CFltDataTank;
    tank->SetName("CH1");
    tank->SetValue(0, 1.5);
    CDataTankList list;
    list.AddTank(tank, false);
    list.AddTank(tank, true);
    list.AddTank(nullptr, false);

    // List class 1, list 2, tank class 3, tank 4: the second slot refers back to 4.
    ByteBuilder expected;
    expected.NewClass("CDataTankList").Count(3).NewClass("CFltDataTank").Append(StoreBody(*tank)).U16(4).U16(0);
    const Bytes stored = StoreObject(&list);
    ASSERT_EQ(Hex(stored), Hex(expected.Get()));

    std::unique_ptr<fw::CObject> object(LoadObject(stored, FW_RUNTIME_CLASS(CDataTankList)));
    auto* loaded = dynamic_cast<CDataTankList*>(object.get());
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->GetSize(), 3);
    CDataTankObject* shared = loaded->GetAt(0);
    ASSERT_TRUE(shared);
    EXPECT_EQ(loaded->GetAt(1), shared);
    EXPECT_EQ(loaded->GetAt(2), nullptr);
    EXPECT_EQ(shared->GetRefCount(), 2);
    EXPECT_EQ(shared->GetValue(0), 1.5);

    // Deleting the list releases one reference per slot, no more.
    shared->AddRef();
    object.reset();
    EXPECT_EQ(shared->GetRefCount(), 1);
    ReleaseTank(shared);
}

TEST(DataTankListArchive, TwoListsSharingATankInOneArchive)
{
    auto* tank = new CFltDataTank;
    CDataTankList a, b;
    a.AddTank(tank, false);
    b.AddTank(tank, true);

    fw::CMemFile file;
    {
        fw::CArchive ar(&file, fw::CArchive::store);
        ar.WriteObject(&a);
        ar.WriteObject(&b);
        ar.Close();
    }
    file.Seek(0, fw::CFile::begin);
    fw::CArchive ar(&file, fw::CArchive::load);
    std::unique_ptr<fw::CObject> la(ar.ReadObject(FW_RUNTIME_CLASS(CDataTankList)));
    std::unique_ptr<fw::CObject> lb(ar.ReadObject(FW_RUNTIME_CLASS(CDataTankList)));
    auto* listA = dynamic_cast<CDataTankList*>(la.get());
    auto* listB = dynamic_cast<CDataTankList*>(lb.get());
    ASSERT_TRUE(listA && listB);
    CDataTankObject* shared = listA->GetAt(0);
    EXPECT_EQ(listB->GetAt(0), shared);
    EXPECT_EQ(shared->GetRefCount(), 2);
    la.reset();
    EXPECT_EQ(shared->GetRefCount(), 1);
    EXPECT_EQ(listB->GetAt(0)->GetDataCount(), 0); // still alive
}

TEST(DataTankListArchive, AFailedLoadLeavesAnEmptyList)
{
    CDataTankList list;
    list.AddTank(Column({1, 2}), false);
    list.AddTank(Column({3}), false);
    Bytes bytes = StoreBody(list);
    bytes.resize(bytes.size() - 3);

    bool deleted = false;
    CDataTankList target;
    target.AddTank(new TrackedTank(&deleted), false);
    EXPECT_THROW(LoadBody(target, bytes), fw::CArchiveException);
    EXPECT_EQ(target.GetSize(), 0);
    EXPECT_TRUE(deleted); // the old entries went before the load
}

TEST(DataTankListArchive, EntriesMustBeTanks)
{
    // A list entry naming a class that is not a tank.
    ByteBuilder bytes;
    bytes.Count(1).NewClass("CDataTankList").Count(0);
    CDataTankList list;
    EXPECT_THROW(LoadBody(list, bytes.Get()), fw::CArchiveException);
    EXPECT_EQ(list.GetSize(), 0);
}

// --- list with records -------------------------------------------------------------

TEST(DataTankParamAr, ReplaceInsertsOrReplacesTankAndRecord)
{
    CDataTankParamAr params;
    params.CreateList();
    auto* a = Column({1});
    a->SetKind(22);
    params.ReplaceParam(0, 5, 6, a, false);
    ASSERT_EQ(params.GetSize(), 1);
    EXPECT_EQ(params.GetTank(0), a);
    EXPECT_EQ(params.GetAt(0).kind, 22);

    bool deleted = false;
    auto* b = new TrackedTank(&deleted);
    b->SetKind(-1);
    params.ReplaceParam(1, 7, 8, b, false);
    auto* c = Column({2});
    params.ReplaceParam(1, 9, 10, c, false);
    EXPECT_TRUE(deleted);
    ASSERT_EQ(params.GetSize(), 2);
    EXPECT_EQ(params.GetTank(1), c);
    EXPECT_EQ(params.GetAt(1).first, 9);
    EXPECT_EQ(params.GetAt(1).second, 10);
    EXPECT_EQ(params.GetTank(2), nullptr);

    params.ReplaceParam(1, 1, 1, nullptr, false); // nothing
    EXPECT_EQ(params.GetSize(), 2);
    // The same tank again keeps it.
    params.ReplaceParam(1, 3, 4, c, true);
    EXPECT_EQ(params.GetTank(1), c);
    EXPECT_EQ(c->GetRefCount(), 1);
}

TEST(DataTankParamAr, FillDownAndForwardedRowOperations)
{
    CDataTankParamAr params;
    params.CreateList();
    params.ReplaceParam(0, 0, 0, Column({1, 2, 3, 4}), false);
    params.ReplaceParam(1, 0, 0, Column({5, 6}), false);
    params.FillDown(0, 1, 1, 3);
    EXPECT_EQ(Values(params.GetTank(0)), "1 2 2 2 ");
    EXPECT_EQ(Values(params.GetTank(1)), "5 6 6 6 ");
    params.DeleteRows(0, 0, 1, 0);
    params.InsertRows(0, 0, 0, 0);
    params.ClearBlock(1, 0, 1, 0);
    EXPECT_EQ(Values(params.GetTank(0)), "E 2 2 2 ");
    EXPECT_EQ(Values(params.GetTank(1)), "E 6 6 ");
    EXPECT_EQ(params.GetMaxDataCount(), 4);
    params.KeepRows(0, 1, 1, 1);
    EXPECT_EQ(Values(params.GetTank(0)), "2 ");
}

TEST(DataTankParamAr, ArchiveFormAndCopy)
{
    CDataTankParamAr params;
    params.CreateList();
    auto* tank = Column({7});
    tank->SetKind(3);
    params.ReplaceParam(0, 1, 2, tank, false);

    CDataTankList listOnly;
    listOnly.AddTank(tank, true);
    ByteBuilder expected;
    expected.Count(1).I32(1).I32(2).I32(3).Append(StoreBody(listOnly));
    const Bytes body = StoreBody(params);
    EXPECT_EQ(Hex(body), Hex(expected.Get()));

    CDataTankParamAr loaded;
    LoadBody(loaded, body);
    ASSERT_EQ(loaded.GetSize(), 1);
    EXPECT_EQ(loaded.GetAt(0).second, 2);
    ASSERT_TRUE(loaded.GetTank(0));
    EXPECT_EQ(loaded.GetTank(0)->GetValue(0), 7);

    CDataTankParamAr copy;
    copy.CopyFrom(params);
    EXPECT_EQ(copy.GetTank(0), tank);
    EXPECT_EQ(tank->GetRefCount(), 3);
    copy.RemoveAll();
    EXPECT_EQ(copy.GetSize(), 0);
    EXPECT_EQ(tank->GetRefCount(), 2);
}
