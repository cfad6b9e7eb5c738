#pragma once

// The table view every view of a measurement-data document derives from:
// the document table view with the data window's three header lines (title,
// timing, record), the undo of the rows kept or deleted around a selection,
// and the time-unit, recalculation and edit-lock commands.

#include "framework/core/CString.h"
#include "grid/views/DocTableView.h"

#include <cstdint>

class CKivDataDoc;
class CKivDataFrame;
class CDataTankList;
class CDataTankObject;

class CKivDataViewBase : public CDocTableView {
    FW_DECLARE_DYNAMIC(CKivDataViewBase)
    FW_DECLARE_COMMANDS()
public:
    // Undo record codes beyond the shared ones.
    enum DataUndoCode : int32_t { kUndoOutside = 106, kUndoKeptRows = 107 };
    static constexpr unsigned kIdEditLock = 32778;
    static constexpr unsigned kIdRecalculate = 32863;
    static constexpr unsigned kIdTimeUnitMs = 32964;
    static constexpr unsigned kIdTimeUnitH = 32967;
    // Update hints the views answer.
    static constexpr intptr_t kHintRepaint = 0;
    static constexpr intptr_t kHintData = 12;
    static constexpr intptr_t kHintTitle = 15;
    static constexpr intptr_t kHintMetrics = 30;
    static constexpr intptr_t kHintTimeUnit = 39;

    CKivDataDoc* GetDataDoc() const;
    CKivDataFrame* GetDataFrame() const;

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    void SetGridStyle(CZELGridStyle* style) override;

    // --- what the derived views answer
    virtual CDataTankObject* GetColumnTank(int32_t col) { return nullptr; }
    virtual CDataTankList* GetColumnList() { return nullptr; }
    virtual CZELGridStyle* GetViewStyle() { return nullptr; }
    virtual void DeleteOutsideRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) {}
    bool CanInsertRows() override;
    // Timing and record lines of the frame.
    void GetFrameLines(std::vector<fw::CString>& lines, char sep) override;
    int PrintHeaderLines() const override { return 3; }

    // --- commands
    void OnEditLock();
    void OnRecalculate();
    void OnTimeUnit(unsigned id);

protected:
    void EnsureMenus() override;
    void WriteRecordBody(fw::CArchive& ar, int32_t code, CGridJob& job, int32_t extra) override;
    void ReplayRecord(fw::CArchive& ar, int32_t code, CGridJob& job, fw::CMemFile& reverse,
                      bool& reversed) override;
    void OnUpdateEditLock(fw::CCmdUI* ui);
    void OnUpdateRecalculate(fw::CCmdUI* ui);
    void OnUpdateTimeUnit(fw::CCmdUI* ui);
};
