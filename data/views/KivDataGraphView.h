#pragma once

// The graph list: one row per used channel with the channel's waveform
// over time (drawn by the document's time list graph), its legend and,
// when the style has a third column, the cursor information. The two
// cursors are the start and end of the graph's selected sample range;
// samples inside or outside them can be deleted with undo.

#include "data/views/KivDataListViewBase.h"

#include <memory>
#include <vector>

class CDrawMarkerList;
class CGraphTimeListObj;
class CZELOffScreenBitmap;

class CKivDataGraphView : public CKivDataListViewBase {
    FW_DECLARE_DYNCREATE(CKivDataGraphView)
    FW_DECLARE_COMMANDS()
public:
    CKivDataGraphView();
    ~CKivDataGraphView() override;

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    CZELGridStyle* GetViewStyle() override;
    void DrawSheetCell(CZELDrawCell& cell) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetEditText(int32_t, int32_t, fw::CString&) override { return false; }
    int32_t GetLastUsedRow(int32_t firstCol, int32_t lastCol) override;
    bool CanEdit() const override { return false; }
    bool CanInsertRows() override { return false; }
    bool CanPaste() const override { return false; }
    bool CanDeleteRows() override;
    bool WriteUndoRecord(fw::CMemFile& file, int32_t code, int32_t param) override;
    void WriteUndoExtra(fw::CArchive& ar) override;
    void ReadUndoExtra(fw::CArchive& ar) override;
    bool GetSelectedRows(int32_t& first, int32_t& last) override;
    void SelectRows(int32_t first, int32_t last) override;
    int32_t GetValueCount() override;

    static constexpr unsigned kIdCursorInfo = 32963;
    static constexpr unsigned kIdMarkerAtCursor1 = 33532;
    static constexpr unsigned kIdMarkerAtCursor2 = 33533;
    static constexpr unsigned kIdMarkerAtBoth = 33534;
    static constexpr unsigned kIdDeleteMarkers = 33536;
    static constexpr intptr_t kHintMarkerSelection = 50;
    static constexpr intptr_t kHintMarkers = 51;
    static constexpr int32_t kUndoMarkers = 108;
    static constexpr unsigned kMsgVoiceMarkers = 857;

    // The marker record (108) is replayed here; others by the list view.
    void Undo() override;
    // Bit 1 a mark at cursor 1, bit 2 at cursor 2, unless one stands there.
    void CreateMarkersAtCursors(int flags);
    // Deletes the selected markers and their marks; voice marks stay.
    void OnDeleteMarkers();
    // One drawn marker per mark of the document, in list order.
    void RebuildMarkers();
    // The drawn markers; none while the view shows no markers.
    CDrawMarkerList* GetMarkerList() const;
    // Places the drawn markers on a row as its picture shows them, so that
    // hits are tested where the markers were drawn.
    void LayOutMarkers(int32_t row);

    void OnDeleteRows() override;
    void OnDeleteOutside();
    // Shows or hides the cursor-information column (width 240).
    void OnCursorInfo();
    // The time list graph's dialogs; a confirmed one redraws every row and
    // marks the document modified.
    static constexpr unsigned kIdPlotLines = 32883;
    static constexpr unsigned kIdGridLines = 32884;
    static constexpr unsigned kIdScales = 32886;
    static constexpr unsigned kIdLabels = 32887;
    static constexpr unsigned kIdDrawTypes = 33330;
    // Sent with the time list graph after its axes changed, so that every
    // view showing it redraws.
    static constexpr intptr_t kHintGraphSettings = 52;
    void OnEditPlotLines();
    void OnEditGridLines();
    void OnEditScales();
    // Also gives the legend and cursor columns the list's legend font.
    void OnEditLabels();
    void OnEditDrawTypes();

    // After a list-graph dialog: a confirmed one drops the row pictures,
    // repaints and marks the document modified.
    void AfterGraphDialog(bool changed);

    // The document's time list graph; the GPS and CAN lists show their own.
    virtual CGraphTimeListObj* GetGraphList() const;
    // Marker selection hands the graph column's mouse to the marker tool.
    void SetMarkerSelectMode(bool on);
    bool IsMarkerSelectMode() const { return m_bMarkerSelect; }
    // The cursor keys and clicks of the sheet pane (the graph column).
    // Left/Right move cursor 1, Up/Down cursor 2, one sample each.
    bool MoveCursorByKey(unsigned key);
    // A click at a device point of a row: inside the plot both cursors on
    // the sample, or with Shift the nearer one; on the band's left corners
    // or left edge cursor 1 is taken, on its other handles cursor 2, and
    // neither moves yet; outside the plot both are cleared. Returns the
    // edge a drag then moves, kNoDrag when the cursors were cleared.
    static constexpr int kNoDrag = -2;
    int ClickCursor(int32_t row, fw::CPoint point, bool shift);
    // Repaints the graph and cursor-information columns.
    void RedrawCursorColumns();
    // Drops the cached picture of a row, or of every row (-1).
    void DeleteRowGraphs(int32_t row);
    // The cell rectangle of a sheet cell in the pane.
    fw::CRect SheetCellRect(int32_t row, int32_t col) const;

protected:
    void ReplayRecord(fw::CArchive& ar, int32_t code, CGridJob& job, fw::CMemFile& reverse,
                      bool& reversed) override;
    void DrawLegendCell(CZELDrawCell& cell);
    void DrawCursorInfoCell(CZELDrawCell& cell);
    void DrawRowGraph(CZELDrawCell& cell);
    void OnUpdateCursorInfo(fw::CCmdUI* ui);
    void OnMarkersAtCursors(unsigned id);
    void OnUpdateMarkersAtCursors(fw::CCmdUI* ui);
    void OnUpdateDeleteMarkers(fw::CCmdUI* ui);
    // Places the drawn markers on a row drawn at the context's origin.
    void DrawRowMarkers(fw::CDC& dc, int32_t row);
    // Hints 50 and 51; false for other hints.
    bool OnMarkerHint(intptr_t hint, fw::CObject* hintObject);
    bool WriteMarkerRecord(fw::CMemFile& file);

private:
    // The cursor range in samples, ordered; false without both cursors.
    bool CursorRange(int32_t& first, int32_t& last) const;
    void RunCursorCommand(int32_t code);

    bool m_bMarkerSelect = false;
    std::unique_ptr<CDrawMarkerList> m_markers;
    // One picture per row, so that cursor moves repaint by a copy.
    std::vector<std::unique_ptr<CZELOffScreenBitmap>> m_pictures;
};
