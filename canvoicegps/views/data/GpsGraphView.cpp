#include "canvoicegps/views/data/GpsGraphView.h"

#include "canvoicegps/model/UpdateSelArea.h"
#include "data/model/KivDataDoc.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/DC.h"

FW_IMPLEMENT_DYNCREATE(CGpsGraphView, fw::CView)

CGpsGraphView::CGpsGraphView() = default;
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
    const fw::CRect client = GetClientRect();
    m_plotRect = CGpsTrackPicture::PlotRectFor(client);
}

void CGpsGraphView::OnSize(unsigned, int cx, int cy)
{
    m_plotRect = CGpsTrackPicture::PlotRectFor(fw::CRect(0, 0, cx, cy));
}

void CGpsGraphView::OnUpdate(fw::CView*, intptr_t hint, fw::CObject* hintObject)
{
    switch (hint) {
    case kHintRepaint:
        Invalidate();
        return;
    case kHintData: {
        const auto* data = dynamic_cast<const CUpdateKivData*>(hintObject);
        if (data && (data->m_changeFlags & (kChangeData | kChangeRows)))
            m_track.Rescale();
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
    default:
        return;
    }
}

void CGpsGraphView::OnDraw(fw::CDC* dc)
{
    if (!dc)
        return;
    const int saved = dc->SaveDC();
    if (dc->IsPrinting())
        m_track.Print(*dc, m_plotRect);
    else
        m_track.Paint(*dc, m_plotRect);
    dc->RestoreDC(saved);
}
