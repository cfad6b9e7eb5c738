#pragma once

// The frequency analyses of a document, one row each with their settings,
// totals and extremes; the count view below follows the current row. The
// view also owns the text save of a frequency document in its three forms
// and the conversion of a frequency-data file into text or CSV files.

#include "frequency/views/HistDataViewBase.h"

class CHistCountView;
struct CHistFileTextParam;

class CHistOpeView : public CHistDataViewBase {
    FW_DECLARE_DYNCREATE(CHistOpeView)
public:
    static constexpr int32_t kColumnCount = 13;
    // Text-save modes: the analysis list, the counts shown, every
    // analysis' counts in a file of its own.
    enum TextMode : int { kSaveList = 0, kSaveShownCounts = 1, kSaveAllCounts = 2 };

    CHistOpeView();

    void SetCountView(CHistCountView* view) { m_pCountView = view; }
    CHistCountView* GetCountView() const { return m_pCountView; }
    int GetTextMode() const { return m_nTextMode; }
    void SetTextMode(int mode) { m_nTextMode = mode; }

    void OnInitialUpdate() override;
    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool CanPaste() const override { return false; }
    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    void WriteText(CTextFile& file, bool csv) override;
    // The save dialog of the three forms, then the chosen save.
    void OnTextSave() override;

    // Writes one file per analysis: the base extension (".TXT" for TAB,
    // ".CSV" for a comma) in the file name becomes "_<analysis name>" plus
    // it. False when a file could not be written to the end.
    bool ExportEachAnalysis(const fw::CString& path, int commaSeparated, bool skipOverwriteQuestion);
    // The frequency-data file as text, CSV or VO-8025 CSV under `path`
    // (its ".KIVH" replaced by the extension of the format); true when
    // every file was written.
    virtual bool ConvertFile(const fw::CString& path, const CHistFileTextParam& settings);

    // Shows analysis `index` below (hint 40 to the other views).
    void ShowAnalysis(int index);

    // The file-name part of `path` upper-cased, the folder as it is.
    static fw::CString UpperFileName(const fw::CString& path);
    // Every `from` in the file-name part of `path` replaced by `to`; the
    // number of replacements.
    static int ReplaceInFileName(fw::CString& path, const char* from, const fw::CString& to);

private:
    CHistCountView* m_pCountView = nullptr;
    int m_nTextMode = kSaveShownCounts;
};

namespace fw {
class CDocument;
}

// The record history's conversion of an open frequency document: its
// analysis list writes the files named after the document's title into the
// folder of the settings. False when the document has no analysis list or
// no full path can be made.
bool ConvertHistDocumentToText(fw::CDocument& document, const CHistFileTextParam& settings);
