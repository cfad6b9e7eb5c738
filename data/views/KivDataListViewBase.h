#pragma once

// The base of the views that list channel values sample by sample: column
// c is the tank at c of the document's used-tank list, a sheet row a
// sample. Cells are read from and written into the tanks; each column's
// maximum, minimum and mean follow every change; samples are inserted,
// deleted, kept or thinned for all channels at once, the marks moving
// with their samples.

#include "data/model/DataSheetSource.h"
#include "data/views/KivDataViewBase.h"

class CUseTankList;
class CDataTankList;
struct tTextConvParam;

class CKivDataListViewBase : public CKivDataViewBase {
    FW_DECLARE_DYNAMIC(CKivDataListViewBase)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kIdDeleteOutside = 32864;
    static constexpr unsigned kIdSetSelect = 32814;
    static constexpr unsigned kIdThinning = 32824;
    static constexpr unsigned kMsgSlowUndo = 493;
    // Update-hint flags: rows inserted or deleted, values thinned.
    static constexpr int32_t kFlagRows = 32;
    static constexpr int32_t kFlagThinned = 96;

    CKivDataListViewBase();

    void OnInitialUpdate() override;
    bool GetSheetEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor) override;
    CZELGridRichWnd* CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                      fw::CPoint screen) override;
    CZELGridRichWnd* CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                            unsigned ch, unsigned key) override;
    void OnEditorClosed() override;
    void Undo() override;
    // Asks whether to keep undo for a slow operation: Yes runs it without
    // undo, No records it, Cancel stops it.
    bool ConfirmUndoable(int32_t code) override;
    CDataTankObject* GetColumnTank(int32_t col) override;
    CDataTankList* GetColumnList() override;
    void FillFromFirstCell() override;
    void ClearCells(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) override;
    void InsertRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) override;
    void DeleteRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) override;
    void DeleteOutsideRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) override;

    // 1-based rows of a whole-row selection; false in the base.
    virtual bool GetSelectedRows(int32_t& first, int32_t& last) { return false; }
    virtual void SelectRows(int32_t first, int32_t last) {}
    virtual int32_t GetValueCount() { return 0; }
    virtual void SetUpListGrid();
    // Maximum, minimum and mean of `count` columns from `firstCol` into
    // each tank's scale record.
    void RecomputeStatistics(int32_t firstCol, int32_t count);

    // The commands.
    void OnEditPaste() override;
    void OnInsertRows() override;
    void OnDeleteRows() override;
    void OnDeleteOutside();
    // Keeps every (n + 1)-th value; the thinning dialog asks n.
    void OnThinning();
    void ThinValues(int n);
    void OnSetSelect();
    // Text export: the option sheet, then the chosen layout's files.
    void OnExportText();
    void ExportText(const CCellRange& selection);
    // One file of the chosen channels and rows in the layout of the
    // program's export options.
    void WriteText(CTextFile& file, bool csv) override;
    // The whole sheet in files of at most the options' columns and rows.
    bool WriteSplitText(const fw::CString& path, const tTextConvParam& options);

    // The thinning dialog's answer (n), or -1 when cancelled; a test or a
    // dialog replaces it.
    static int (*s_askThinning)(int upperBound);

protected:
    void OnUpdateRowCommand(fw::CCmdUI* ui);
    void OnUpdateThinning(fw::CCmdUI* ui);
    void AfterUndo(const CCellRange& range, bool rowsChanged) override;
    // Clears the selected range of the document's time list graphs.
    void ClearGraphSelections();
    int32_t UndoExtent() override;
    void RunRowCommand(int32_t code);

    CUseTankList* m_pColumns = nullptr;
    bool m_bMarkersInUndo = false;
};
