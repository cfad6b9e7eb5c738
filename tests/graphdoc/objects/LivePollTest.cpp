// One poll of the measurement panel (hint 20) on a page with two monitors
// and a monitor graph: every object only marks its area dirty, and the
// page asks its views to repaint once, so the window system merges the
// areas into one paint.

#include "chart/model/GraphDocumentLookup.h"
#include "common/tank/DataTankList.h"
#include "common/tank/FltDataTank.h"
#include "docbase/doc/KivDocBase.h"
#include "docbase/doc/UpdateHints.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "graphdoc/model/objects/DrawMoniDataObj.h"
#include "graphdoc/model/objects/SimpleGraphObj.h"

#include <gtest/gtest.h>

namespace {

class PolledDoc : public CKivDocBase {
public:
    PolledDoc()
    {
        m_docIdent = CDocIdent(8, 88);
        for (int i = 0; i < 4; ++i) {
            auto* tank = new CFltDataTank;
            tank->SetValue(0, i);
            m_list.AddTank(tank, false);
        }
    }
    CDataTankList* GetChannelTankList() override { return &m_list; }
    CDataTankList m_list;
};

class OneDoc : public IGraphDocumentLookup {
public:
    const fw::CDocument* FindDocument(const CDocIdent& ident) const override
    {
        return ident == doc->GetDocIdent() ? doc : nullptr;
    }
    const CKivDocBase* doc = nullptr;
};

class HintLog : public fw::IDocumentView {
public:
    fw::CView* AsView() override { return nullptr; }
    void OnDocumentUpdate(fw::CView*, intptr_t hint, fw::CObject*) override { hints.push_back(hint); }
    std::vector<intptr_t> hints;
};

TEST(LivePoll, ObjectsMarkTheirAreasAndThePageRepaintsOnce)
{
    PolledDoc project;
    OneDoc lookup;
    lookup.doc = &project;
    fw::ScopedInstall<IGraphDocumentLookup> installed(lookup);
    CMoniDataPrf profile;
    profile.m_docIdent = project.GetDocIdent();
    profile.m_channel = 1;
    DefaultMonitorProfile() = profile;

    CGraphViewDoc page;
    page.m_pageSize = fw::CSize(2000, 1500);
    auto* graph = new CSimpleGraphObj(page.GetPageRect(), 0, 1);
    graph->SetCreationKind(9);
    graph->Draw().m_dataMode = 1;
    page.AddObject(graph);
    page.AddObject(new CDrawMoniDataObj(fw::CRect(10, 10, 20, 20)));
    page.AddObject(new CDrawMoniDataObj(fw::CRect(30, 30, 40, 40)));
    page.DispatchUpdate(19, nullptr);

    HintLog log;
    page.AddView(&log);
    CUpdateDataDoc poll(&project);
    page.DispatchUpdate(20, &poll);
    page.RemoveView(&log);
    DefaultMonitorProfile() = CMoniDataPrf();

    EXPECT_EQ(std::count(log.hints.begin(), log.hints.end(), kHintInvalidateObject), 3);
    EXPECT_EQ(std::count(log.hints.begin(), log.hints.end(), kHintRedrawObject), 0);
    EXPECT_EQ(std::count(log.hints.begin(), log.hints.end(), kHintRedrawInvalid), 1);
    EXPECT_EQ(log.hints.back(), kHintRedrawInvalid);
}

} // namespace
