#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "tests/framework/core/ArchiveTestClasses.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace fw;
using namespace arctest;
using namespace kivtest;

namespace {

class ArchiveTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterTestClasses(); }
};

int CauseOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const CArchiveException& e) {
        return e.m_cause;
    }
    return -1;
}

// ------------------------------------------------------------ numbers

TEST_F(ArchiveTest, NumbersAreRawLittleEndian)
{
    auto bytes = StoredBytes([](CArchive& ar) {
        ar << int8_t(-2) << uint8_t(0xAB) << int16_t(-2) << uint16_t(0x1234) << int32_t(-2)
           << uint32_t(0x89ABCDEF) << 1.5f << -2.0;
        ar.WriteInt64(-3);
    });
    ByteBuilder expected;
    expected.U8(0xFE).U8(0xAB).U16(0xFFFE).U16(0x1234).U32(0xFFFFFFFE).U32(0x89ABCDEF)
        .U32(0x3FC00000).U32(0).U32(0xC0000000).U32(0xFFFFFFFD).U32(0xFFFFFFFF);
    EXPECT_EQ(bytes, expected.Get());

    LoadBytes(bytes, [](CArchive& ar) {
        int8_t a; uint8_t b; int16_t c; uint16_t d; int32_t e; uint32_t f; float g; double h;
        ar >> a >> b >> c >> d >> e >> f >> g >> h;
        EXPECT_EQ(a, -2); EXPECT_EQ(b, 0xAB); EXPECT_EQ(c, -2); EXPECT_EQ(d, 0x1234);
        EXPECT_EQ(e, -2); EXPECT_EQ(f, 0x89ABCDEFu); EXPECT_EQ(g, 1.5f); EXPECT_EQ(h, -2.0);
        EXPECT_EQ(ar.ReadInt64(), -3);
    });
}

TEST_F(ArchiveTest, CountForms)
{
    struct Row { const char* name; uint64_t count; std::vector<uint8_t> bytes; };
    const Row rows[] = {
        {"zero", 0, ByteBuilder().U16(0)},
        {"largest short", 0xFFFE, ByteBuilder().U16(0xFFFE)},
        {"escape at FFFF", 0xFFFF, ByteBuilder().U16(0xFFFF).U32(0xFFFF)},
        {"big", 0x12345, ByteBuilder().U16(0xFFFF).U32(0x12345)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(StoredBytes([&](CArchive& ar) { ar.WriteCount(row.count); }), row.bytes);
        std::vector<uint8_t> withRoom(row.bytes.size() + row.count, 0);
        std::copy(row.bytes.begin(), row.bytes.end(), withRoom.begin());
        LoadBytes(withRoom, [&](CArchive& ar) { EXPECT_EQ(ar.ReadCount(), row.count); });
    }
}

// ------------------------------------------------------------ strings

TEST_F(ArchiveTest, StringPrefixForms)
{
    struct Row { const char* name; size_t length; std::vector<uint8_t> prefix; };
    const Row rows[] = {
        {"empty", 0, ByteBuilder().U8(0)},
        {"254 bytes", 254, ByteBuilder().U8(0xFE)},
        {"255 bytes", 255, ByteBuilder().U8(0xFF).U16(0x00FF)},
        {"65533 bytes", 65533, ByteBuilder().U8(0xFF).U16(0xFFFD)},
        {"65534 bytes", 65534, ByteBuilder().U8(0xFF).U16(0xFFFF).U32(65534)},
        {"70000 bytes", 70000, ByteBuilder().U8(0xFF).U16(0xFFFF).U32(70000)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CString text(std::string(row.length, 'x'));
        std::vector<uint8_t> expected = row.prefix;
        expected.insert(expected.end(), row.length, 'x');
        EXPECT_EQ(StoredBytes([&](CArchive& ar) { ar << text; }), expected);
        LoadBytes(expected, [&](CArchive& ar) {
            CString back;
            ar >> back;
            EXPECT_EQ(back, text);
            EXPECT_EQ(ar.BytesLeft(), 0u);
        });
    }
}

TEST_F(ArchiveTest, JapaneseStringIsStoredAsCp932)
{
    CString text("日本語ｶﾅ");
    auto bytes = StoredBytes([&](CArchive& ar) { ar << text; });
    EXPECT_EQ(bytes, ByteBuilder().U8(8).U8(0x93).U8(0xFA).U8(0x96).U8(0x7B).U8(0x8C).U8(0xEA).U8(0xB6).U8(0xC5).Get());
    LoadBytes(bytes, [&](CArchive& ar) {
        CString back;
        ar >> back;
        EXPECT_EQ(back, text);
    });
}

TEST_F(ArchiveTest, Utf16StringFormIsRead)
{
    // FF FFFE marks UTF-16; the length form follows again, in code units.
    auto bytes = ByteBuilder().U8(0xFF).U16(0xFFFE).U8(3).U16('A').U16(0x65E5).U16(0x672C).U8(0x42).Get();
    LoadBytes(bytes, [](CArchive& ar) {
        CString s;
        uint8_t after;
        ar >> s >> after;
        EXPECT_EQ(s, CString("A日本"));
        EXPECT_EQ(after, 0x42);
    });
}

TEST_F(ArchiveTest, RawStringKeepsBytes)
{
    std::string face("\x82\x6C\x82\x72\x20\x82\x6F", 7); // bytes of a face name
    auto bytes = StoredBytes([&](CArchive& ar) { ar.WriteRawString(face); });
    LoadBytes(bytes, [&](CArchive& ar) { EXPECT_EQ(ar.ReadRawString(), face); });
}

TEST_F(ArchiveTest, TextLines)
{
    auto bytes = StoredBytes([](CArchive& ar) {
        ar.WriteString("一行目\r\n");
        ar.WriteString("two\n");
        ar.WriteString("last");
    });
    LoadBytes(bytes, [](CArchive& ar) {
        CString line;
        ASSERT_TRUE(ar.ReadString(line));
        EXPECT_EQ(line, CString("一行目"));
        ASSERT_TRUE(ar.ReadString(line));
        EXPECT_EQ(line, CString("two"));
        ASSERT_TRUE(ar.ReadString(line));
        EXPECT_EQ(line, CString("last"));
        EXPECT_FALSE(ar.ReadString(line));
    });
}

// ------------------------------------------------------------ objects

TEST_F(ArchiveTest, ObjectGraphBytesAndSharedPointers)
{
    CArcTestItem a(0x11), b(0x22);
    auto bytes = StoredBytes([&](CArchive& ar) {
        ar.WriteObject(&a);
        ar.WriteObject(&b);
        ar.WriteObject(&a);
        ar.WriteObject(nullptr);
    });
    // Class 1, a = 2, b = 3.
    ByteBuilder expected;
    expected.NewClass("CArcTestItem", 1).U32(0x11)
        .U16(0x8001).U32(0x22)
        .U16(2)
        .U16(0);
    EXPECT_EQ(bytes, expected.Get());

    LoadBytes(bytes, [](CArchive& ar) {
        std::unique_ptr<CObject> first(ar.ReadObject(FW_RUNTIME_CLASS(CArcTestItem)));
        std::unique_ptr<CObject> second(ar.ReadObject(FW_RUNTIME_CLASS(CObject)));
        CObject* again = ar.ReadObject(FW_RUNTIME_CLASS(CArcTestItem));
        EXPECT_EQ(ar.ReadObject(nullptr), nullptr);
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->GetRuntimeClass(), FW_RUNTIME_CLASS(CArcTestItem));
        EXPECT_EQ(static_cast<CArcTestItem*>(first.get())->m_value, 0x11);
        EXPECT_EQ(static_cast<CArcTestItem*>(second.get())->m_value, 0x22);
        EXPECT_EQ(again, first.get());
    });
}

TEST_F(ArchiveTest, ObjectIsMappedBeforeItsDataSoSelfReferencesResolve)
{
    CArcTestNode node;
    node.m_value = 7;
    node.m_peer = &node;
    auto bytes = StoredBytes([&](CArchive& ar) { ar << &node; });
    EXPECT_EQ(bytes, ByteBuilder().NewClass("CArcTestNode", 0).U32(7).U16(2).U16(0).Get());

    LoadBytes(bytes, [](CArchive& ar) {
        CArcTestNode* back = nullptr;
        ar >> back;
        std::unique_ptr<CArcTestNode> owner(back);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->m_peer, back);
    });
}

TEST_F(ArchiveTest, BigIndexesRoundTrip)
{
    // 0x7FFF items of one class fill indexes 1..0x8000; then class
    // CArcTestNode takes 0x8001 and its first object 0x8002.
    std::vector<std::unique_ptr<CArcTestItem>> items;
    for (int i = 0; i < 0x7FFF; ++i)
        items.push_back(std::make_unique<CArcTestItem>(i));
    CArcTestNode n1, n2;
    n1.m_value = 1;
    n2.m_value = 2;
    n2.m_peer = &n1;
    auto bytes = StoredBytes([&](CArchive& ar) {
        for (auto& it : items)
            ar.WriteObject(it.get());
        ar.WriteObject(&n1);
        ar.WriteObject(&n2);                   // class by big class index
        ar.WriteObject(items.back().get());    // object index 0x8000
    });
    ByteBuilder tail;
    tail.NewClass("CArcTestNode", 0).U32(1).U16(0).U16(0)                  // n1 = 0x8002
        .U16(0x7FFF).U32(0x80000000u | 0x8001).U32(2).U16(0x7FFF).U32(0x8002).U16(0) // n2 -> n1
        .U16(0x7FFF).U32(0x8000);
    ASSERT_GE(bytes.size(), tail.Get().size());
    EXPECT_EQ(std::vector<uint8_t>(bytes.end() - tail.Get().size(), bytes.end()), tail.Get());

    LoadBytes(bytes, [&](CArchive& ar) {
        std::vector<std::unique_ptr<CObject>> loaded;
        for (int i = 0; i < 0x7FFF; ++i)
            loaded.emplace_back(ar.ReadObject(FW_RUNTIME_CLASS(CArcTestItem)));
        std::unique_ptr<CObject> l1(ar.ReadObject(FW_RUNTIME_CLASS(CArcTestNode)));
        std::unique_ptr<CObject> l2(ar.ReadObject(FW_RUNTIME_CLASS(CArcTestNode)));
        EXPECT_EQ(static_cast<CArcTestNode*>(l2.get())->m_peer, l1.get());
        EXPECT_EQ(static_cast<CArcTestNode*>(l2.get())->m_value, 2);
        EXPECT_EQ(ar.ReadObject(FW_RUNTIME_CLASS(CArcTestItem)), loaded.back().get());
    });
}

TEST_F(ArchiveTest, DerivedObjectIsAcceptedForItsBase)
{
    CArcTestDerived d;
    d.m_value = 5;
    auto bytes = StoredBytes([&](CArchive& ar) { ar.WriteObject(&d); });
    LoadBytes(bytes, [](CArchive& ar) {
        std::unique_ptr<CObject> o(ar.ReadObject(FW_RUNTIME_CLASS(CArcTestItem)));
        EXPECT_EQ(o->GetRuntimeClass(), FW_RUNTIME_CLASS(CArcTestDerived));
    });
}

TEST_F(ArchiveTest, VersionableClassSeesStoredSchemaOncePerObject)
{
    auto bytes = ByteBuilder().NewClass("CArcTestVersioned", 1).U16(0x8001).Get();
    LoadBytes(bytes, [](CArchive& ar) {
        std::unique_ptr<CObject> a(ar.ReadObject(FW_RUNTIME_CLASS(CArcTestVersioned)));
        std::unique_ptr<CObject> b(ar.ReadObject(FW_RUNTIME_CLASS(CArcTestVersioned)));
        for (CObject* o : {a.get(), b.get()}) {
            auto* v = static_cast<CArcTestVersioned*>(o);
            EXPECT_EQ(v->m_schemaSeen, 1);
            EXPECT_EQ(v->m_schemaSecondAsk, -1);
        }
    });
}

TEST_F(ArchiveTest, VersionableSchemaIsStoredAsItsLowWord)
{
    CArcTestVersioned v;
    EXPECT_EQ(StoredBytes([&](CArchive& ar) { ar.WriteObject(&v); }),
              ByteBuilder().NewClass("CArcTestVersioned", 2).Get());
}

// ------------------------------------------------------------ errors

TEST_F(ArchiveTest, DamagedArchivesGiveTheirCause)
{
    struct Row { const char* name; std::vector<uint8_t> bytes; std::function<void(CArchive&)> read; int cause; };
    auto readItem = [](CArchive& ar) { delete ar.ReadObject(FW_RUNTIME_CLASS(CArcTestItem)); };
    auto readString = [](CArchive& ar) { CString s; ar >> s; };
    auto readCount = [](CArchive& ar) { ar.ReadCount(); };
    const Row rows[] = {
        {"empty archive", {}, readItem, CArchiveException::endOfFile},
        {"truncated class name", ByteBuilder().U16(0xFFFF).U16(1).U16(12).Text("CArcTe"), readItem,
         CArchiveException::endOfFile},
        {"truncated object data", ByteBuilder().NewClass("CArcTestItem", 1).U16(0x11), readItem,
         CArchiveException::endOfFile},
        {"unregistered class", ByteBuilder().NewClass("CNoSuchClass", 1).U32(0), readItem, CArchiveException::badClass},
        {"name differs in case", ByteBuilder().NewClass("carctestitem", 1).U32(0), readItem,
         CArchiveException::badClass},
        {"class name of 64 bytes", ByteBuilder().U16(0xFFFF).U16(1).U16(64).Fill(64, 'A'), readItem,
         CArchiveException::badClass},
        {"wrong expected class", ByteBuilder().NewClass("CArcTestOther", 0), readItem, CArchiveException::badClass},
        {"bad schema", ByteBuilder().NewClass("CArcTestItem", 2).U32(0), readItem, CArchiveException::badSchema},
        {"object index beyond map", ByteBuilder().U16(5), readItem, CArchiveException::badIndex},
        {"class index beyond map", ByteBuilder().U16(0x8003).U32(0), readItem, CArchiveException::badIndex},
        {"big index beyond map", ByteBuilder().U16(0x7FFF).U32(0x100000), readItem, CArchiveException::badIndex},
        {"class index naming an object", ByteBuilder().NewClass("CArcTestItem", 1).U32(0).U16(0x8002).U32(0),
         [](CArchive& ar) {
             std::unique_ptr<CObject> first(ar.ReadObject(nullptr));
             delete ar.ReadObject(nullptr);
         },
         CArchiveException::badIndex},
        {"string longer than data", ByteBuilder().U8(10).Text("abc"), readString, CArchiveException::genericException},
        {"long string form beyond data", ByteBuilder().U8(0xFF).U16(0xFFFF).U32(0xFFFFFFF0).Text("abc"), readString,
         CArchiveException::genericException},
        {"utf-16 string beyond data", ByteBuilder().U8(0xFF).U16(0xFFFE).U8(4).U16('a'), readString,
         CArchiveException::genericException},
        {"two utf-16 markers", ByteBuilder().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFE).U8(0), readString,
         CArchiveException::genericException},
        {"count beyond data", ByteBuilder().U16(0xFFFF).U32(100000).Fill(10, 0), readCount,
         CArchiveException::genericException},
        {"truncated count", ByteBuilder().U16(0xFFFF).U16(1), readCount, CArchiveException::endOfFile},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CauseOf([&] { LoadBytes(row.bytes, row.read); }), row.cause);
    }
}

TEST_F(ArchiveTest, ClassIsCheckedBeforeAnObjectIsCreated)
{
    int before = CArcTestOther::s_created;
    EXPECT_EQ(CauseOf([] {
                  LoadBytes(ByteBuilder().NewClass("CArcTestOther", 0),
                            [](CArchive& ar) { ar.ReadObject(FW_RUNTIME_CLASS(CArcTestItem)); });
              }),
              CArchiveException::badClass);
    EXPECT_EQ(CArcTestOther::s_created, before);
}

TEST_F(ArchiveTest, BackReferenceOfWrongClassIsRefused)
{
    auto bytes = ByteBuilder().NewClass("CArcTestOther", 0).U16(2).Get();
    EXPECT_EQ(CauseOf([&] {
                  LoadBytes(bytes, [](CArchive& ar) {
                      std::unique_ptr<CObject> first(ar.ReadObject(nullptr));
                      ar.ReadObject(FW_RUNTIME_CLASS(CArcTestItem));
                  });
              }),
              CArchiveException::badClass);
}

TEST_F(ArchiveTest, OwningAndSharingReadersAcceptOnlyTheirBackReferences)
{
    // An item (class 1, object 2), then a second read that names object 2.
    const Bytes bytes = ByteBuilder().NewClass("CArcTestItem", 1).I32(7).U16(2);
    using Read = CObject* (CArchive::*)(const CRuntimeClass*);
    struct Row { const char* name; Read first; Read second; int cause; };
    const Row rows[] = {
        {"owner after a plain reader", &CArchive::ReadObject, &CArchive::ReadOwnedObject, CArchiveException::badIndex},
        {"owner after an owner", &CArchive::ReadOwnedObject, &CArchive::ReadOwnedObject, CArchiveException::badIndex},
        {"owner after a sharer", &CArchive::ReadSharedObject, &CArchive::ReadOwnedObject, CArchiveException::badIndex},
        {"sharer after an owner", &CArchive::ReadOwnedObject, &CArchive::ReadSharedObject, CArchiveException::badIndex},
        {"sharer after a plain reader", &CArchive::ReadObject, &CArchive::ReadSharedObject, CArchiveException::badIndex},
        {"sharer after a sharer", &CArchive::ReadSharedObject, &CArchive::ReadSharedObject, -1},
        {"plain reader after an owner", &CArchive::ReadOwnedObject, &CArchive::ReadObject, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CObject* again = nullptr;
        CObject* first = nullptr;
        const int cause = CauseOf([&] {
            LoadBytes(bytes, [&](CArchive& ar) {
                first = (ar.*row.first)(FW_RUNTIME_CLASS(CArcTestItem));
                again = (ar.*row.second)(FW_RUNTIME_CLASS(CArcTestItem));
            });
        });
        EXPECT_EQ(cause, row.cause);
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(static_cast<CArcTestItem*>(first)->m_value, 7);
        EXPECT_EQ(again, row.cause == -1 ? first : nullptr);
        delete first;
    }
}

TEST_F(ArchiveTest, OwningReaderTakesNullAndNewObjects)
{
    LoadBytes(ByteBuilder().U16(0).NewClass("CArcTestItem", 1).I32(3).U16(0x8001).I32(4), [](CArchive& ar) {
        EXPECT_EQ(ar.ReadOwnedObject(FW_RUNTIME_CLASS(CArcTestItem)), nullptr);
        std::unique_ptr<CObject> a(ar.ReadOwnedObject(FW_RUNTIME_CLASS(CArcTestItem)));
        std::unique_ptr<CObject> b(ar.ReadOwnedObject(FW_RUNTIME_CLASS(CArcTestItem)));
        ASSERT_TRUE(a && b);
        EXPECT_NE(a.get(), b.get());
        EXPECT_EQ(static_cast<CArcTestItem*>(b.get())->m_value, 4);
    });
}

TEST_F(ArchiveTest, EveryTruncationOfAGraphFailsCleanly)
{
    CArcTestNode root;
    root.m_value = 1;
    for (int i = 0; i < 3; ++i) {
        auto* c = new CArcTestNode;
        c->m_value = 10 + i;
        c->m_peer = &root;
        root.m_children.push_back(c);
    }
    root.m_peer = &root; // a peer met first as a peer would be owned by nobody on a failed load
    auto bytes = StoredBytes([&](CArchive& ar) { ar << &root << CString("tail text"); });
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        SCOPED_TRACE(cut);
        std::vector<uint8_t> part(bytes.begin(), bytes.begin() + cut);
        int cause = CauseOf([&] {
            LoadBytes(part, [](CArchive& ar) {
                CArcTestNode* node = nullptr;
                ar >> node;
                std::unique_ptr<CArcTestNode> owner(node);
                CString s;
                ar >> s;
            }, 16);
        });
        EXPECT_TRUE(cause == CArchiveException::endOfFile || cause == CArchiveException::genericException)
            << "cause " << cause;
    }
}

TEST_F(ArchiveTest, NestingBeyondTheLimitIsRefusedNotOverflowed)
{
    // Each node: tag, value, null peer, one child; the innermost has none.
    const int depth = CArchive::kMaxObjectDepth + 10;
    ByteBuilder b;
    for (int i = 0; i < depth; ++i) {
        if (i == 0)
            b.NewClass("CArcTestNode", 0);
        else
            b.U16(0x8001);
        b.U32(static_cast<uint32_t>(i)).U16(0).U16(1);
    }
    b.U16(0);
    EXPECT_EQ(CauseOf([&] {
                  LoadBytes(b, [](CArchive& ar) { delete ar.ReadObject(FW_RUNTIME_CLASS(CArcTestNode)); });
              }),
              CArchiveException::genericException);
}

TEST_F(ArchiveTest, WrongDirectionIsRefused)
{
    CMemFile mem;
    CArchive storing(&mem, CArchive::store);
    uint8_t b;
    EXPECT_EQ(CauseOf([&] { storing >> b; }), CArchiveException::writeOnly);
    CMemFile mem2;
    CArchive loading(&mem2, CArchive::load);
    EXPECT_EQ(CauseOf([&] { loading << uint8_t(1); }), CArchiveException::readOnly);
}

// ------------------------------------------------------------ peeking

// The peek of the archive tags: flush, read, and on a miss flush and seek the
// file back.
bool PeekTag(CArchive& ar, const char* tag)
{
    ar.Flush();
    uint64_t pos = ar.GetFile()->GetPosition();
    size_t n = std::strlen(tag);
    std::string got(n, '\0');
    size_t read = 0;
    try {
        read = ar.Read(got.data(), n);
    } catch (const CArchiveException&) {
        read = 0;
    }
    if (read > 0 && read == n && got == tag)
        return true;
    ar.Flush();
    ar.GetFile()->Seek(static_cast<int64_t>(pos), CFile::begin);
    return false;
}

void CheckPeeking(CFile& file)
{
    for (size_t buffer : {size_t(16), size_t(4096)}) {
        SCOPED_TRACE(buffer);
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load, buffer);
        std::vector<uint8_t> skip(13);
        ar.ReadExact(skip.data(), skip.size()); // the tag straddles the small buffer
        EXPECT_FALSE(PeekTag(ar, "<CAL>"));      // "<CALF>" differs at the fifth byte
        EXPECT_TRUE(PeekTag(ar, "<CALF"));
        uint8_t b;
        ar >> b;
        EXPECT_EQ(b, '>');
        uint64_t here = ar.Tell();
        int32_t v;
        ar >> v;
        EXPECT_EQ(v, 0x01020304);
        ar.Seek(here);
        ar >> v;
        EXPECT_EQ(v, 0x01020304);
        EXPECT_FALSE(PeekTag(ar, "<CAL>"));     // at the end of the data
        EXPECT_EQ(ar.Tell(), here + 4);
        EXPECT_EQ(ar.Read(&b, 1), 0u);
    }
}

std::vector<uint8_t> PeekData()
{
    return ByteBuilder().Fill(13, 0xEE).Text("<CALF>").U32(0x01020304);
}

TEST_F(ArchiveTest, PeekAndRewindOverMemory)
{
    CMemFile mem(PeekData());
    CheckPeeking(mem);
}

TEST_F(ArchiveTest, PeekAndRewindOverFile)
{
    kivtest::TempDir dir;
    CString path((dir / "peek.bin").string());
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        auto data = PeekData();
        f.Write(data.data(), data.size());
        f.Close();
    }
    CFile f(path, CFile::modeRead);
    CheckPeeking(f);
}

TEST_F(ArchiveTest, StoringOverAFileMatchesMemory)
{
    kivtest::TempDir dir;
    CString path((dir / "store.bin").string());
    auto body = [](CArchive& ar) {
        for (int i = 0; i < 3000; ++i)
            ar << int32_t(i) << CString("行") ;
    };
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store, 64);
        body(ar);
        EXPECT_EQ(ar.Tell(), 3000u * 7);
        ar.Close();
        f.Close();
    }
    CFile f(path, CFile::modeRead);
    std::vector<uint8_t> onDisk(f.GetLength());
    EXPECT_EQ(f.Read(onDisk.data(), onDisk.size()), onDisk.size());
    EXPECT_EQ(onDisk, StoredBytes(body));
}

} // namespace
