#include "canvoicegps/views/data/GpsPageView.h"

#include "canvoicegps/views/SplitterPane.h"
#include "canvoicegps/views/data/GpsGraphView.h"
#include "canvoicegps/views/data/GpsListViews.h"
#include "framework/ui/FrameWnd.h"

#include <QSplitter>

FW_IMPLEMENT_DYNCREATE(CGpsPageView, fw::CView)

namespace {

// The track's row and column start 400 pixels wide and shrink to 100.
constexpr int kTrackSide = 400;
constexpr int kTrackMinimum = 100;
constexpr int kRest = 1 << 20;

} // namespace

CGpsPageView::CGpsPageView() = default;

QWidget* CGpsPageView::CreateViewWidget(QWidget* parent)
{
    m_splitter = new QSplitter(Qt::Vertical, parent);
    m_splitter->setChildrenCollapsible(false);
    return m_splitter;
}

bool CGpsPageView::Create(QWidget* parent, fw::CDocument* document)
{
    if (!fw::CView::Create(parent, document))
        return false;
    auto* top = new QSplitter(Qt::Horizontal, m_splitter);
    top->setChildrenCollapsible(false);
    m_splitter->addWidget(top);
    m_pTrack = MakeSplitterPane<CGpsGraphView>(top, document);
    m_pList = MakeSplitterPane<CGpsDataListView>(top, document);
    m_pGraphs = MakeSplitterPane<CGpsGraphListView>(m_splitter, document);
    m_pTrack->SetListView(m_pList);
    top->setMinimumHeight(kTrackMinimum);
    if (QWidget* track = m_pTrack->Widget())
        track->setMinimumWidth(kTrackMinimum);
    top->setSizes({kTrackSide, kRest});
    m_splitter->setSizes({kTrackSide, kRest});
    return true;
}

void CGpsPageView::OnActivateView(bool activate, fw::CView*, fw::CView*)
{
    fw::CFrameWnd* frame = GetParentFrame();
    if (activate && frame && m_pTrack && frame->GetActiveView() == this)
        frame->SetActiveView(m_pTrack);
}
