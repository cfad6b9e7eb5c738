#include "canvoicegps/views/settings/CanPageView.h"

#include "canvoicegps/views/SplitterPane.h"
#include "canvoicegps/views/settings/CanNodeBitsView.h"
#include "canvoicegps/views/settings/CanNodeView.h"
#include "canvoicegps/views/settings/CanSetView.h"
#include "canvoicegps/views/settings/CanSignalView.h"
#include "framework/ui/FrameWnd.h"

#include <QSplitter>

FW_IMPLEMENT_DYNCREATE(CCanPageView, fw::CView)

namespace {

constexpr int kTreeWidth = 150;
constexpr int kGridWidth = 560;
constexpr int kTopHeight = 200;
constexpr int kRest = 1 << 20;

} // namespace

CCanPageView::CCanPageView() = default;

QWidget* CCanPageView::CreateViewWidget(QWidget* parent)
{
    m_splitter = new QSplitter(Qt::Horizontal, parent);
    m_splitter->setChildrenCollapsible(false);
    return m_splitter;
}

bool CCanPageView::Create(QWidget* parent, fw::CDocument* document)
{
    if (!fw::CView::Create(parent, document))
        return false;
    auto* right = new QSplitter(Qt::Vertical);
    right->setChildrenCollapsible(false);
    auto* top = new QSplitter(Qt::Horizontal, right);
    top->setChildrenCollapsible(false);
    // The grids join the document before the tree, so that their initial
    // updates have made their tables when the tree's first choice reaches
    // them.
    m_pMessages = MakeSplitterPane<CCanNodeView>(top, document);
    m_pBits = MakeSplitterPane<CCanNodeBitsView>(top, document);
    m_pSignals = MakeSplitterPane<CCanSignalView>(right, document);
    m_pTree = new CCanSetView;  // deleted with its window
    m_pTree->Create(m_splitter, document);
    m_splitter->addWidget(m_pTree->Widget());
    m_splitter->addWidget(right);
    m_splitter->setSizes({kTreeWidth, kRest});
    right->setSizes({kTopHeight, kRest});
    top->setSizes({kGridWidth, kGridWidth});
    Pair();
    return true;
}

void CCanPageView::Pair()
{
    m_pTree->SetGrids(m_pMessages, m_pSignals);
    m_pMessages->SetSignalView(m_pSignals);
    m_pMessages->SetTreeView(m_pTree);
    m_pSignals->SetTreeView(m_pTree);
    m_pSignals->SetBitsView(m_pBits);
    m_pBits->SetSignalView(m_pSignals);
}

void CCanPageView::OnActivateView(bool activate, fw::CView*, fw::CView*)
{
    fw::CFrameWnd* frame = GetParentFrame();
    if (activate && frame && m_pTree && frame->GetActiveView() == this)
        frame->SetActiveView(m_pTree);
}
