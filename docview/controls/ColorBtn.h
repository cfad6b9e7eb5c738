#pragma once

// A push button with a coloured face and a bevel, drawn by the program. In
// indicator mode (the state after construction) the face is the indicator
// colour (green) and the caption uses the system colours; otherwise the
// button's own face, text and disabled-text colours are used.

#include "docbase/controls/OwnerDraw.h"
#include "framework/ui/Controls.h"

#include <cstdint>

namespace fw {
class CDC;
}

class CColorBtn : public fw::CButton {
    FW_DECLARE_DYNAMIC(CColorBtn)
public:
    static constexpr int kMaxCaption = 512;

    CColorBtn();

    // Takes the place of the button `id` of `parent` (its caption, state,
    // place and notifications) and keeps the colours and the depth; false
    // (nothing stored) when there is no such button. The indicator mode
    // stays as it was.
    bool SubclassButton(int id, fw::CWnd* parent, fw::COLORREF face, fw::COLORREF text, fw::COLORREF disabledText,
                        int bevel);
    // Sets the indicator mode and repaints at once.
    void SetDrawValue(uint8_t mode);
    // Sets the face colour and repaints.
    void SetColor(fw::COLORREF face);

    virtual void DrawItem(fw::CDC& dc, const appctl::DrawItemInfo& info);
    // Bevel of `depth` rings over `rect`, outermost first; negative: sunken.
    static void DrawBevel(fw::CDC& dc, const fw::CRect& rect, int depth);

    int32_t m_nBevel = 0;
    fw::COLORREF m_crText = 0;
    fw::COLORREF m_crFace = 0;
    fw::COLORREF m_crDisabledText = 0;
    fw::COLORREF m_crIndicator = fw::RGB(0, 192, 0);
    uint8_t m_bIndicator = 1;

private:
    void DrawCaption(fw::CDC& dc, const fw::CRect& rect, fw::COLORREF color);
    void Repaint();
};

// A one-pixel dotted frame, the focus mark of owner-drawn items.
void DrawFocusFrame(fw::CDC& dc, const fw::CRect& rect);
