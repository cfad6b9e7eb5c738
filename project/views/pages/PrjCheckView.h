#pragma once

// The unit self-check pages: the list of the project's self-check records
// by check time, and the record page with the per-channel results of the
// record chosen in the list. Text save and printing of the list produce
// the record page.

#include "project/views/ProjectBaseView.h"

#include <memory>

class CCheckData;
class CZELGridStyle;

class CPrjCheckView : public CProjectBaseView {
    FW_DECLARE_DYNCREATE(CPrjCheckView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kContextMenu = 157;
    static constexpr int32_t kColumns = 9;

    CPrjCheckView();

    void OnInitialUpdate() override;
    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    // The corner as the channel table draws its own.
    void DrawTagCell(CZELDrawCell& cell) override;
    // The control units (and, without a record, the units) drawn once over
    // their rows, as the input-channel page draws them.
    void DrawRowHeaderCell(CZELDrawCell& cell) override;
    // The title, and the shown record's check time below it.
    void DrawPageHeader(fw::CDC& dc) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool CanEditCell(int32_t firstCol, int32_t lastCol) override { return false; }
    void WriteText(CTextFile& file, bool csv) override;

    // Shows record `index` (none past the last record).
    void SelectRecord(int32_t index);
    CCheckData* GetRecord() const { return m_pRecord; }
    int32_t GetRecordIndex() const { return m_nRecord; }

private:
    void OnUpdateDisabled(fw::CCmdUI* ui);

    int32_t m_nRecord = 0;
    CCheckData* m_pRecord = nullptr;
};

class CPrjCheckHistoryView : public CProjectBaseView {
    FW_DECLARE_DYNCREATE(CPrjCheckHistoryView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kContextMenu = 157;
    static constexpr unsigned kIdDelete = 32834;

    CPrjCheckHistoryView();
    ~CPrjCheckHistoryView() override;

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    void OnSize(unsigned type, int cx, int cy) override;
    // Printing the list prints the record page of the chosen record.
    bool OnPreparePrinting(fw::CPrintInfo* info) override;
    void OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info) override;
    void OnPrint(fw::CDC* dc, fw::CPrintInfo* info) override;
    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool CanEditCell(int32_t firstCol, int32_t lastCol) override { return false; }
    bool WriteUndoRecord(fw::CMemFile& file, int32_t code, int32_t extra = -1) override;
    void Undo() override;
    void WriteText(CTextFile& file, bool csv) override;

    void SetRecordPage(CPrjCheckView* page) { m_pRecordPage = page; }
    CPrjCheckView* GetRecordPage() const;
    int32_t RecordCount() const;
    bool CanDeleteRecords() const;
    void OnDelete();
    // The record page follows the list's current row.
    void ShowCurrentRecord();

private:
    void SetRowCount();
    void FitColumn();
    void OnUpdateDelete(fw::CCmdUI* ui);
    void OnUpdateDisabled(fw::CCmdUI* ui);

    std::unique_ptr<CZELGridStyle> m_pStyle;
    CPrjCheckView* m_pRecordPage = nullptr;
};
