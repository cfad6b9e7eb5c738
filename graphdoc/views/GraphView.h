#pragma once

// The view of a graph page in its frame: the page's own commands (add a
// numeric monitor or a text, plot range, reference file, font, line and
// colour, edit lock, save as picture), printing of one page on one sheet
// or tiled over several, batch printing of several pages on one sheet,
// and the suspension of drawing during data transfers.

#include "docview/graphpage/ZELGraphView.h"
#include "framework/core/PixelBuffer.h"

#include <cstdint>

class CGraphViewDoc;

// Command ids of the view.
inline constexpr unsigned ID_GRAPH_ADD_MONITOR = 32880;
inline constexpr unsigned ID_GRAPH_ADD_TEXT = 32881;
inline constexpr unsigned ID_GRAPH_PLOT_RANGE = 32891;
inline constexpr unsigned ID_GRAPH_REFERENCE = 32892;
inline constexpr unsigned ID_GRAPH_FONT = 32893;
inline constexpr unsigned ID_GRAPH_LINE_COLOR = 32894;
inline constexpr unsigned ID_GRAPH_EDIT_LOCK = 32778;
inline constexpr unsigned ID_GRAPH_SAVE_PICTURE = 32911;
inline constexpr unsigned ID_GRAPH_BLANK_FORM = 32878;
inline constexpr unsigned ID_GRAPH_BATCH_PRINT = 32912;
inline constexpr unsigned kIdrGraphContextMenu = 319;

class CGraphView : public CZELGraphView {
    FW_DECLARE_DYNCREATE(CGraphView)
    FW_DECLARE_COMMANDS()
public:
    CGraphView() = default;
    ~CGraphView() override = default;

    CGraphViewDoc* GetGraphDocument() const;

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    void OnDraw(fw::CDC* dc) override;
    void OnContextMenu(fw::CWnd* wnd, fw::CPoint point) override;

    // --- printing ---------------------------------------------------------------
    bool OnPreparePrinting(fw::CPrintInfo* info) override;
    void OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info) override;
    void OnPrepareDC(fw::CDC* dc, fw::CPrintInfo* info = nullptr) override;
    void OnPrint(fw::CDC* dc, fw::CPrintInfo* info) override;
    void OnEndPrinting(fw::CDC* dc, fw::CPrintInfo* info) override;
    // Lays the page into a printable rectangle: at paper size (keeping the
    // proportions while the drawing area is locked) or tiled.
    void LayoutForPrint(const fw::CRect& rect, fw::CPrintInfo* info, bool enlarge);
    // This page into the cell `info->m_rectDraw` (logical units).
    void PrintCell(fw::CDC* dc, fw::CPrintInfo* info);
    // The application's batch list on the current printer: the pages of the
    // titles, columns x rows on a sheet. False when nothing was printed.
    bool PrintJobs();
    // Sets up `info` for the batch (sheets, job name, direct); the print
    // loop then prints the sheets through this view.
    void PrepareBatch(fw::CPrintInfo& info);
    // Where tile n (from 0) of a tiled print starts.
    static fw::CPoint TileOrigin(int n, int columns, int rows, fw::CSize tile);

    // --- pictures ---------------------------------------------------------------------
    // By the path's ending: ".bmp", ".png" or ".emf"; another writes nothing.
    void SavePicture(const fw::CString& path, bool report);
    void SaveBmp(const fw::CString& path);
    void SavePng(const fw::CString& path);
    void SaveEmf(const fw::CString& path);

    // --- commands ----------------------------------------------------------------------
    // The numeric-monitor dialog on the default profile, then a monitor at
    // the last click.
    void OnAddMoniData();
    void OnAddText();
    void OnUpdateUnlocked(fw::CCmdUI* ui);
    void OnGraphFont();
    void OnUpdateGraphFont(fw::CCmdUI* ui);
    void OnLineColor();
    void OnGraphEditClear();
    void OnGraphEditLock();
    void OnUpdateGraphEditLock(fw::CCmdUI* ui);
    void OnSavePicture();
    void OnBlankForm();
    // The batch-print dialog, then the batch.
    void OnGraphBatchPrint();
    // The plot range of one source document, here or on every page.
    void OnUpdatePlotRange();
    // One source document replaced by another, here or on every page.
    void OnChangeReference();

    int32_t m_columns = 1;
    int32_t m_rows = 1;
    uint8_t m_directPrint = 0;
    uint8_t m_suspended = 0;
    uint8_t m_drawSkipped = 0;

private:
    // The batch being printed through the print loop; null otherwise.
    struct Batch;
    void PrintBatchSheet(fw::CDC* dc, fw::CPrintInfo* info);
    // The page drawn into a bitmap as printing draws it.
    fw::PixelBuffer RenderPicture();

    bool m_batch = false;
    int m_batchPaperSize = 0;
    fw::CSize m_cell;
};
