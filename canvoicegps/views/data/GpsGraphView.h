#pragma once

// The GPS page's track: the document's GPS position drawn as a line in a
// square plot, with the sample range selected in the GPS lists (hint 45)
// drawn over it and the document's time marks as circles on the track. The
// whole track is kept as a picture, so that moving the selection repaints
// only the selected part. With the marker tool the marks are selected by
// click or rectangle, deleted (one level of undo) and a voice mark plays
// on a double click.

#include "canvoicegps/views/data/GpsTrackPicture.h"
#include "chart/views/MarkerTools.h"
#include "data/views/KivDataFrame.h"
#include "framework/core/Gdi.h"
#include "framework/ui/View.h"

#include <memory>

class CDrawMarkerList;
class CGpsDataListView;
class CKivDataDoc;
class CZELEdit;
namespace fw {
class CArchive;
class CMemFile;
class CMenu;
}

class CGpsGraphView : public fw::CView, public IGpsMarkerWindow, public IMarkerModeView {
    FW_DECLARE_DYNCREATE(CGpsGraphView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr intptr_t kHintRepaint = 0;
    static constexpr intptr_t kHintData = 12;
    static constexpr intptr_t kHintMarkerSelection = 50;
    static constexpr intptr_t kHintMarkers = 51;
    static constexpr int32_t kChangeData = 1;
    static constexpr int32_t kChangeRows = 0x20;
    static constexpr unsigned kIdTextSave = 32831;
    static constexpr unsigned kIdSetSelect = 32814;
    static constexpr unsigned kIdShowMarkers = 33531;
    static constexpr unsigned kIdSelectMarkers = 33535;
    static constexpr unsigned kIdDeleteMarkers = 33536;
    static constexpr unsigned kIdUndo = 57643;
    static constexpr int32_t kUndoMarkers = 108;
    static constexpr unsigned kMsgVoiceMarkers = 857;
    static constexpr fw::COLORREF kFocusColor = fw::RGB(255, 255, 0);
    // The header above the printed track: title, record and timing lines.
    static constexpr int kHeaderLines = 3;
    static constexpr int kHeaderFontHeight = 120;

    CGpsGraphView();
    ~CGpsGraphView() override;

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    void OnDraw(fw::CDC* dc) override;
    // One logical unit is one screen pixel on every device.
    void OnPrepareDC(fw::CDC* dc, fw::CPrintInfo* info = nullptr) override;
    // The square plot below the header on one page.
    void OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info) override;
    void OnSize(unsigned type, int cx, int cy) override;
    // The focus frame follows the focus.
    void OnSetFocus() override { Invalidate(); }
    void OnKillFocus() override { Invalidate(); }
    void OnLButtonDown(unsigned flags, fw::CPoint point) override;
    void OnLButtonUp(unsigned flags, fw::CPoint point) override;
    void OnLButtonDblClk(unsigned flags, fw::CPoint point) override;
    void OnMouseMove(unsigned flags, fw::CPoint point) override;
    void OnContextMenu(fw::CWnd* wnd, fw::CPoint point) override;

    CKivDataDoc* GetDataDoc() const;
    const fw::CRect& GetPlotRect() const { return m_plotRect; }
    // The plot on the printed page (logical units), set when printing begins.
    const fw::CRect& GetPrintPlotRect() const { return m_rcPrintPlot; }
    CGpsTrackPicture& Picture() { return m_track; }
    // The value list of the same page, which runs the list commands.
    void SetListView(CGpsDataListView* list) { m_pList = list; }

    // --- markers
    // 0 no tool (the mouse does nothing), 1 the marker tool.
    void SetMarkerMode(int32_t mode);
    // The window's marker tool switched: take its mode and tell the other
    // views which marks are selected.
    void FollowMarkerMode(int32_t mode) override;
    int32_t GetMarkerMode() const { return m_nMarkerMode; }
    CDrawMarkerList& Markers() { return *m_markers; }
    // One drawn marker per mark of the document, in list order.
    void RebuildMarkers();
    // Tells the other views which marks are selected (hint 50).
    void NotifyMarkersChanged();
    void OnDeleteMarkers();
    void OnEditUndo();
    bool CanUndo() const;
    // The context menu's items (undo, show, select, delete markers).
    static void BuildContextMenu(fw::CMenu& menu);

    // What the marker tool asks of the view.
    fw::CRect GetToolClientRect() const override { return GetClientRect(); }
    void SelectMarkers(int left, int top, int right, int bottom, bool add) override;
    void HitMarker(int x, int y) override;
    void SetCapture() override { m_bToolCapture = true; }
    void ReleaseCapture() override { m_bToolCapture = false; }
    bool HasCapture() const override { return m_bToolCapture; }
    void SetToolCursor(int cursorId) override { m_nToolCursor = cursorId; }
    void ShowRubberBand(const fw::CRect& band) override;
    const fw::CRect& GetRubberBand() const { return m_rcBand; }

private:
    void OnSaveText();
    void OnSetSelect();
    void OnUpdateListCommand(fw::CCmdUI* ui);
    void OnUpdateDeleteMarkers(fw::CCmdUI* ui);
    void OnUpdateUndo(fw::CCmdUI* ui);
    // The edit commands act only on a focused edit field of the program's
    // own kind (the frame bar's title); the track itself has nothing to
    // copy or paste.
    static CZELEdit* FocusedEdit();
    void OnEditClear();
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnEditSelectAll();
    void OnUpdateEditCommand(fw::CCmdUI* ui);
    void DrawPrintHeader(fw::CDC& dc);
    // Client area outside the plot and, with the focus, the yellow frame.
    void DrawBorder(fw::CDC& dc);
    class CGpsGraphTool* ActiveTool();
    // Places each marker at its sample on the track and draws it.
    void DrawMarkers(fw::CDC& dc, const fw::CRect& plot);
    void SaveUndo();
    bool WriteUndoRecord(fw::CMemFile& file);
    void LoadMarkers(fw::CArchive& ar);
    void RestoreUndo();

    CGpsTrackPicture m_track;
    fw::CRect m_plotRect;
    fw::CRect m_rcPrintMargins;
    fw::CRect m_rcPrintPlot;
    fw::LOGFONT m_headerFont{};
    CGpsDataListView* m_pList = nullptr;
    int32_t m_nMarkerMode = 0;
    std::unique_ptr<CDrawMarkerList> m_markers;
    bool m_bMarkersChanged = true;
    bool m_bToolCapture = false;
    int m_nToolCursor = 0;
    fw::CRect m_rcBand;
};
