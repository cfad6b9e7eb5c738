#pragma once

// The GPS page's lists: the value list of the document's GPS channels and
// their graph list. Together with the track they show one selected sample
// range: a list that changes its selection announces it (hint 45, source
// list), the graph list hands what it receives to the GPS time list graph,
// and the value list follows whatever another view announced.

#include "data/views/KivDataChDataView.h"
#include "data/views/KivDataFrame.h"
#include "data/views/KivDataGraphView.h"
#include "grid/views/GridPanes.h"
#include "grid/views/SpredView.h"

class CGpsDataListView;
class CUpdateSelArea;

// A pane of the GPS value list that reports each change of its selected
// rows by mouse or key.
template <class PaneBase>
class CGpsSelectionPane : public PaneBase {
public:
    void SetView(CGpsDataListView* view) { m_pView = view; }
    void OnLButtonDown(unsigned flags, fw::CPoint point) override;
    void OnMouseMove(unsigned flags, fw::CPoint point) override;
    void OnKeyDown(unsigned key, unsigned repeat, unsigned flags) override;

private:
    template <class Handler>
    void Watch(Handler&& handler);

    CGpsDataListView* m_pView = nullptr;
};

class CGpsDataGridPane : public CGpsSelectionPane<CZELGridPaneSheet> {
public:
    explicit CGpsDataGridPane(fw::CView* owner) : m_pOwner(owner) {}
    void OnSetFocus() override;
    void OnKillFocus() override;

private:
    fw::CView* m_pOwner;
};
using CGpsDataGridPaneLeft = CGpsSelectionPane<CZELGridPaneLeft>;

class CGpsDataGrid : public CZELViewGrid {
public:
    explicit CGpsDataGrid(CGpsDataListView* view);
};

class CGpsDataListView : public CKivDataChDataView {
    FW_DECLARE_DYNCREATE(CGpsDataListView)
    FW_DECLARE_COMMANDS()
public:
    CGpsDataListView();

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    // The grid 1 pixel inside, and around it the focus frame: yellow while
    // the sheet has the focus, else white.
    void OnSize(unsigned type, int cx, int cy) override;
    void OnDraw(fw::CDC* dc) override;
    CZELGridStyle* GetViewStyle() override;
    void SetUpListGrid() override;
    bool CanInsertRows() override { return false; }
    bool CanDeleteRows() override { return false; }
    void Undo() override;
    // Also scrolls to the range and announces it.
    void SelectRows(int32_t first, int32_t last) override;

    // Sends the sheet's selected rows to the other views (source list).
    void AnnounceSelection(int16_t mask);
    // A pane's selection changed from rows `before` to its rows now.
    void OnPaneSelection(const CCellRange& before, const CCellRange& after);
    // Text export whose rows start from the GPS graph's selected samples.
    void OnSaveText();
    // First and last selected sample (rows) and 0 to the last sample index
    // (columns); -1 rows when nothing is selected.
    CCellRange GraphSelection();

private:
    void TakeSelection(const CUpdateSelArea& area);
    void OnUpdateDisabled(fw::CCmdUI* ui);
};

class CGpsGraphListView : public CKivDataGraphView, public IMarkerModeView {
    FW_DECLARE_DYNCREATE(CGpsGraphListView)
    FW_DECLARE_COMMANDS()
public:
    CGpsGraphListView();

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    // As the value list: the grid 1 pixel inside its focus frame.
    void OnSize(unsigned type, int cx, int cy) override;
    void OnDraw(fw::CDC* dc) override;
    // The marker tool of the window takes the graphs' mouse.
    void FollowMarkerMode(int32_t mode) override { SetMarkerSelectMode(mode != 0); }
    CZELGridStyle* GetViewStyle() override;
    void SetUpListGrid() override;
    CGraphTimeListObj* GetGraphList() const override;
    bool CanDeleteRows() override { return false; }
    // The GPS value list's export.
    void OnSaveText();

private:
    void ShapeRows();
    void OnUpdateDisabled(fw::CCmdUI* ui);
};
