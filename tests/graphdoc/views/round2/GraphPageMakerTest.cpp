// Graph pages made from a data document: the profile each graph type
// starts from, the page with graph, legend and title under paused polling,
// nothing made when the settings are cancelled, and the spectrum settings
// kept from one spectrum graph to the next.

#include "chart/model/GraphDocumentLookup.h"
#include "common/tank/DataTankList.h"
#include "common/tank/FltDataTank.h"
#include "docbase/doc/KivDocBase.h"
#include "framework/core/ServiceSlot.h"
#include "graphdoc/model/DrawTextObj.h"
#include "graphdoc/model/GraphDocClasses.h"
#include "graphdoc/model/GraphPageHost.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "graphdoc/model/objects/DrawPowObj.h"
#include "graphdoc/model/objects/GraphObjectClasses.h"
#include "graphdoc/model/objects/SimpleGraphObj.h"
#include "docview/naming/NameListCtrl.h"
#include "graphdoc/views/GraphDataPages.h"
#include "graphdoc/views/GraphPageMaker.h"
#include "graphdoc/views/GraphPropaty.h"
#include "graphdoc/views/objects/PowGraphDlg.h"
#include "project/model/ProjectHost.h"
#include "tests/support/ui/DialogFixture.h"

#include <QItemSelectionModel>
#include <QTableWidget>

#include <memory>

namespace {

using appuitest::Click;

class EmptyTanks : public CKivDocBase {
public:
    explicit EmptyTanks(int samples)
    {
        m_docIdent = CDocIdent(4, 44);
        SetTitle("run.kivd");
        SetTestTitle("engine test");
        for (int c = 0; c < 3; ++c) {
            auto* tank = new CFltDataTank;
            tank->SetName(c == 0 ? "T" : "V");
            for (int i = 0; i < samples; ++i)
                tank->SetValue(i, i);
            m_list.AddTank(tank, false);
        }
    }
    CDataTankList* GetChannelTankList() override { return &m_list; }
    CDataTankList m_list;
};

class PageHost : public CGraphPageHost {
public:
    CGraphViewDoc* OpenNewGraphPage() override
    {
        auto page = std::make_unique<CGraphViewDoc>();
        page->m_bAutoDelete = false;
        page->m_pageSize = fw::CSize(2000, 1400);
        pages.push_back(std::move(page));
        return pages.back().get();
    }
    std::vector<std::unique_ptr<CGraphViewDoc>> pages;
};

class PollingLog : public IProjectHost {
public:
    CMeterInterfacePrf& MeterProfile() override { return *meter; }
    CADSetPrf& AdDefaults() override { return ad; }
    CMeterInterfacePrf* meter = nullptr;
    CADSetPrf ad;
    void StopPanelPolling() override { log += "stop "; }
    void RestartPanelPolling() override { log += "restart "; }
    std::string log;
};

class Lookup : public IGraphDocumentLookup {
public:
    const fw::CDocument* FindDocument(const CDocIdent& ident) const override
    {
        return doc && ident == doc->GetDocIdent() ? doc : nullptr;
    }
    const CKivDocBase* doc = nullptr;
};

class GraphPageMakerTest : public appuitest::DialogFixture {
protected:
    GraphPageMakerTest() : hostScope(host), pollingScope(polling), lookupScope(lookup)
    {
        RegisterGraphDocClasses();
        RegisterGraphObjectClasses();
        host.m_documents[129] = {};
        host.m_documents[130] = {&doc};
        lookup.doc = &doc;
    }

    EmptyTanks doc{25};
    PageHost host;
    PollingLog polling;
    Lookup lookup;
    fw::ScopedInstall<IGraphPageHost> hostScope;
    fw::ScopedInstall<IProjectHost> pollingScope;
    fw::ScopedInstall<IGraphDocumentLookup> lookupScope;
    CGraphPageMaker maker;
};

TEST_F(GraphPageMakerTest, CommandsMapToTheirGraphTypes)
{
    EXPECT_EQ(CGraphPageMaker::TypeOfCommand(32870), 0);
    EXPECT_EQ(CGraphPageMaker::TypeOfCommand(32871), 1);
    EXPECT_EQ(CGraphPageMaker::TypeOfCommand(32815), 8);
    EXPECT_EQ(CGraphPageMaker::TypeOfCommand(32822), 10);
    EXPECT_EQ(CGraphPageMaker::TypeOfCommand(32940), -1);
    EXPECT_EQ(CGraphPageMaker::Row(5).subMode, 33);
}

TEST_F(GraphPageMakerTest, TheDialogStartsFromTheTypesProfile)
{
    struct Row {
        const char* name;
        int type;
        int16_t marker;
        int32_t values;
        int32_t firstSetting;
        int scroll;
    };
    // A history graph's range counts cycles, which start as one.
    const Row rows[] = {
        {"line", 0, -1, 25, 1, 0},
        {"scatter", 1, 0, 25, 1, 0},
        {"line monitor", 9, -1, 507904, 1, 0},
        {"elapsed monitor", 10, -1, 507904, 1, 1},
        {"history", 8, -1, 1, 3, 0},
    };
    for (const Row& r : rows) {
        dialogs.On(CGraphPropaty::IDD, [&](fw::CDialog& base) -> int {
            auto& d = static_cast<CGraphPropaty&>(base);
            const CSimpleGraphPrfList& list = d.GetPrfList();
            EXPECT_EQ(d.m_nMonitor, CGraphPageMaker::Row(r.type).monitor) << r.name;
            EXPECT_EQ(list.m_creationKind, r.type) << r.name;
            EXPECT_EQ(list.m_autoScroll, r.scroll) << r.name;
            EXPECT_EQ(list.GetAt(0)->m_lineStyle, r.marker) << r.name;
            EXPECT_EQ(list.GetAt(0)->m_rangeEnd, r.values) << r.name;
            EXPECT_EQ(list.GetAt(0)->m_xTickLabel, r.firstSetting) << r.name;
            EXPECT_EQ(list.GetAt(0)->m_docIdent, doc.GetDocIdent()) << r.name;
            return fw::IDCANCEL;
        });
        EXPECT_EQ(maker.CreateSimpleGraph(doc, r.type), nullptr) << r.name;
    }
    // Cancelled: no page, polling untouched.
    EXPECT_TRUE(host.pages.empty());
    EXPECT_EQ(polling.log, "");
}

TEST_F(GraphPageMakerTest, ALineGraphPageHoldsGraphLegendAndTestTitle)
{
    dialogs.On(CGraphPropaty::IDD, [&](fw::CDialog& base) -> int {
        auto& d = static_cast<CGraphPropaty&>(base);
        CGraphDataPage& page = *d.DataPage();
        for (auto [list, row] : {std::pair{page.XList(), 0}, std::pair{page.YList(), 1}}) {
            QTableWidget* table = list->Table();
            table->selectionModel()->select(table->model()->index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        Click(d, CGraphPropaty::IDC_CREATE);
        d.OnOK();
        return fw::IDCANCEL;
    });
    CSimpleGraphObj* graph = maker.CreateSimpleGraph(doc, 0);
    ASSERT_NE(graph, nullptr);
    ASSERT_EQ(host.pages.size(), 1u);
    CGraphViewDoc& page = *host.pages[0];
    EXPECT_EQ(polling.log, "stop restart ");
    const fw::CRect area = graph->GetPosition();
    EXPECT_TRUE(area.left >= 0 && area.top >= 0 && area.right <= 2000 && area.bottom <= 1400);
    EXPECT_GT(area.Width(), 1000);
    EXPECT_EQ(graph->GetCreationKind(), 0);
    EXPECT_EQ(graph->Draw().GetSeriesCount(), 1);
    const auto& objects = page.GetObjects();
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0], graph);
    EXPECT_TRUE(IsKindOfClassName(objects[1], "CDrawLegObj"));
    auto* title = dynamic_cast<CDrawTextObj*>(objects[2]);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->m_strText, "engine test");
}

TEST_F(GraphPageMakerTest, TheSecondSpectrumStartsFromTheFirstsSettings)
{
    int windowShown = -1;
    dialogs.On(CPowGraphDlg::IDD, [&](fw::CDialog& d) -> int {
        d.GetDlgItemAs<fw::CListBox>(CPowGraphDlg::IDC_CHANNELS)->SetCurSel(1);
        d.GetDlgItemAs<fw::CButton>(CPowGraphDlg::IDC_WINDOW + 2)->Click();
        d.OnOK();
        return fw::IDCANCEL;
    });
    dialogs.On(CPowGraphDlg::IDD, [&](fw::CDialog& d) -> int {
        windowShown = static_cast<CPowGraphDlg&>(d).m_nWindow;
        return fw::IDCANCEL;
    });
    CDrawPowObj* spectrum = maker.CreatePowerSpectrumGraph(doc);
    ASSERT_NE(spectrum, nullptr);
    EXPECT_EQ(spectrum->GetPowPrf().m_channel, 1);
    ASSERT_EQ(host.pages.size(), 1u);
    EXPECT_TRUE(IsKindOfClassName(host.pages[0]->GetObjects()[1], "CDrawPowLegObj"));
    EXPECT_EQ(maker.CreatePowerSpectrumGraph(doc), nullptr);
    EXPECT_EQ(windowShown, 2);
    EXPECT_EQ(host.pages.size(), 1u);
}

} // namespace
