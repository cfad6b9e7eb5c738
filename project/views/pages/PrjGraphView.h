#pragma once

// The graph-list page: one row per channel of the current measurement, its
// strip graph in column 0 and a legend (name, maximum, minimum, average,
// unit) in column 1. Each row's graph is drawn once into its own
// off-screen bitmap and copied on later paints; painting waits while
// recorded data are written into the project.

#include "project/views/ProjectBaseView.h"

#include <memory>
#include <vector>

class CGraphListObj;
class CZELOffScreenBitmap;

// The project's list-graph object, which the program keeps per project;
// none while it keeps none (the rows then show their legends only).
class IProjectListGraph {
public:
    virtual ~IProjectListGraph() = default;
    virtual CGraphListObj* ListGraph(CKIV5980Doc& doc) = 0;
};

class CPrjGraphView : public CProjectBaseView {
    FW_DECLARE_DYNCREATE(CPrjGraphView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kContextMenu = 193;
    static constexpr unsigned kIdScales = 32886;
    static constexpr unsigned kIdLabels = 32887;
    static constexpr unsigned kIdDrawTypes = 33330;
    static constexpr unsigned kIdPlotLines = 32883;
    static constexpr unsigned kIdGridLines = 32884;
    // Redraw states of a cached row: what a paint still has to draw.
    enum RowState : int { kRowCurrent = 0, kRowRedraw = 1, kRowSeries = 2, kRowFrame = 4 };

    CPrjGraphView();
    ~CPrjGraphView() override;

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    void OnPrint(fw::CDC* dc, fw::CPrintInfo* info) override;
    void DrawSheetCell(CZELDrawCell& cell) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool CanEditCell(int32_t firstCol, int32_t lastCol) override { return false; }
    bool CanPaste() const override { return false; }
    int32_t GetLastUsedRow(int32_t firstCol, int32_t lastCol) override;

    CGraphListObj* GetListGraph() const;
    // Rows of the channel table; the cache follows it.
    int32_t ChannelRowCount() const;
    // Drops every cached picture (-1) or one row's.
    void DeleteRowGraphs(int32_t row);
    bool HasRowGraph(int32_t row) const;
    void SetRowState(int32_t row, int state);
    size_t CacheLength() const { return m_rows.size(); }
    bool IsPaintingSuspended() const { return m_bSuspended != 0; }
    bool IsRepaintPending() const { return m_bPending != 0; }

    void OnEditScales();
    void OnEditLabels();
    void OnEditDrawTypes();
    void OnEditPlotLines();
    void OnEditGridLines();

private:
    struct RowCache {
        std::unique_ptr<CZELOffScreenBitmap> bitmap;
        int state = kRowRedraw;
    };
    // Resizes the cache when the channel table changed; whether it did.
    bool FitCache();
    void AfterGraphDialog(bool ok);
    void DrawLegend(CZELDrawCell& cell);
    void DrawGraph(CZELDrawCell& cell);
    void OnUpdateGraphCommand(fw::CCmdUI* ui);
    void OnUpdateDisabled(fw::CCmdUI* ui);

    std::vector<RowCache> m_rows;
    uint8_t m_bSuspended = 0;
    uint8_t m_bPending = 0;
};
