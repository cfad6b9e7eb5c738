#include "canvoicegps/views/data/GpsGraphView.h"

#include "canvoicegps/model/UpdateSelArea.h"
#include "canvoicegps/views/data/CanGpsGraphRows.h"
#include "canvoicegps/views/data/GpsListViews.h"
#include "chart/model/DrawMarkerList.h"
#include "data/model/KivDataDoc.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/DC.h"

FW_IMPLEMENT_DYNCREATE(CGpsGraphView, fw::CView)

FW_BEGIN_COMMANDS(CGpsGraphView, fw::CView)
    FW_ON_COMMAND(CGpsGraphView::kIdTextSave, &CGpsGraphView::OnSaveText)
    FW_ON_UPDATE(CGpsGraphView::kIdTextSave, &CGpsGraphView::OnUpdateListCommand)
    FW_ON_COMMAND(CGpsGraphView::kIdSetSelect, &CGpsGraphView::OnSetSelect)
    FW_ON_UPDATE(CGpsGraphView::kIdSetSelect, &CGpsGraphView::OnUpdateListCommand)
    FW_ON_COMMAND(CGpsGraphView::kIdDeleteMarkers, &CGpsGraphView::OnDeleteMarkers)
    FW_ON_UPDATE(CGpsGraphView::kIdDeleteMarkers, &CGpsGraphView::OnUpdateDeleteMarkers)
    FW_ON_COMMAND(CGpsGraphView::kIdUndo, &CGpsGraphView::OnEditUndo)
    FW_ON_UPDATE(CGpsGraphView::kIdUndo, &CGpsGraphView::OnUpdateUndo)
FW_END_COMMANDS

CGpsGraphView::CGpsGraphView() : m_markers(std::make_unique<CDrawMarkerList>()) {}

CGpsGraphView::~CGpsGraphView() = default;

CKivDataDoc* CGpsGraphView::GetDataDoc() const { return dynamic_cast<CKivDataDoc*>(GetDocument()); }

void CGpsGraphView::OnInitialUpdate()
{
    fw::CView::OnInitialUpdate();
    CKivDataDoc* doc = GetDataDoc();
    CDataTankObject* longitude = nullptr;
    CDataTankObject* latitude = nullptr;
    if (doc && doc->FindGpsPositionTanks(longitude, latitude))
        m_track.SetTrack(longitude, latitude);
    // The GPS graph announces its selection to this document's views.
    if (doc)
        GpsGraphOf(*doc);
    const fw::CRect client = GetClientRect();
    m_plotRect = CGpsTrackPicture::PlotRectFor(client);
    RebuildMarkers();
}

void CGpsGraphView::OnSize(unsigned, int cx, int cy)
{
    m_plotRect = CGpsTrackPicture::PlotRectFor(fw::CRect(0, 0, cx, cy));
}

void CGpsGraphView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    switch (hint) {
    case kHintRepaint:
        Invalidate();
        return;
    case kHintData: {
        const auto* data = dynamic_cast<const CUpdateKivData*>(hintObject);
        if (data && (data->m_changeFlags & (kChangeData | kChangeRows))) {
            RebuildMarkers();
            m_track.Rescale();
        }
        Invalidate();
        return;
    }
    case kHintSelArea:
        // The track picture stays: only the highlight is drawn again.
        if (const auto* area = dynamic_cast<const CUpdateSelArea*>(hintObject)) {
            m_track.SetHighlight(area->m_first, area->m_last);
            Invalidate(false);
        }
        return;
    case kHintMarkerSelection:
        if (auto* other = dynamic_cast<CDrawMarkerList*>(hintObject); other && other != m_markers.get() &&
                                                                      sender != this)
            m_markers->CopySelection(*other);
        Invalidate(false);
        return;
    case kHintMarkers:
        RebuildMarkers();
        Invalidate(false);
        return;
    default:
        return;
    }
}

void CGpsGraphView::OnDraw(fw::CDC* dc)
{
    if (!dc)
        return;
    const int saved = dc->SaveDC();
    const bool printing = dc->IsPrinting();
    if (printing)
        m_track.Print(*dc, m_plotRect);
    else
        m_track.Paint(*dc, m_plotRect);
    CKivDataDoc* doc = GetDataDoc();
    if (doc && doc->IsShowingMarkers())
        DrawMarkers(*dc, m_plotRect);
    if (!printing && !m_rcBand.IsRectEmpty()) {
        dc->SelectStockObject(fw::NULL_BRUSH);
        dc->Rectangle(m_rcBand);
    }
    dc->RestoreDC(saved);
}

void CGpsGraphView::OnSaveText()
{
    if (m_pList)
        m_pList->OnCmdMsg(kIdTextSave, fw::CN_COMMAND, nullptr, nullptr);
}

void CGpsGraphView::OnSetSelect()
{
    if (m_pList)
        m_pList->OnSetSelect();
}

void CGpsGraphView::OnUpdateListCommand(fw::CCmdUI* ui) { ui->Enable(m_pList != nullptr); }
