#include "framework/core/Collections.h"
#include "tests/framework/core/ArchiveTestClasses.h"
#include "tests/support/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <memory>

using namespace fw;
using namespace arctest;
using namespace kivtest;

namespace {

class CollectionsTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterTestClasses(); }
};

TEST_F(CollectionsTest, ArrayEditing)
{
    CArray<int32_t> a;
    a.Add(1);
    a.Add(2);
    a.InsertAt(1, 9, 2);                 // 1 9 9 2
    a.RemoveAt(0);                       // 9 9 2
    a.SetAtGrow(5, 7);                   // 9 9 2 0 0 7
    a.InsertAt(8, 4);                    // grows to 8 first, then inserts
    std::vector<int32_t> got(a.GetData(), a.GetData() + a.GetSize());
    EXPECT_EQ(got, (std::vector<int32_t>{9, 9, 2, 0, 0, 7, 0, 0, 4}));
    EXPECT_EQ(a.GetUpperBound(), 8);
    a[0] = 3;
    EXPECT_EQ(a.GetAt(0), 3);
    a.SetSize(2);
    EXPECT_EQ(a.GetCount(), 2);
}

TEST_F(CollectionsTest, IndexesOutsideTheArrayAreRefused)
{
    CObArray a;
    a.Add(nullptr);
    EXPECT_THROW(a.GetAt(1), CInvalidArgException);
    EXPECT_THROW(a.GetAt(-1), CInvalidArgException);
    EXPECT_THROW(a.RemoveAt(0, 2), CInvalidArgException);
    EXPECT_THROW(a.SetAt(3, nullptr), CInvalidArgException);
    CStringArray s;
    EXPECT_THROW(s[0], CInvalidArgException);
}

TEST_F(CollectionsTest, ValueArrayIsCountAndRawElements)
{
    CWordArray w;
    w.Add(0x0102);
    w.Add(0xFFFF);
    auto bytes = StoredBytes([&](CArchive& ar) { w.Serialize(ar); });
    EXPECT_EQ(bytes, ByteBuilder().U16(2).U16(0x0102).U16(0xFFFF).Get());
    CWordArray back;
    back.Add(5); // replaced, not appended
    LoadBytes(bytes, [&](CArchive& ar) { back.Serialize(ar); });
    ASSERT_EQ(back.GetSize(), 2);
    EXPECT_EQ(back[1], 0xFFFF);

    // A count the data cannot hold is refused before anything is allocated.
    CArray<double> d;
    try {
        LoadBytes(ByteBuilder().U16(3).Fill(16, 0), [&](CArchive& ar) { d.Serialize(ar); });
        FAIL() << "no exception";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::genericException);
    }
}

TEST_F(CollectionsTest, StringArrayIsCountAndStrings)
{
    CStringArray s;
    s.Add("ab");
    s.Add("");
    s.Add("日");
    auto bytes = StoredBytes([&](CArchive& ar) { s.Serialize(ar); });
    EXPECT_EQ(bytes, ByteBuilder().U16(3).U8(2).Text("ab").U8(0).U8(2).U8(0x93).U8(0xFA).Get());
    CStringArray back;
    LoadBytes(bytes, [&](CArchive& ar) { back.Serialize(ar); });
    ASSERT_EQ(back.GetSize(), 3);
    EXPECT_EQ(back[2], CString("日"));
}

TEST_F(CollectionsTest, ObjectArrayIsCountAndObjects)
{
    CArcTestItem a(1), b(2);
    CObArray arr;
    arr.Add(&a);
    arr.Add(nullptr);
    arr.Add(&b);
    arr.Add(&a);
    auto bytes = StoredBytes([&](CArchive& ar) { arr.Serialize(ar); });
    EXPECT_EQ(bytes, ByteBuilder().U16(4).NewClass("CArcTestItem", 1).U32(1).U16(0).U16(0x8001).U32(2).U16(2).Get());

    CObArray back;
    LoadBytes(bytes, [&](CArchive& ar) { back.Serialize(ar); });
    ASSERT_EQ(back.GetSize(), 4);
    std::unique_ptr<CObject> first(back[0]), third(back[2]);
    EXPECT_EQ(back[1], nullptr);
    EXPECT_EQ(back[3], back[0]);
    EXPECT_EQ(static_cast<CArcTestItem*>(back[2])->m_value, 2);
}

TEST_F(CollectionsTest, TypedArraysAndLists)
{
    CArcTestItem a(1), b(2), c(3);
    CTypedPtrArray<CObArray, CArcTestItem*> arr;
    arr.Add(&a);
    arr.Add(&b);
    EXPECT_EQ(arr[1]->m_value, 2);
    arr[1] = &c;
    EXPECT_EQ(arr.GetAt(1), &c);

    CTypedPtrList<CObList, CArcTestItem*> list;
    POSITION pb = list.AddTail(&b);
    list.AddHead(&a);
    list.InsertAfter(pb, &c);
    std::vector<int> order;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        order.push_back(list.GetNext(pos)->m_value);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    list.RemoveAt(pb);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetTail(), &c);
    EXPECT_EQ(list.Find(&b), nullptr);
    EXPECT_EQ(list.GetAt(list.FindIndex(1)), &c);
    EXPECT_EQ(list.RemoveHead(), &a);
    EXPECT_EQ(list.RemoveTail(), &c);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_THROW(list.RemoveHead(), CInvalidArgException);
}

TEST_F(CollectionsTest, ObjectListIsCountAndObjects)
{
    CArcTestItem a(4);
    CObList list;
    list.AddTail(&a);
    list.AddTail(&a);
    auto bytes = StoredBytes([&](CArchive& ar) { list.Serialize(ar); });
    EXPECT_EQ(bytes, ByteBuilder().U16(2).NewClass("CArcTestItem", 1).U32(4).U16(2).Get());
    CObList back;
    LoadBytes(bytes, [&](CArchive& ar) { back.Serialize(ar); });
    ASSERT_EQ(back.GetCount(), 2);
    std::unique_ptr<CObject> owner(back.GetHead());
    EXPECT_EQ(back.GetHead(), back.GetTail());
}

TEST_F(CollectionsTest, FrameworkArraysAreStorableByName)
{
    CByteArray bytesArray;
    bytesArray.Add(7);
    auto bytes = StoredBytes([&](CArchive& ar) { ar.WriteObject(&bytesArray); });
    EXPECT_EQ(bytes, ByteBuilder().NewClass("CByteArray", 0).U16(1).U8(7).Get());
    LoadBytes(bytes, [](CArchive& ar) {
        std::unique_ptr<CObject> o(ar.ReadObject(FW_RUNTIME_CLASS(CByteArray)));
        EXPECT_EQ(static_cast<CByteArray*>(o.get())->GetAt(0), 7);
    });
}

} // namespace
