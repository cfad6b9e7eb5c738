#pragma once

// The measurement-history page: one row per measurement step with its data
// file, card file, time, method, title, measuring time and cycle count.
// From here the data files are shown, converted to text and renamed, and
// steps whose data were never saved are deleted.

#include "project/views/ProjectBaseView.h"

class CPrjHistoryView : public CProjectBaseView {
    FW_DECLARE_DYNCREATE(CPrjHistoryView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kContextMenu = 146;
    static constexpr unsigned kIdDelete = 32834;
    static constexpr unsigned kIdConvert = 32820;
    static constexpr unsigned kIdShow = 32829;

    CPrjHistoryView();

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool CanEditCell(int32_t firstCol, int32_t lastCol) override { return false; }
    bool CanPaste() const override;
    bool CanRenameDataFiles() const override;
    void OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info) override;
    void OnPrint(fw::CDC* dc, fw::CPrintInfo* info) override;

    // The page's used part: columns and rows that scrolling covers.
    virtual void SetUsedExtents();
    // The last column printing covers.
    virtual int32_t PrintLastColumn() const;
    int32_t LastStep() const;

    void OnDeleteUnsaved();
    void OnConvertDataFiles();
    void OnShowDataFiles();
    bool CanDeleteUnsaved() const;
    bool CanUseDataFiles() const;

protected:
    // Hint 12 repaints when it concerns this document and names this page
    // or the kinds of change it shows.
    bool ConcernsPage(fw::CObject* hintObject) const;
    void OnUpdateDelete(fw::CCmdUI* ui);
    void OnUpdateDataFileCommand(fw::CCmdUI* ui);
    void SetupGrid(int table);
};

namespace prjpage {
// The corner of the history pages ("ステップ").
fw::CString GetHistoryStepCaption();
// The printed header of the history pages: the test title alone.
void DrawHistoryPageHeader(CProjectBaseView& view, fw::CDC& dc, const fw::CRect& area);
} // namespace prjpage
