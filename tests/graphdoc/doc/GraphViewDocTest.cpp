#include "tests/graphdoc/doc/GraphDocFixture.h"

#include "docbase/doc/UpdateHints.h"
#include "framework/core/Exceptions.h"
#include "graphdoc/model/DrawTextObj.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <fstream>

namespace gdtest {
namespace {

using kivtest::ByteBuilder;

std::vector<uint8_t> Header(int32_t version, int32_t reserved)
{
    ByteBuilder b;
    b.Text("<GRAPHVIEW>").I32(version).Text("</GRAPHVIEW>").I32(reserved);
    return b.Get();
}

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TEST_F(GraphDocTest, FileStartsWithTheTaggedVersionAndReservedWord)
{
    doc.m_reservedWord = 0x01020304;
    doc.m_editLock = 1;
    const std::vector<uint8_t> bytes = Store(doc);
    const std::vector<uint8_t> header = Header(3, 0x01020304);
    ASSERT_GE(bytes.size(), 41u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 31), header);
    // Then the page: edit lock, area lock, width, height.
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 31, bytes.begin() + 41),
              ByteBuilder().U8(1).U8(0).I32(1000).I32(800).Get());
}

TEST_F(GraphDocTest, PageReloadsWithEqualObjects)
{
    auto* text = new CDrawTextObj(fw::CRect(30, 40, 0, 0), "測定 ABC");
    text->SetVertical(true);
    text->m_textColor = fw::RGB(1, 2, 3);
    doc.AddObject(text);
    auto* graph = new CDrawGraphObj(doc.GetPageRect());
    graph->Draw().Scale().m_x.maximum = 123.5;
    doc.AddObject(graph);
    doc.m_reservedWord = -5;
    const std::vector<uint8_t> bytes = Store(doc);

    CGraphViewDoc copy;
    copy.m_bAutoDelete = false;
    Load(copy, bytes);
    EXPECT_EQ(copy.m_reservedWord, -5);
    ASSERT_EQ(copy.GetObjects().size(), 2u);
    auto* text2 = dynamic_cast<CDrawTextObj*>(copy.GetObjects()[0]);
    ASSERT_NE(text2, nullptr);
    EXPECT_EQ(text2->m_strText, "測定 ABC");
    EXPECT_EQ(text2->m_font, text->m_font);
    EXPECT_EQ(text2->m_textColor, text->m_textColor);
    EXPECT_EQ(text2->GetPosition(), text->GetPosition());
    auto* graph2 = copy.FindGraphObj();
    ASSERT_NE(graph2, nullptr);
    EXPECT_EQ(graph2->GetPosition(), graph->GetPosition());
    EXPECT_DOUBLE_EQ(graph2->m_relRight, graph->m_relRight);
    EXPECT_DOUBLE_EQ(graph2->m_relBottom, graph->m_relBottom);
    EXPECT_DOUBLE_EQ(graph2->Draw().Scale().m_x.maximum, 123.5);
    // A second save gives the same bytes.
    EXPECT_EQ(Store(copy), bytes);
}

TEST_F(GraphDocTest, HeaderVersionsAndOldForm)
{
    const std::vector<uint8_t> page = [&] {
        std::vector<uint8_t> all = Store(doc);
        return std::vector<uint8_t>(all.begin() + 31, all.end());
    }();
    struct Row {
        const char* name;
        std::vector<uint8_t> head;
        int32_t reserved;
    };
    std::vector<uint8_t> anyClosing = Header(2, 9);
    for (size_t i = 15; i < 27; ++i)
        anyClosing[i] = 'x';
    const Row rows[] = {
        {"version 3", Header(3, 77), 77},
        {"negative version", Header(-1, 78), 78},
        {"closing tag not compared", anyClosing, 9},
        {"old form keeps the reserved word", {}, 55},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<uint8_t> bytes = row.head;
        bytes.insert(bytes.end(), page.begin(), page.end());
        CGraphViewDoc page2;
        page2.m_bAutoDelete = false;
        page2.m_reservedWord = 55;
        Load(page2, bytes);
        EXPECT_EQ(page2.m_reservedWord, row.reserved);
        EXPECT_EQ(page2.GetPageSize(), fw::CSize(1000, 800));
    }
}

TEST_F(GraphDocTest, NewerVersionIsRefusedWithMessage175)
{
    kivtest::TempDir dir;
    std::vector<uint8_t> bytes = Header(4, 0);
    std::vector<uint8_t> page = Store(doc);
    bytes.insert(bytes.end(), page.begin() + 31, page.end());
    WriteFile(dir / "new.kivg", bytes);
    services.prompt.Expect(175, fw::IDOK);
    CGraphViewDoc page2;
    page2.m_bAutoDelete = false;
    EXPECT_FALSE(page2.OnOpenDocument((dir / "new.kivg").string()));
    EXPECT_EQ(services.prompt.Problems(), "");
    EXPECT_EQ(services.prompt.Prompts().size(), 1u);
}

TEST_F(GraphDocTest, ShortFileIsReadAsOldForm)
{
    // Too short for a header and for a page: the page's own error follows.
    const std::vector<uint8_t> bytes = {'<', 'G', 'R'};
    CGraphViewDoc page2;
    page2.m_bAutoDelete = false;
    EXPECT_THROW(Load(page2, bytes), fw::CArchiveException);
}

TEST_F(GraphDocTest, SavingNeverEntersRecentFiles)
{
    doc.SetPathName("/tmp/x.kivg", true);
    EXPECT_EQ(doc.GetTitle(), "x.kivg");
}

// --- hint routing -------------------------------------------------------------------

// Known to the page as a legend by its class name only.
class CLegendStub : public CHintStub {
public:
    using CHintStub::CHintStub;
    static const fw::CRuntimeClass s_legendClass;
    const fw::CRuntimeClass* GetRuntimeClass() const override { return &s_legendClass; }
};
const fw::CRuntimeClass CLegendStub::s_legendClass = {"CDrawLegObj", &CDrawObj::s_runtimeClass, 0xFFFF, nullptr};

class HintRoutingTest : public GraphDocTest {
protected:
    HintRoutingTest() : view(&log)
    {
        doc.AddObject(new CHintStub(&log, "a"));
        graph = new CGraphStub(&log);
        doc.AddObject(graph);
        doc.AddObject(new CHintStub(&log, "b"));
        doc.AddObject(new CLegendStub(&log, "leg"));
        doc.AddView(&view);
        log.clear();
    }
    ~HintRoutingTest() override { doc.RemoveView(&view); }

    Log log;
    CViewStub view;
    CGraphStub* graph = nullptr;
};

TEST_F(HintRoutingTest, Matrix)
{
    struct Row {
        const char* name;
        intptr_t hint;
        int32_t flags;
        bool legendChanged;
        Log expected;
    };
    const Log listOrder = {"a:%", "graph:%", "b:%", "leg:%"};
    const Log graphFirst = {"graph:%", "a:%", "b:%", "leg:%"};
    auto with = [](Log pattern, intptr_t hint, Log before, Log after) {
        Log out = std::move(before);
        for (std::string s : pattern) {
            s.replace(s.find('%'), 1, std::to_string(hint));
            out.push_back(s);
        }
        out.insert(out.end(), after.begin(), after.end());
        return out;
    };
    const Row rows[] = {
        {"1 legend unchanged", 1, 0, false, with(listOrder, 1, {}, {})},
        {"1 legend changed", 1, 0, true, with(listOrder, 1, {}, {"leg:size", "view:6"})},
        {"12 no page flag", 12, 0xC0, true, {}},
        {"12 graph flag", 12, 0x01, false, with(graphFirst, 12, {}, {"view:4"})},
        {"12 flag 0x20", 12, 0x20, false, with(graphFirst, 12, {}, {"view:4"})},
        {"12 legend flag", 12, 0x10, true, with(listOrder, 12, {"leg:size", "view:6"}, {"view:4"})},
        {"12 other flag", 12, 0x100, false, with(listOrder, 12, {}, {"view:4"})},
        {"13", 13, 0, false, with(graphFirst, 13, {}, {"view:4"})},
        {"14", 14, 0, false, with(graphFirst, 14, {}, {"view:4"})},
        {"24", 24, 0, false, with(graphFirst, 24, {}, {"view:4"})},
        {"25", 25, 0, false, with(graphFirst, 25, {}, {"view:4"})},
        {"31", 31, 0, false, with(graphFirst, 31, {}, {"view:4"})},
        {"35", 35, 0, false, with(graphFirst, 35, {}, {"view:4"})},
        {"39", 39, 0, false, with(graphFirst, 39, {}, {"view:4"})},
        {"19", 19, 0, false, with(listOrder, 19, {}, {"view:4"})},
        {"23", 23, 0, false, with(listOrder, 23, {}, {"view:4"})},
        {"33", 33, 0, false, with(listOrder, 33, {}, {"view:4"})},
        {"29 no redraw", 29, 0, false, with(listOrder, 29, {}, {})},
        {"34 no redraw", 34, 0, false, with(listOrder, 34, {}, {})},
        {"2 base", 2, 0, false, with(listOrder, 2, {}, {})},
        {"3 base", 3, 0, false, with(listOrder, 3, {}, {})},
        {"18 to the views", 18, 0, false, {"view:18"}},
        {"37 to the views", 37, 0, false, {"view:37"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        log.clear();
        graph->m_legendChanged = row.legendChanged;
        CUpdateKivData data;
        data.m_changeFlags = row.flags;
        doc.DispatchUpdate(row.hint, row.hint == 12 ? &data : nullptr);
        EXPECT_EQ(log, row.expected);
    }
}

TEST_F(HintRoutingTest, RolesAndModes)
{
    EXPECT_EQ(doc.FindGraphObj(), graph);
    EXPECT_NE(doc.FindLegObj(), nullptr);
    EXPECT_EQ(doc.FindHistObj(), nullptr);
    EXPECT_EQ(doc.FindRegressObj(), nullptr);
    EXPECT_EQ(doc.GetMainGraphDraw(), &graph->Draw());
    EXPECT_EQ(doc.GetGraphDataMode(), 0);
    EXPECT_EQ(doc.GetSimpleGraphKind(), 0);
    CGraphViewDoc empty;
    empty.m_bAutoDelete = false;
    EXPECT_EQ(empty.GetGraphDataMode(), -1);
    EXPECT_EQ(empty.GetMainGraphDraw(), nullptr);
}

TEST_F(HintRoutingTest, AxisResetGoesToTheMainGraph)
{
    doc.OnAxisReset();
    EXPECT_EQ(log, (Log{"graph:36"}));
}

} // namespace
} // namespace gdtest

namespace gdtest {
namespace {

TEST_F(GraphDocTest, SavedFileReopensWithTheSameObjects)
{
    kivtest::TempDir dir;
    const std::string path = (dir / "page.kivg").string();
    doc.AddObject(new CDrawTextObj(fw::CRect(40, 50, 0, 0), "保存"));
    doc.AddObject(new CDrawGraphObj(doc.GetPageRect()));
    ASSERT_TRUE(doc.OnSaveDocument(path));
    CGraphViewDoc reopened;
    reopened.m_bAutoDelete = false;
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    ASSERT_EQ(reopened.GetObjects().size(), 2u);
    EXPECT_EQ(dynamic_cast<CDrawTextObj*>(reopened.GetObjects()[0])->m_strText, "保存");
    EXPECT_NE(reopened.FindGraphObj(), nullptr);
    EXPECT_FALSE(reopened.IsModified());
    EXPECT_EQ(services.prompt.Problems(), "");
}

} // namespace
} // namespace gdtest
