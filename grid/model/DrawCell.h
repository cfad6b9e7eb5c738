#pragma once

// The drawing context a grid hands to its owner for every visible cell:
// the cell, its rectangles, the pane's default format and the device. It
// draws a text into the cell with the pane's rules: format overrides,
// alignment, background, line breaks, the "\super" markup and the mark
// of the current cell.

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "grid/model/CellFormat.h"

#include <cstdint>
#include <vector>

namespace fw {
class CDC;
class CFont;
}

enum DrawCellState : uint32_t {
    kCellSelected = 0x1,
    kCellCurrentFocused = 0x10,
};

enum DrawCellArrow : int32_t {
    kArrowDown = 1,
    kArrowRight = 2,
};

// The marker that switches between normal and raised text.
inline constexpr const char* kSuperMarker = "\\super";

// Height of the raised font: the normal height times 0.9 in single precision.
int32_t SuperscriptHeight(int32_t height);
// How far raised text goes up above the line.
int32_t SuperscriptRaise(int32_t charHeight);
// The pieces of a marked-up text: normal first, then alternating.
std::vector<fw::CString> SplitSuperscript(const fw::CString& text);

class CZELDrawCell {
public:
    CZELDrawCell() = default;
    virtual ~CZELDrawCell() = default;
    CZELDrawCell(const CZELDrawCell&) = delete;
    CZELDrawCell& operator=(const CZELDrawCell&) = delete;

    int32_t GetColumn() const { return m_nCol; }
    int32_t GetRow() const { return m_nRow; }

    void DrawText(const fw::CString& text, const CellFormat* format = nullptr);
    void DrawResourceText(unsigned id, const CellFormat* format = nullptr);
    void DrawSingleLine(const fw::CString& text, const CellFormat* format = nullptr);
    void DrawMultiLine(const fw::CString& text, const CellFormat* format = nullptr);
    virtual void DrawTextMarkup(const fw::CString& text, const fw::CRect& rect, const fw::CRect& clip,
                                unsigned options, uint32_t align, const CellFormat* format);
    void PlaceText(int& x, int& y, fw::CRect rect, uint32_t align);
    void DrawDropDownButton();

    CellFormat m_format;
    uint32_t m_nState = 0;
    int32_t m_nCol = -1;
    int32_t m_nRow = -1;
    int32_t m_nCtrlId = 0;
    fw::CDC* m_pDC = nullptr;
    fw::CRect m_rcCell;
    fw::CRect m_rcText;
    fw::CPoint m_arrow[4];
    int32_t m_nArrowKind = kArrowDown;
    // The inside of the current cell, which the selection leaves as it is
    // (empty when this cell is not the focused current cell).
    fw::CRect m_rcKeep;

private:
    struct Saved;
    // Applies the colours and font of the cell; returns the alignment.
    uint32_t BeginCell(const CellFormat* format, Saved& saved, fw::CFont& font);
    void EndCell(const Saved& saved);
    void MarkCurrent(const CellFormat* format);
};
