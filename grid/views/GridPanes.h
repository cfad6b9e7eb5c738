#pragma once

// The four kinds of pane. Each only decides which of the grid's callbacks
// draw, read and store its cells; the sheet also reports its current cell
// and editor to the grid and lets the grid create its editors.

#include "grid/views/GridPane.h"

class CZELGridPaneTag : public CZELGridPane {
    FW_DECLARE_DYNAMIC(CZELGridPaneTag)
public:
    void DrawCell(CZELDrawCell& cell) override;
    bool GetCellText(fw::CString& text, int32_t col, int32_t row, int context) override;
    bool GetEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetCellText(int32_t row, int32_t col, const fw::CString& text) override;
    void OnCellDoubleClick(unsigned flags, fw::CPoint point) override;
    void NotifyGrid(int code, intptr_t value) override;
};

class CZELGridPaneTop : public CZELGridPane {
    FW_DECLARE_DYNAMIC(CZELGridPaneTop)
public:
    void DrawCell(CZELDrawCell& cell) override;
    bool GetCellText(fw::CString& text, int32_t col, int32_t row, int context) override;
    bool GetEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetCellText(int32_t row, int32_t col, const fw::CString& text) override;
    void OnCellDoubleClick(unsigned flags, fw::CPoint point) override;
    void NotifyGrid(int code, intptr_t value) override;
};

class CZELGridPaneLeft : public CZELGridPane {
    FW_DECLARE_DYNAMIC(CZELGridPaneLeft)
public:
    void DrawCell(CZELDrawCell& cell) override;
    bool GetCellText(fw::CString& text, int32_t col, int32_t row, int context) override;
    bool GetEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetCellText(int32_t row, int32_t col, const fw::CString& text) override;
    void OnCellDoubleClick(unsigned flags, fw::CPoint point) override;
    void NotifyGrid(int code, intptr_t value) override;
};

class CZELGridPaneSheet : public CZELGridPane {
    FW_DECLARE_DYNAMIC(CZELGridPaneSheet)
public:
    void DrawCell(CZELDrawCell& cell) override;
    bool GetCellText(fw::CString& text, int32_t col, int32_t row, int context) override;
    bool GetEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetCellText(int32_t row, int32_t col, const fw::CString& text) override;
    void OnCellDoubleClick(unsigned flags, fw::CPoint point) override;
    void NotifyGrid(int code, intptr_t value) override;
    void GetCellFormatForDrawing(CellFormat& format, int32_t col, int32_t row) override;
    void GetCellFormat(CellFormat& format, int32_t col, int32_t row) override;
    void OpenDropDown(int32_t col, int32_t row, int x, int y) override;
    void OnCheckBoxClick(int32_t col, int32_t row, int x, int y) override;
    void OnCurrentCellSet(CCellIndices cell) override;
    void OnEditorOpened() override;
    void OnEditorClosed() override;
    CZELGridRichWnd* CreateEditorByMouse(const fw::CRect& rect, const fw::CString& text, fw::CPoint screen) override;
    CZELGridRichWnd* CreateEditorByKey(const fw::CRect& rect, const fw::CString& text, unsigned ch,
                                       unsigned key) override;
    void EnsureVisible(int32_t row, int32_t col, bool repaint) override;
    void ResetSelection() override;
    bool AcceptsInputMethod() const override { return true; }
    void OnContextMenu(fw::CWnd* wnd, fw::CPoint point) override;
};
