#include "canvoicegps/views/data/GpsGraphView.h"

#include "canvoicegps/model/UpdateSelArea.h"
#include "canvoicegps/views/data/CanGpsGraphRows.h"
#include "canvoicegps/views/data/GpsListViews.h"
#include "chart/model/DrawMarkerList.h"
#include "chart/model/GrClip.h"
#include "common/base/LogFont.h"
#include "data/model/KivDataDoc.h"
#include "docbase/doc/UpdateHints.h"
#include "docview/controls/ZELEdit.h"
#include "framework/core/DC.h"
#include "framework/core/PrintInfo.h"
#include "framework/core/StandardCommands.h"

#include <QApplication>
#include <QLineEdit>

#include <algorithm>

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
    FW_ON_COMMAND(fw::ID_EDIT_CLEAR, &CGpsGraphView::OnEditClear)
    FW_ON_UPDATE(fw::ID_EDIT_CLEAR, &CGpsGraphView::OnUpdateEditCommand)
    FW_ON_COMMAND(fw::ID_EDIT_COPY, &CGpsGraphView::OnEditCopy)
    FW_ON_UPDATE(fw::ID_EDIT_COPY, &CGpsGraphView::OnUpdateEditCommand)
    FW_ON_COMMAND(fw::ID_EDIT_CUT, &CGpsGraphView::OnEditCut)
    FW_ON_UPDATE(fw::ID_EDIT_CUT, &CGpsGraphView::OnUpdateEditCommand)
    FW_ON_COMMAND(fw::ID_EDIT_PASTE, &CGpsGraphView::OnEditPaste)
    FW_ON_UPDATE(fw::ID_EDIT_PASTE, &CGpsGraphView::OnUpdateEditCommand)
    FW_ON_COMMAND(fw::ID_EDIT_SELECT_ALL, &CGpsGraphView::OnEditSelectAll)
    FW_ON_UPDATE(fw::ID_EDIT_SELECT_ALL, &CGpsGraphView::OnUpdateEditCommand)
    FW_ON_COMMAND(fw::ID_FILE_PRINT, &fw::CView::OnFilePrint)
    FW_ON_COMMAND(fw::ID_FILE_PRINT_PREVIEW, &fw::CView::OnFilePrintPreview)
FW_END_COMMANDS

namespace {

constexpr fw::COLORREF kWindowColor = fw::RGB(255, 255, 255);

// The rectangle cut square, keeping its centre.
fw::CRect Squared(fw::CRect r)
{
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (width < height) {
        const int shift = (height - width) / 2;
        r.top += shift;
        r.bottom = r.top + width;
    } else {
        const int shift = (width - height) / 2;
        r.left += shift;
        r.right = r.left + height;
    }
    return r;
}

} // namespace

CGpsGraphView::CGpsGraphView() : m_markers(std::make_unique<CDrawMarkerList>())
{
    SetDefaultLogFont(&m_headerFont, true, 0);
    m_headerFont.lfHeight = kHeaderFontHeight;
}

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
    const fw::CRect& plot = printing ? m_rcPrintPlot : m_plotRect;
    if (printing) {
        DrawPrintHeader(*dc);
        m_track.Print(*dc, plot);
    } else {
        DrawBorder(*dc);
        m_track.Paint(*dc, plot);
    }
    CKivDataDoc* doc = GetDataDoc();
    if (doc && doc->IsShowingMarkers())
        DrawMarkers(*dc, plot);
    if (!printing && !m_rcBand.IsRectEmpty()) {
        dc->SelectStockObject(fw::NULL_BRUSH);
        dc->Rectangle(m_rcBand);
    }
    dc->RestoreDC(saved);
    // The markers stand where the page put them until the screen draws
    // the track again for its own plot.
    if (printing)
        Invalidate();
}

void CGpsGraphView::DrawBorder(fw::CDC& dc)
{
    const fw::CRect client = GetClientRect();
    const fw::CRect picture(m_plotRect.left, m_plotRect.top, m_plotRect.right + 1, m_plotRect.bottom + 1);
    dc.FillSolidRect(fw::CRect(client.left, client.top, client.right, picture.top), kWindowColor);
    dc.FillSolidRect(fw::CRect(client.left, picture.bottom, client.right, client.bottom), kWindowColor);
    dc.FillSolidRect(fw::CRect(client.left, picture.top, picture.left, picture.bottom), kWindowColor);
    dc.FillSolidRect(fw::CRect(picture.right, picture.top, client.right, picture.bottom), kWindowColor);
    if (!Widget() || !Widget()->hasFocus())
        return;
    fw::CPen pen(fw::PS_SOLID, 1, kFocusColor);
    fw::CPen* old = dc.SelectObject(&pen);
    dc.SelectStockObject(fw::NULL_BRUSH);
    dc.Rectangle(client);
    dc.SelectObject(old);
}

void CGpsGraphView::OnPrepareDC(fw::CDC* dc, fw::CPrintInfo* info)
{
    if (!dc)
        return;
    if (dc->IsPrinting()) {
        if (info && info->m_nCurPage > info->GetToPage()) {
            info->m_bContinuePrinting = false;
            return;
        }
        dc->SetMapMode(fw::MM_ANISOTROPIC);
        dc->SetWindowExt(fw::kDisplayDpi, fw::kDisplayDpi);
        dc->SetViewportExt(std::max(dc->GetDeviceCaps(fw::LOGPIXELSX), 1),
                           std::max(dc->GetDeviceCaps(fw::LOGPIXELSY), 1));
    }
    fw::CView::OnPrepareDC(dc, info);
}

void CGpsGraphView::OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info)
{
    if (!dc)
        return;
    // Margins and page in printer pixels, the header's height measured on
    // the printer in the units the page is drawn in.
    GrGetPrintMargins(*dc, m_rcPrintMargins);
    const int saved = dc->SaveDC();
    OnPrepareDC(dc, nullptr);
    fw::CFont font;
    font.CreatePointFontIndirect(m_headerFont);
    fw::CFont* old = dc->SelectObject(&font);
    fw::TEXTMETRIC tm{};
    dc->GetTextMetrics(&tm);
    fw::CSize header(0, std::max<int>(tm.tmHeight, 1) * kHeaderLines);
    dc->LPtoDP(&header);
    dc->SelectObject(old);
    fw::CRect area(m_rcPrintMargins.left, m_rcPrintMargins.top + std::abs(header.cy),
                   dc->GetDeviceCaps(fw::HORZRES) - m_rcPrintMargins.right,
                   dc->GetDeviceCaps(fw::VERTRES) - m_rcPrintMargins.bottom);
    m_rcPrintPlot = Squared(area);
    dc->DPtoLP(&m_rcPrintPlot);
    dc->RestoreDC(saved);
    if (info)
        info->SetMaxPage(1);
}

void CGpsGraphView::DrawPrintHeader(fw::CDC& dc)
{
    CKivDataDoc* doc = GetDataDoc();
    fw::CString lines[kHeaderLines];
    if (doc)
        lines[0] = doc->GetTestTitle();
    if (auto* frame = dynamic_cast<CKivDataFrame*>(GetParentFrame())) {
        frame->GetRecordText(lines[1], ' ');
        frame->GetTimingText(lines[2], ' ');
    }
    fw::CFont font;
    font.CreatePointFontIndirect(m_headerFont);
    fw::CFont* old = dc.SelectObject(&font);
    const int oldMode = dc.SetBkMode(fw::TRANSPARENT);
    fw::TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    const int h = std::max<int>(tm.tmHeight, 1);
    fw::CRect box(m_rcPrintPlot.left, m_rcPrintPlot.top - kHeaderLines * h, m_rcPrintPlot.right,
                  m_rcPrintPlot.top - (kHeaderLines - 1) * h);
    for (const fw::CString& line : lines) {
        dc.DrawText(line, &box, fw::DT_LEFT | fw::DT_VCENTER | fw::DT_SINGLELINE | fw::DT_NOPREFIX);
        box.OffsetRect(0, h);
    }
    dc.SetBkMode(oldMode);
    dc.SelectObject(old);
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

// ---- edit commands ---------------------------------------------------------------------------------

CZELEdit* CGpsGraphView::FocusedEdit()
{
    return dynamic_cast<CZELEdit*>(fw::CWnd::FromWidget(QApplication::focusWidget()));
}

void CGpsGraphView::OnEditClear()
{
    if (CZELEdit* edit = FocusedEdit()) {
        edit->Clear();
        if (fw::CDocument* doc = GetDocument())
            doc->SetModifiedFlag(true);
    }
}

void CGpsGraphView::OnEditCopy()
{
    if (CZELEdit* edit = FocusedEdit())
        edit->Copy();
}

void CGpsGraphView::OnEditCut()
{
    if (CZELEdit* edit = FocusedEdit()) {
        edit->Cut();
        if (fw::CDocument* doc = GetDocument())
            doc->SetModifiedFlag(true);
    }
}

void CGpsGraphView::OnEditPaste()
{
    if (CZELEdit* edit = FocusedEdit()) {
        edit->Paste();
        if (fw::CDocument* doc = GetDocument())
            doc->SetModifiedFlag(true);
    }
}

void CGpsGraphView::OnEditSelectAll()
{
    if (CZELEdit* edit = FocusedEdit())
        edit->SetSel(0, -1);
}

void CGpsGraphView::OnUpdateEditCommand(fw::CCmdUI* ui)
{
    const unsigned id = ui->m_nID;
    CKivDataDoc* doc = GetDataDoc();
    const bool changes = id == fw::ID_EDIT_CLEAR || id == fw::ID_EDIT_CUT || id == fw::ID_EDIT_PASTE;
    CZELEdit* edit = FocusedEdit();
    if (!edit || (changes && doc && doc->IsEditLocked())) {
        ui->Enable(false);
        return;
    }
    if (id == fw::ID_EDIT_PASTE)
        edit->UpdatePaste(ui);
    else if (id == fw::ID_EDIT_SELECT_ALL)
        edit->UpdateSelectAll(ui);
    else
        edit->UpdateCopyCut(ui);
}
