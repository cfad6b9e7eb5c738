#include "common/base/CommonBaseClasses.h"
#include "common/base/ZELObArray.h"
#include "common/base/ZELPtrArray.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

// An element that counts its live instances and stores its value.
class Item : public fw::CObject {
    FW_DECLARE_SERIAL(Item)
public:
    explicit Item(int32_t v = 0) : value(v) { ++s_live; }
    ~Item() override { --s_live; }
    void Serialize(fw::CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << value;
        else
            ar >> value;
    }
    int32_t value;
    static int s_live;
};
int Item::s_live = 0;
FW_IMPLEMENT_SERIAL(Item, fw::CObject, 1)

using ItemArray = CTypedZELObArray<CZELObArray, Item*>;

class ZELObArrayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Item::s_live = 0;
        for (int i = 0; i < 3; ++i)
            items.push_back(new Item(10 * (i + 1)));
        for (Item* item : items)
            array.Add(item);
    }
    void TearDown() override
    {
        for (Item* item : items)
            delete item;
        EXPECT_EQ(Item::s_live, 0);
    }
    std::vector<Item*> items;
    ItemArray array;
};

TEST_F(ZELObArrayTest, GetObjectAtAnswersNullOutsideTheArray)
{
    EXPECT_EQ(array.GetObjectAt(-1), nullptr);
    EXPECT_EQ(array.GetObjectAt(3), nullptr);
    EXPECT_EQ(array.GetObjectAt(2), items[2]);
}

TEST_F(ZELObArrayTest, RemoveObjectAnswersFormerIndexOrSize)
{
    Item stranger;
    EXPECT_EQ(array.RemoveObject(&stranger), 3);
    EXPECT_EQ(array.GetSize(), 3);
    EXPECT_EQ(array.RemoveObject(items[1]), 1);
    ASSERT_EQ(array.GetSize(), 2);
    EXPECT_EQ(array[0], items[0]);
    EXPECT_EQ(array[1], items[2]);
    EXPECT_EQ(Item::s_live, 4); // nothing deleted
    CZELObArray empty;
    EXPECT_EQ(empty.RemoveObject(items[0]), 0);
}

TEST_F(ZELObArrayTest, DeleteAllSkipsNullEntries)
{
    CZELObArray owner;
    owner.Add(new Item(1));
    owner.Add(nullptr);
    owner.Add(new Item(2));
    EXPECT_EQ(Item::s_live, 5);
    owner.DeleteAll();
    EXPECT_EQ(owner.GetSize(), 0);
    EXPECT_EQ(Item::s_live, 3);
}

TEST_F(ZELObArrayTest, CloneOfATypedArrayIsAPlainArraySharingTheElements)
{
    std::unique_ptr<CZELObArray> clone = array.Clone();
    EXPECT_EQ(clone->GetRuntimeClass(), FW_RUNTIME_CLASS(CZELObArray));
    ASSERT_EQ(clone->GetSize(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(clone->GetAt(i), items[i]);
    clone.reset();
    EXPECT_EQ(Item::s_live, 3);
    EXPECT_EQ(array[2]->value, 30);

    CZELObArray copied(array);
    CZELObArray assigned;
    assigned.CopyFrom(array);
    EXPECT_EQ(copied.GetAt(1), items[1]);
    EXPECT_EQ(assigned.GetAt(1), items[1]);
}

TEST_F(ZELObArrayTest, ForEachSeesElementsAppendedOnTheWay)
{
    std::vector<int32_t> seen;
    Item extra(99);
    array.ForEach([&](Item* item) {
        seen.push_back(item->value);
        if (item == items[0])
            array.Add(&extra);
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{10, 20, 30, 99}));

    int sum = 0;
    array.ForEach([](fw::CObject* e, void* user) { *static_cast<int*>(user) += static_cast<Item*>(e)->value; }, &sum);
    EXPECT_EQ(sum, 159);
}

TEST_F(ZELObArrayTest, ForEachStopsAtAnException)
{
    int calls = 0;
    EXPECT_THROW(array.ForEach([&](Item*) {
        if (++calls == 2)
            throw std::runtime_error("stop");
    }),
                 std::runtime_error);
    EXPECT_EQ(calls, 2);
}

TEST_F(ZELObArrayTest, FindFirstFormsTakeTheSizeAsDocumented)
{
    EXPECT_EQ(array.FindFirst([](Item* item) { return item->value > 15; }), items[1]);
    EXPECT_EQ(array.FindFirst([](Item* item) { return item->value > 100; }), nullptr);

    // The first form walks the elements of the start only, and never past
    // the end when the predicate removes some.
    Item late(500);
    EXPECT_EQ(array.FindFirst([&](Item* item) {
        if (item == items[0])
            array.Add(&late);
        return item->value == 500;
    }),
              nullptr);
    array.RemoveObject(&late);
    int visited = 0;
    EXPECT_EQ(array.FindFirst([&](Item*) {
        ++visited;
        array.RemoveAt(array.GetSize() - 1);
        return false;
    }),
              nullptr);
    EXPECT_EQ(visited, 2);

    // The second form reads the size at every step.
    array.RemoveAll();
    array.Add(items[0]);
    struct Ctx { CZELObArray* a; Item* late; } ctx{&array, &late};
    Item* found = array.FindFirst(
        [](fw::CObject* e, void* user) {
            auto* c = static_cast<Ctx*>(user);
            if (c->a->GetSize() == 1)
                c->a->Add(c->late);
            return static_cast<Item*>(e)->value == 500;
        },
        &ctx);
    EXPECT_EQ(found, &late);
}

TEST_F(ZELObArrayTest, ArchiveFormIsTheObjectArrayForm)
{
    fw::RegisterClass(FW_RUNTIME_CLASS(Item));
    fw::CMemFile file;
    {
        fw::CArchive ar(&file, fw::CArchive::store);
        array.Serialize(ar);
        ar.Close();
    }
    const auto bytes = file.Data();
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 3); // count
    EXPECT_EQ(bytes[1], 0);

    file.SeekToBegin();
    CZELObArray loaded;
    {
        fw::CArchive ar(&file, fw::CArchive::load);
        loaded.Serialize(ar);
    }
    ASSERT_EQ(loaded.GetSize(), 3);
    EXPECT_EQ(static_cast<Item*>(loaded.GetAt(2))->value, 30);
    loaded.DeleteAll();
}

// ------------------------------------------------------------ pointer array

struct Order {
    static int s_live;
    Order() { ++s_live; }
    ~Order() { --s_live; }
    int step = 0;
};
int Order::s_live = 0;

TEST(ZELPtrArray, OperationsMatchTheObjectArray)
{
    int a = 1, b = 2, c = 3, d = 4;
    CZELPtrArray array;
    array.Add(&a);
    array.Add(&b);
    array.Add(&c);
    EXPECT_EQ(array.GetObjectAt(-1), nullptr);
    EXPECT_EQ(array.GetObjectAt(3), nullptr);
    EXPECT_EQ(array.RemoveObject(&d), 3);
    EXPECT_EQ(array.FindFirst([](void* p) { return *static_cast<int*>(p) == 2; }), &b);
    std::unique_ptr<CZELPtrArray> clone = array.Clone();
    EXPECT_EQ(clone->GetRuntimeClass(), FW_RUNTIME_CLASS(CZELPtrArray));
    EXPECT_EQ(array.RemoveObject(&b), 1);
    EXPECT_EQ(clone->GetSize(), 3);
    EXPECT_EQ(clone->GetAt(1), &b);
}

TEST(ZELPtrArray, DeleteAllFreesRawMemoryAndTypedArraysRunDestructors)
{
    CZELPtrArray raw;
    raw.Add(::operator new(16));
    raw.Add(nullptr);
    raw.DeleteAll();
    EXPECT_EQ(raw.GetSize(), 0);

    Order::s_live = 0;
    CTypedZELPtrArray<CZELPtrArray, Order*> orders;
    orders.Add(new Order);
    orders.Add(new Order);
    orders.Add(nullptr);
    EXPECT_EQ(Order::s_live, 2);
    CZELPtrArray& base = orders;
    base.DeleteAll(); // through the base, as the owners call it
    EXPECT_EQ(Order::s_live, 0);
    EXPECT_EQ(orders.GetSize(), 0);
}

TEST(ZELArrays, RuntimeClassesAreRegisteredUnderTheirNames)
{
    RegisterCommonBaseClasses();
    const fw::CRuntimeClass* ob = fw::CRuntimeClass::FromName("CZELObArray");
    const fw::CRuntimeClass* ptr = fw::CRuntimeClass::FromName("CZELPtrArray");
    ASSERT_EQ(ob, FW_RUNTIME_CLASS(CZELObArray));
    ASSERT_EQ(ptr, FW_RUNTIME_CLASS(CZELPtrArray));
    EXPECT_EQ(ob->base, FW_RUNTIME_CLASS(fw::CObArray));
    EXPECT_EQ(ptr->base, FW_RUNTIME_CLASS(fw::CPtrArray));
}

} // namespace
