#pragma once

// The count table of one frequency analysis, one row per level slice from
// the highest plus slice down to the lowest minus slice, one column per
// count kind of its operation. It follows the current row of the analysis
// view above it, whose row it adds to its text save and printout.

#include "frequency/views/HistDataViewBase.h"

class CHistCountObj;
class CHistOpeView;

class CHistCountView : public CHistDataViewBase {
    FW_DECLARE_DYNCREATE(CHistCountView)
public:
    // Text lines of the print font above the grid.
    static constexpr int kPrintHeaderLines = 13;
    // The table without an analysis.
    static constexpr int32_t kEmptyColumns = 3;
    static constexpr int32_t kEmptyRows = 100;

    CHistCountView();

    void SetAnalysisView(CHistOpeView* view) { m_pAnalysisView = view; }
    CHistOpeView* GetAnalysisView() const { return m_pAnalysisView; }
    int GetAnalysisIndex() const { return m_nIndex; }
    // The shown analysis, or none.
    CHistCountObj* GetAnalysis() const;
    double GetPlusWidth() const { return m_plusWidth; }
    double GetMinusWidth() const { return m_minusWidth; }

    // Shows analysis `index`; an index outside the document's analyses
    // leaves the view as it is.
    void SelectAnalysis(int index);

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool CanPaste() const override { return false; }

    void WriteText(CTextFile& file, bool csv) override;
    void OnTextSave() override;
    void OnDraw(fw::CDC* dc) override;
    int PrintHeaderLines() const override { return kPrintHeaderLines; }

    fw::LOGFONT m_propertiesFont{};

private:
    void Redimension();
    // The slice number of a row: s, s - 1, ..., 1, -1, -2, ...
    int SliceOfRow(int32_t row) const;

    int m_nIndex = 0;
    CHistOpeView* m_pAnalysisView = nullptr;
    double m_plusWidth;
    double m_minusWidth;
};
