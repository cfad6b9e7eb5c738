#pragma once

// The bit layout of the current CAN message: eight bytes by eight bits,
// each bit showing the number of the signal that uses it. Clicking a used
// bit makes its signal the current one; nothing can be edited here.

#include "project/views/ProjectBaseView.h"

#include <memory>

class CCanSigArray;
class CCanSignalView;
class CZELGridStyle;

class CCanNodeBitsView : public CProjectBaseView {
    FW_DECLARE_DYNCREATE(CCanNodeBitsView)
public:
    static constexpr fw::COLORREF kFreeColour = 0x808080;
    static constexpr fw::COLORREF kCurrentColour = 0xFFFFFF;
    static constexpr fw::COLORREF kOtherColour = 0xC0C0C0;

    CCanNodeBitsView();
    ~CCanNodeBitsView() override;

    // Shows a message's signals with `current` marked; a negative index
    // with signals is a caller's error.
    void ShowBits(bool send, CCanSigArray* sigArray, int32_t current);
    void SetSignalView(CCanSignalView* view) { m_pSignalView = view; }
    CCanSigArray* GetSignals() const { return m_pSignals; }
    int32_t GetCurrentSignal() const { return m_current; }
    // The frame bit a cell stands for: row = byte, column 0 = bit 7.
    static int BitOfCell(int32_t col, int32_t row) { return 8 * row + 7 - col; }
    // The cell's background on screen.
    fw::COLORREF CellColour(int32_t col, int32_t row) const;
    // Where the current signal's arrow heads point in a cell: 0 none, 1 at
    // the cell's centre (its least significant bit), 2 at its left edge.
    int ArrowHead(int32_t col, int32_t row) const;

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    void DrawSheetCell(CZELDrawCell& cell) override;
    bool CanEditCell(int32_t, int32_t) override { return false; }
    bool CanPaste() const override { return false; }
    void OnCurrentCellChanged() override;
    void OnContextMenu(fw::CWnd*, fw::CPoint) override {}

private:
    CCanSignalView* m_pSignalView = nullptr;
    std::unique_ptr<CZELGridStyle> m_style;
    CCanSigArray* m_pSignals = nullptr;
    int32_t m_current = 0;
    uint8_t m_active = 1;
    uint8_t m_direction = 0;
};
