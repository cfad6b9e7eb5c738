#include "graphdoc/views/GraphPageMaker.h"

#include "common/tank/DataTankList.h"
#include "docbase/doc/KivDocBase.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Services.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/View.h"
#include "graphdoc/model/DrawTextObj.h"
#include "graphdoc/model/GraphDataRules.h"
#include "graphdoc/model/GraphPageHost.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "graphdoc/model/objects/DrawPowObj.h"
#include "graphdoc/model/objects/SimpleGraphObj.h"
#include "graphdoc/views/GraphPropaty.h"
#include "graphdoc/views/objects/PowGraphDlg.h"
#include "project/model/ProjectHost.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <new>
#include <optional>

namespace {

constexpr int kUnchanged = -2;
constexpr unsigned kProjectTemplate = 129;
constexpr unsigned kDataTemplate = 130;
constexpr int kHistoryType = 8;
constexpr int32_t kHistoryTickLabel = 3;

const CGraphPageMaker::TypeRow kRows[CGraphPageMaker::kTypeCount] = {
    {32870, 0, 1, 0, 0, 0, -1},
    {32871, 0, 1, 0, 0, 0, 0},
    {32872, 0, 1, 0, 0, 0, -1},
    {32876, 1, 31, 2, 1, 2, kUnchanged},
    {32877, 1, 32, 2, 1, 2, kUnchanged},
    {32874, 1, 33, 2, 1, 2, kUnchanged},
    {32875, 1, 34, 2, 1, 2, kUnchanged},
    {32873, 0, 1, 0, 1, 0, -1},
    {32815, 2, 10, 0, 1, 0, -1},
    {32821, 0, 1, 1, 1, 1, -1},
    {32822, 0, 1, 1, 1, 1, -1},
};

int MaxDataCount(CKivDocBase& document)
{
    int count = 0;
    if (CDataTankList* tanks = document.GetChannelTankList())
        for (int i = 0; i < tanks->GetSize(); ++i)
            if (CDataTankObject* tank = tanks->GetObjectAt(i))
                count = std::max(count, tank->GetDataCount());
    return std::max(count, 1);
}

// The open project and measurement-data documents, as the graph dialogs list them.
std::vector<CKivDocBase*> SourceDocuments()
{
    std::vector<CKivDocBase*> all;
    for (unsigned id : {kProjectTemplate, kDataTemplate}) {
        std::vector<CKivDocBase*> documents;
        if (GraphPageHost().DocumentsOfTemplate(id, documents))
            all.insert(all.end(), documents.begin(), documents.end());
    }
    return all;
}

void RefreshFrameTitles(CGraphViewDoc& page)
{
    fw::POSITION pos = page.GetFirstViewPosition();
    while (pos) {
        fw::CView* view = page.GetNextView(pos);
        if (!view || !view->IsWindowVisible())
            continue;
        if (fw::CFrameWnd* frame = view->GetParentFrame())
            frame->OnUpdateFrameTitle(true);
    }
}

// The page's legend and the source's test title over the page.
void AddLegendAndTitle(CGraphViewDoc& page, CKivDocBase& document)
{
    page.AddLegend();
    std::unique_ptr<CDrawTextObj> text;
    try {
        text = std::make_unique<CDrawTextObj>(page.GetPageRect(), document.GetTestTitle());
        text->ResetSize();
    } catch (const std::bad_alloc&) {
        // The page stands without its title.
    }
    RefreshFrameTitles(page);
    if (text)
        page.AddObject(text.release());
}

// Builds a page while the panel's polling is stopped; a failure closes the
// half-made page and says so.
template <class Graph, class Build> Graph* BuildPage(Build&& build)
{
    CGraphViewDoc* page = nullptr;
    try {
        CPollingPause pause;
        page = GraphPageHost().OpenNewGraphPage();
        if (!page)
            return nullptr;
        return build(*page);
    } catch (const std::exception&) {
        if (page)
            page->OnCloseDocument();
        fw::AfxMessageBox(CGraphPageMaker::kTextCannotCreate);
        return nullptr;
    }
}

} // namespace

const CGraphPageMaker::TypeRow& CGraphPageMaker::Row(int type)
{
    if (type < 0 || type >= kTypeCount)
        fw::ThrowInvalidArgException();
    return kRows[type];
}

int CGraphPageMaker::TypeOfCommand(unsigned command)
{
    for (int type = 0; type < kTypeCount; ++type)
        if (kRows[type].command == command)
            return type;
    return -1;
}

CGraphPageMaker::CGraphPageMaker()
{
    m_spectrum.Add(new CGraphPrf);
    auto* series = new CGraphPrf;
    series->m_yChannels = {0};
    series->m_yListKinds = {CKivDocBase::kChannelList};
    m_spectrum.Add(series);
}

CSimpleGraphObj* CGraphPageMaker::CreateSimpleGraph(CKivDocBase& document, int type)
{
    const TypeRow& row = Row(type);
    CSimpleGraphPrfList list;
    try {
        auto profile = std::make_unique<CGraphPrf>();
        if (row.markerKind != kUnchanged)
            profile->m_lineStyle = static_cast<int16_t>(row.markerKind);
        if (type == kHistoryType)
            profile->m_xTickLabel = kHistoryTickLabel;
        profile->m_docIdent = document.GetDocIdent();
        profile->m_strSourceName = document.GetTitle();
        profile->m_rangeEnd = row.monitor == 1 ? graphdata::kMaxMonitorRange : MaxDataCount(document);
        list.Add(profile.release());
    } catch (const std::bad_alloc& e) {
        fw::ReportException(e);
        return nullptr;
    }
    list.m_creationKind = type;
    list.m_autoScroll = type == 10 ? 1 : 0;
    CGraphPropaty dialog(list, row.kind, row.subMode);
    dialog.m_nMonitor = row.monitor;
    dialog.m_nProjectOnly = row.projectOnly;
    if (dialog.DoModal() != fw::IDOK)
        return nullptr;
    return BuildPage<CSimpleGraphObj>([&](CGraphViewDoc& page) {
        auto graph = std::make_unique<CSimpleGraphObj>(page.GetPageRect(), row.kind, row.subMode);
        graph->Draw().m_dataMode = row.dataMode;
        graph->SetPrfList(list);
        CSimpleGraphObj* made = graph.get();
        page.AddObject(graph.release());
        AddLegendAndTitle(page, document);
        return made;
    });
}

CDrawPowObj* CGraphPageMaker::CreatePowerSpectrumGraph(CKivDocBase& document)
{
    if (m_spectrum.GetSize() < 2)
        fw::ThrowInvalidArgException();
    CGraphPrf& profile = *m_spectrum.GetAt(1);
    profile.m_docIdent = document.GetDocIdent();
    profile.m_strSourceName = document.GetTitle();
    profile.m_rangeEnd = MaxDataCount(document);
    m_spectrum.m_pow.m_docIdent = document.GetDocIdent();
    m_spectrum.m_pow.m_strName = document.GetTitle();
    CPowGraphDlg dialog(m_spectrum, SourceDocuments());
    if (dialog.DoModal() != fw::IDOK)
        return nullptr;
    return BuildPage<CDrawPowObj>([&](CGraphViewDoc& page) {
        auto graph = std::make_unique<CDrawPowObj>(page.GetPageRect());
        graph->Draw().m_dataMode = 0;
        graph->SetPrfList(m_spectrum);
        CDrawPowObj* made = graph.get();
        page.AddObject(graph.release());
        AddLegendAndTitle(page, document);
        return made;
    });
}

CGraphPageMaker& GraphPageMaker()
{
    static CGraphPageMaker maker;
    return maker;
}
