#include "graphdoc/model/objects/DrawPowObj.h"

#include "chart/model/GraphClasses.h"
#include "chart/model/GraphDocumentLookup.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/GraphUpdateHints.h"
#include "common/cache/CacheClasses.h"
#include "common/cache/CacheTanks.h"
#include "common/calc/CashCalcuDataTank.h"
#include "common/tank/DataTankList.h"
#include "common/tank/TimeDataTank.h"
#include "data/model/KivDataDoc.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/Archive.h"
#include "framework/core/RecordingSink.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "framework/core/testing/ServiceScope.h"
#include "graphdoc/model/GraphDocClasses.h"
#include "graphdoc/model/objects/DrawPowLegObj.h"
#include "graphdoc/model/objects/GraphObjectClasses.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// A measurement-data document whose channel 501 holds a sine of amplitude 2
// on bin 131 of 1024 samples, sampled every millisecond.
class SineDoc : public CKivDataDoc {
public:
    SineDoc()
    {
        m_docIdent = CDocIdent(3, 4242);
        SetTitle("sine");
        for (int i = 0; i < 510; ++i) {
            auto* tank = new CCashCalcuDataTank;
            tank->SetKind(-1);
            tank->CreateCacheFile();
            if (i == 501) {
                tank->SetSize(1024, true);
                for (int k = 0; k < 1024; ++k)
                    tank->SetValue(k, 2.0 * std::sin(2.0 * kPi * 131 * k / 1024));
                tank->SetName("CH1");
                tank->SetUnit("V");
            }
            m_list.AddTank(tank, false);
        }
        GetAdSet().m_dClk = 1.0;
    }
    CDataTankList* GetChannelTankList() override { return &m_list; }
    CDataTankList m_list;
};

class Lookup : public IGraphDocumentLookup {
public:
    const fw::CDocument* FindDocument(const CDocIdent& ident) const override
    {
        return doc && doc->GetDocIdent() == ident ? doc : nullptr;
    }
    const CKivDocBase* doc = nullptr;
};

class SpectrumGraphTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
        RegisterGraphDocClasses();
        RegisterGraphObjectClasses();
        s_dir = new kivtest::TempDir;
        SetCacheTankFolder(s_dir->Path().string());
        s_doc = new SineDoc;
    }
    static void TearDownTestSuite()
    {
        delete s_doc;
        SetCacheTankFolder("");
        delete s_dir;
    }
    void SetUp() override { lookup.doc = s_doc; }

    // A spectrum graph of channel 501 of the document.
    std::unique_ptr<CDrawPowObj> MakeGraph()
    {
        auto graph = std::make_unique<CDrawPowObj>(fw::CRect(0, 0, 2000, 1500));
        CPowGraphPrfList list;
        EXPECT_TRUE(graph->GetPrfList(list));
        list.m_pow.m_docIdent = s_doc->GetDocIdent();
        list.m_pow.m_strName = "sine";
        list.m_pow.m_channel = 501;
        list.m_pow.m_shift = 0;
        graph->SetPrfList(list);
        return graph;
    }

    static kivtest::TempDir* s_dir;
    static SineDoc* s_doc;
    Lookup lookup;
    fw::ScopedInstall<IGraphDocumentLookup> installed{lookup};
    fw::test::ServiceScope services;
};

kivtest::TempDir* SpectrumGraphTest::s_dir = nullptr;
SineDoc* SpectrumGraphTest::s_doc = nullptr;

TEST_F(SpectrumGraphTest, ComputesPeakUnitAndLegendFromTheSource)
{
    auto graph = MakeGraph();
    EXPECT_EQ(graph->GetPeak(), 131);
    ASSERT_EQ(graph->GetSpectrumTank()->GetDataCount(), 512);
    EXPECT_NEAR(graph->GetSpectrumTank()->GetValue(131), 4.0, 1e-4);
    EXPECT_DOUBLE_EQ(graph->GetFrequencyTank()->GetInterval(), 1.0 / 1.024);
    const fw::CString legend = graph->Draw().GetSeries(0)->GetName();
    EXPECT_EQ(legend.str().substr(0, 4), "CH1\n");
    EXPECT_NE(legend.Find("(V)\\super2\\super"), -1) << legend.str();
    EXPECT_NE(legend.Find("Hz\n"), -1) << legend.str();
    EXPECT_EQ(CountTextLines(legend), 3);
}

TEST_F(SpectrumGraphTest, FollowsInsertedChannelsOnceAndOnlyInTheUsedTankList)
{
    auto graph = MakeGraph();
    for (int kind : {2, 4}) {
        CUpdateGraphInsertDelete hint;
        hint.m_doc = s_doc->GetDocIdent();
        hint.m_first = 500;
        hint.m_second = 502;
        hint.m_key = kind;
        graph->OnUpdate(13, &hint);
    }
    EXPECT_EQ(graph->GetPowPrf().m_channel, 504);
    for (int kind : {2, 4}) {
        CUpdateGraphInsertDelete hint;
        hint.m_doc = s_doc->GetDocIdent();
        hint.m_first = 500;
        hint.m_second = 502;
        hint.m_key = kind;
        graph->OnUpdate(14, &hint);
    }
    EXPECT_EQ(graph->GetPowPrf().m_channel, 501);
    EXPECT_EQ(graph->GetPeak(), 131);
}

TEST_F(SpectrumGraphTest, RecordEndsWithPeakSettingsAndTaggedCountMode)
{
    auto graph = MakeGraph();
    const kivtest::Bytes stored = kivtest::StoreBody(*graph);
    kivtest::ByteBuilder tail;
    tail.I32(131).I32(0).I32(0).I32(0).I32(501).Str("sine").Text("<FFTNUMS>").I32(1).I32(3).I32(4242);
    const kivtest::Bytes& expected = tail.Get();
    ASSERT_GT(stored.size(), expected.size());
    EXPECT_EQ(kivtest::Bytes(stored.end() - expected.size(), stored.end()), expected) << kivtest::Hex(stored);

    // Reloaded without its source: the saved spectrum and settings.
    lookup.doc = nullptr;
    CDrawPowObj loaded;
    kivtest::LoadBody(loaded, stored);
    EXPECT_EQ(loaded.GetPeak(), 131);
    EXPECT_EQ(loaded.GetPowPrf().m_countMode, 1);
    ASSERT_NE(loaded.GetSpectrumTank(), nullptr);
    EXPECT_EQ(loaded.GetSpectrumTank()->GetDataCount(), 512);
    EXPECT_NEAR(loaded.GetSpectrumTank()->GetValue(131), 4.0, 1e-4);

    // A page written before the count mode existed computes in truncate mode.
    kivtest::Bytes old(stored.begin(), stored.end() - 8 - 13);
    old.insert(old.end(), stored.end() - 8, stored.end());
    CDrawPowObj older;
    kivtest::LoadBody(older, old);
    EXPECT_EQ(older.GetPowPrf().m_countMode, 0);
    EXPECT_EQ(older.GetPowPrf().m_docIdent, CDocIdent(3, 4242));
}

TEST_F(SpectrumGraphTest, ListsWithoutTheSpectrumEntryAreRefused)
{
    CDrawPowObj graph(fw::CRect(0, 0, 100, 100));
    CPowGraphPrfList list;
    list.Add(new CGraphPrf);
    EXPECT_THROW(graph.SetPrfList(list), std::exception);
}

TEST_F(SpectrumGraphTest, LegendShowsTheSpectrumLines)
{
    CGraphViewDoc page;
    page.m_pageSize = fw::CSize(2000, 1500);
    auto graph = MakeGraph();
    CDrawPowObj* raw = graph.release();
    page.AddObject(raw);
    auto* legend = new CDrawPowLegObj(page.GetPageRect());
    page.AddObject(legend);
    legend->ResetSize();
    EXPECT_EQ(legend->GetLineCount(), 3);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    legend->Draw(&dc);
    int texts = 0;
    for (const std::string& line : sink.Log())
        texts += line.rfind("text ", 0) == 0 && line.find("CH1") != std::string::npos;
    EXPECT_EQ(texts, 1);
}

} // namespace

namespace {

TEST_F(SpectrumGraphTest, FollowsARenamedSourceAndItsUnit)
{
    auto graph = MakeGraph();
    CDataTankObject* channel = s_doc->GetChannelTank(501, 2);
    channel->SetUnit("mV");
    CUpdateKivData changed(s_doc);
    changed.m_changeFlags = 0x10;
    graph->OnUpdate(12, &changed);
    channel->SetUnit("V");
    EXPECT_EQ(graph->GetSpectrumTank()->GetUnit(), "(mV)\\super2\\super");
    EXPECT_NE(graph->Draw().GetSeries(0)->GetName().Find("(mV)"), -1);
    EXPECT_EQ(graph->GetPeak(), 131);

    CUpdateChangeDocIdent renamed(CDocIdent(3, 9999), CDocIdent(3, 4242), "sine2");
    graph->OnUpdate(3, &renamed);
    EXPECT_EQ(graph->GetPowPrf().m_docIdent, CDocIdent(3, 9999));
    EXPECT_EQ(graph->GetPowPrf().m_strName, "sine2");
    EXPECT_EQ(graph->GetSpectrumTank()->GetDataCount(), 512);
}

} // namespace
