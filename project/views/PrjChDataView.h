#pragma once

// The project's data list: one column per used channel tank, one row per
// data point, with the channel's name, unit, maximum, minimum and mean in
// five column-header rows and the data number and time in the row header.
// Values are edited like any page; the page converts its data to text
// files (plain text or CSV, the LOB-5950 recorder's CSV, the DADiSP pair),
// split by column and row limits.

#include "project/views/PrjDataView.h"

struct tTextConvParam;
class CExportTextWriter;

class CPrjChDataView : public CPrjDataView {
    FW_DECLARE_DYNCREATE(CPrjChDataView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr intptr_t kHintTransferBegins = 37;
    static constexpr intptr_t kHintTransferEnded = 38;

    CPrjChDataView();

    CZELGridStyle* GetPageStyle() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor) override;
    CZELGridRichWnd* CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                      fw::CPoint screen) override;
    CZELGridRichWnd* CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                            unsigned ch, unsigned key) override;
    void OnEditorClosed() override;
    void ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) override;
    void OnFillDown() override;
    void OnEditPaste() override;
    void Undo() override;
    void WriteText(CTextFile& file, bool csv) override;
    void OnTextSave() override;

    bool IsSuspended() const { return m_bSuspended; }
    bool IsRepaintPending() const { return m_bRepaintPending; }

    // The writers of the text formats, each over the columns and rows of
    // `options` (rows counted from 1).
    void WritePlainText(CExportTextWriter& out, bool csv, const tTextConvParam& options);
    void WriteRecorderCsv(CExportTextWriter& out, const tTextConvParam& options);
    // The header into `out`, the data beside it in ".DAT"; false when the
    // data file could not be made (reported).
    bool WriteDadispFiles(CExportTextWriter& out, const fw::CString& headerPath, const tTextConvParam& options);
    // The whole sheet in files of at most the options' columns and rows,
    // named from `path` (its ".KIVD" replaced by the block's suffix); false
    // when writing failed (reported). Files that cannot be made are
    // reported and skipped.
    bool WriteSplitFiles(const fw::CString& path, const tTextConvParam& options);
    // A chosen save name: a final ".csv", ".txt" or ".hed" (either case) of
    // the file name sets the format and becomes ".KIVD"; other names stay.
    static fw::CString TakeExportName(const fw::CString& path, int32_t& format);
    // Block (g, i), counted from 0: the name's final ".KIVD" (either case)
    // replaced by "_g_i" and the format's extension, or that appended.
    static fw::CString BlockFileName(const fw::CString& path, int32_t format, int g, int i);

private:
    // The tank's value text with its cache placed for display.
    static void ReadCell(CDataTankObject* tank, int32_t row, fw::CString& text);
    // The sheet's rows: the largest value count, else the A/D data count.
    void ResetRowCount();
    // The channel a column shows: its tank's index among the document's
    // channel tanks; -1 when none.
    int ColumnChannel(int32_t col);
    std::string HeaderCells(int32_t row, char sep);
    std::string RowCells(int32_t row, char sep);
    CZELGridRichWnd* MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text, unsigned ch,
                                unsigned key, bool byKey);
    bool WriteBlockFile(const fw::CString& path, const tTextConvParam& options);

    bool m_bSuspended = false;
    bool m_bRepaintPending = false;
};
