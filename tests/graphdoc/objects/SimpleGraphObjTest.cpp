#include "graphdoc/model/objects/SimpleGraphObj.h"

#include "chart/model/GraphClasses.h"
#include "framework/core/RecordingSink.h"
#include "graphdoc/model/GraphDocClasses.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

class SimpleGraphTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
        RegisterGraphDocClasses();
    }
};

TEST_F(SimpleGraphTest, RecordEndsWithTheCreationKind)
{
    CSimpleGraphObj graph(fw::CRect(0, 0, 2000, 1500), 0, 1);
    graph.SetCreationKind(9);
    const kivtest::Bytes stored = kivtest::StoreBody(graph);
    ASSERT_GE(stored.size(), 4u);
    EXPECT_EQ(kivtest::Bytes(stored.end() - 4, stored.end()), kivtest::ByteBuilder().I32(9).Get());
    CSimpleGraphObj loaded;
    kivtest::LoadBody(loaded, stored);
    EXPECT_EQ(loaded.GetCreationKind(), 9);
    EXPECT_EQ(loaded.GetRedrawState(), CDrawGraphObj::kRedrawAll);
}

// A monitor graph tracks the measurement from the poll start and marks each
// poll's samples for appending, until the polling stops.
TEST_F(SimpleGraphTest, MonitorGraphAppendsEachPoll)
{
    CSimpleGraphObj graph(fw::CRect(0, 0, 2000, 1500), 0, 1);
    graph.SetCreationKind(9);
    graph.Draw().m_dataMode = 1;
    graph.OnUpdate(19, nullptr);
    EXPECT_TRUE(graph.IsTracking());

    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    // A full redraw already pending stays one.
    graph.OnUpdate(20, nullptr);
    EXPECT_EQ(graph.GetRedrawState(), CDrawGraphObj::kRedrawAll);
    // After a rendered picture, a poll only appends.
    graph.SetRedrawState(CDrawGraphObj::kCopyPicture);
    graph.OnUpdate(20, nullptr);
    EXPECT_EQ(graph.GetRedrawState(), CSimpleGraphObj::kAppendData);
    // Without a picture (no window system here) the graph is drawn whole.
    graph.Draw(&dc);
    EXPECT_EQ(graph.GetRedrawState(), CDrawGraphObj::kRedrawAll);

    graph.SetRedrawState(CDrawGraphObj::kCopyPicture);
    graph.OnUpdate(21, nullptr);
    EXPECT_FALSE(graph.IsTracking());
    graph.OnUpdate(20, nullptr);
    EXPECT_EQ(graph.GetRedrawState(), CDrawGraphObj::kCopyPicture);
}

TEST_F(SimpleGraphTest, RecordedDataGraphsDoNotTrack)
{
    CSimpleGraphObj graph(fw::CRect(0, 0, 2000, 1500), 0, 1);
    graph.OnUpdate(19, nullptr);
    graph.OnUpdate(31, nullptr);
    EXPECT_FALSE(graph.IsTracking());
}

} // namespace

#include "chart/model/GraphDocumentLookup.h"
#include "chart/model/GraphParamArray.h"
#include "common/tank/DataTankList.h"
#include "common/tank/FltDataTank.h"
#include "docbase/doc/KivDocBase.h"

namespace {

class TenSamples : public CKivDocBase {
public:
    TenSamples()
    {
        m_docIdent = CDocIdent(6, 66);
        SetTitle("data");
        for (int c = 0; c < 3; ++c) {
            auto* tank = new CFltDataTank;
            tank->SetName(c == 0 ? "T" : "V");
            for (int i = 0; i < 10; ++i)
                tank->SetValue(i, c * 100 + i);
            m_list.AddTank(tank, false);
        }
    }
    CDataTankList* GetChannelTankList() override { return &m_list; }
    CDataTankList m_list;
};

class Lookup : public IGraphDocumentLookup {
public:
    const fw::CDocument* FindDocument(const CDocIdent& ident) const override
    {
        return doc && ident == doc->GetDocIdent() ? doc : nullptr;
    }
    const CKivDocBase* doc = nullptr;
};

void FillList(CSimpleGraphPrfList& list, int kind, int16_t lineFlag)
{
    list.m_creationKind = kind;
    auto* head = new CGraphPrf;
    head->m_lineStyle = lineFlag;
    list.Add(head);
    auto* profile = new CGraphPrf;
    profile->m_docIdent = CDocIdent(6, 66);
    profile->m_strSourceName = "data";
    profile->m_xChannels = {0};
    profile->m_xListKinds = {2};
    profile->m_yChannels = {2};
    profile->m_yListKinds = {2};
    list.Add(profile);
}

TEST_F(SimpleGraphTest, ProfilesBecomeSeriesOfTheDocumentsTanks)
{
    TenSamples doc;
    Lookup lookup;
    lookup.doc = &doc;
    fw::ScopedInstall<IGraphDocumentLookup> installed(lookup);

    CSimpleGraphObj graph(fw::CRect(0, 0, 2000, 1500), 0, 1);
    CSimpleGraphPrfList list;
    FillList(list, 1, 0);
    graph.SetPrfList(list);
    ASSERT_EQ(graph.Draw().GetSeriesCount(), 1);
    CGraphParamArray* series = graph.Draw().GetSeries(0);
    EXPECT_EQ(series->GetItemTank(0), doc.GetChannelTank(0, 2));
    EXPECT_EQ(series->GetItemTank(1), doc.GetChannelTank(2, 2));
    EXPECT_EQ(series->GetStyle().linePattern, 0);
    EXPECT_EQ(graph.GetCreationKind(), 1);

    // The list the graph gives back rebuilds the same graph; with the
    // document closed the series keep their tanks.
    CSimpleGraphPrfList again;
    ASSERT_TRUE(graph.GetPrfList(again));
    ASSERT_EQ(again.GetSize(), 2);
    EXPECT_EQ(again.GetAt(1)->m_yChannels, std::vector<int32_t>{2});
    EXPECT_EQ(again.GetAt(1)->m_docIdent, CDocIdent(6, 66));
    lookup.doc = nullptr;
    graph.SetPrfList(again);
    ASSERT_EQ(graph.Draw().GetSeriesCount(), 1);
    EXPECT_EQ(graph.Draw().GetSeries(0)->GetItemTank(1), doc.GetChannelTank(2, 2));
}

TEST_F(SimpleGraphTest, AProfileWithoutChannelsIsRefused)
{
    TenSamples doc;
    Lookup lookup;
    lookup.doc = &doc;
    fw::ScopedInstall<IGraphDocumentLookup> installed(lookup);
    CSimpleGraphObj graph(fw::CRect(0, 0, 2000, 1500), 0, 1);
    CSimpleGraphPrfList list;
    FillList(list, 0, -1);
    list.GetAt(1)->m_yChannels.clear();
    EXPECT_THROW(graph.SetPrfList(list), std::exception);
}

} // namespace

namespace {

TEST_F(SimpleGraphTest, AClonePlotsTheSameTanks)
{
    TenSamples doc;
    Lookup lookup;
    lookup.doc = &doc;
    fw::ScopedInstall<IGraphDocumentLookup> installed(lookup);
    CSimpleGraphObj graph(fw::CRect(0, 0, 2000, 1500), 0, 1);
    CSimpleGraphPrfList list;
    FillList(list, 2, -1);
    graph.SetPrfList(list);
    std::unique_ptr<CDrawObj> copy(graph.Clone(nullptr));
    auto* clone = dynamic_cast<CSimpleGraphObj*>(copy.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetCreationKind(), 2);
    ASSERT_EQ(clone->Draw().GetSeriesCount(), 1);
    EXPECT_EQ(clone->Draw().GetSeries(0)->GetItemTank(1), doc.GetChannelTank(2, 2));
    EXPECT_EQ(graph.Draw().GetSeriesCount(), 1);
}

} // namespace
