#include "chart/model/GraphUpdateHints.h"
#include "docbase/graphpage/DrawObj.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "graphdoc/model/GraphDocClasses.h"
#include "graphdoc/model/GraphPageHost.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "graphdoc/views/GraphUpdateDlgs.h"
#include "graphdoc/views/GraphView.h"
#include "tests/support/ui/DialogFixture.h"

namespace {

using appuitest::Click;

// Records the plot-range hints it gets.
class CRangeStub : public CDrawObj {
public:
    intptr_t OnUpdate(intptr_t hint, fw::CObject* object) override
    {
        if (auto* step = dynamic_cast<CUpdateGraphStep*>(object))
            seen.push_back({hint, step->m_key, step->m_first, step->m_second});
        return 0;
    }
    struct Seen {
        intptr_t hint;
        int32_t key, first, last;
        bool operator==(const Seen&) const = default;
    };
    std::vector<Seen> seen;
};

class GraphUpdateDlgsTest : public appuitest::DialogFixture {
protected:
    GraphUpdateDlgsTest() : scope(host)
    {
        RegisterGraphDocClasses();
        host.m_documents[129] = {};
        host.m_documents[130] = {};
        doc.m_bAutoDelete = false;
        doc.m_pageSize = fw::CSize(400, 300);
        doc.SetTitle("g.kivg");
        view.AttachDocument(&doc);
    }
    ~GraphUpdateDlgsTest() override { view.AttachDocument(nullptr); }

    CGraphPageHost host;
    fw::ScopedInstall<IGraphPageHost> scope;
    CGraphViewDoc doc;
    CGraphView view;
};

TEST_F(GraphUpdateDlgsTest, PlotRangeGoesToThePageTwiceForDataGraphs)
{
    auto* stub = new CRangeStub;
    doc.AddObject(stub);
    dialogs.On(CGraphUpdateDlg::IDD, [](fw::CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(CGraphUpdateDlg::IDC_TITLE), "グラフ名：g.kivg");
        d.GetDlgItem(CGraphUpdateDlg::IDC_START)->SetWindowText("11");
        d.GetDlgItem(CGraphUpdateDlg::IDC_END)->SetWindowText("200");
        Click(d, fw::IDOK);
        return 0;
    });
    view.OnUpdatePlotRange();
    using Seen = CRangeStub::Seen;
    EXPECT_EQ(stub->seen, (std::vector<Seen>{{24, 2, 10, 199}, {24, 5, 10, 199}}));
}

TEST_F(GraphUpdateDlgsTest, RangeLimits)
{
    services.prompt.ExpectText("", fw::IDOK);
    dialogs.On(CGraphUpdateDlg::IDD, [](fw::CDialog& d) {
        d.GetDlgItem(CGraphUpdateDlg::IDC_END)->SetWindowText("10000001");
        Click(d, fw::IDOK);
        EXPECT_FALSE(d.IsEnded());
        Click(d, fw::IDCANCEL);
        return 0;
    });
    CGraphUpdateDlg dialog(&doc);
    EXPECT_EQ(dialog.DoModal(), fw::IDCANCEL);
}

} // namespace
