#pragma once

// A tab control that draws its own tabs, so that the selected tab can use
// another font than the others, and that can place itself as a strip of
// sheet tabs along the bottom of its owner window.

#include "docbase/controls/OwnerDraw.h"
#include "framework/core/Gdi.h"
#include "framework/ui/Controls.h"

#include <cstdint>

class QTabBar;

namespace fw {
class CDC;
}

class CZELTabCtrl : public fw::CControl {
    FW_DECLARE_DYNAMIC(CZELTabCtrl)
public:
    static constexpr int kMaxItemText = 63;

    CZELTabCtrl();
    ~CZELTabCtrl() override;

    // --- the tab control underneath ---------------------------------------------
    int InsertItem(int index, const fw::CString& text, int image = -1);
    int GetItemCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    // False for a tab that does not exist.
    bool GetItem(int index, fw::CString& text, int& image) const;
    fw::CRect GetItemRect(int index) const;
    // The image list's image size; no list until it is set.
    void SetImageList(int cx, int cy);
    bool HasImageList() const { return m_imageCx > 0; }
    // The window the strip belongs to (the parent when none is set).
    void SetOwner(fw::CWnd* owner) { m_owner = owner; }

    // Makes the two fonts from the control's font (or the message-box font)
    // and gives the control the heavier one.
    void SetFonts(int32_t selWeight, uint8_t selItalic, uint8_t selUnderline, int32_t weight, uint8_t italic,
                  uint8_t underline);
    // The control's own font.
    fw::LOGFONT GetControlFont() const;
    // Places the control along the bottom of its owner: one tab high plus
    // 9 pixels, its lower border below the owner's client area.
    void ResizeClient();
    static fw::CRect StripRect(const fw::CRect& ownerClient, const fw::CRect& firstTab);

    // Owner drawing of tab `info.itemID` (turned on by the owner-draw flag).
    void SetOwnerDraw(uint8_t on);
    virtual void DrawItem(fw::CDC& dc, const appctl::DrawItemInfo& info);

    int32_t m_nReserved = 0;
    fw::COLORREF m_crText = fw::RGB(50, 50, 50);
    fw::CFont m_fontSelected;
    fw::CFont m_fontOther;
    uint8_t m_bOwnerDraw = 0;

protected:
    // Draws image `image` with its top-left corner at (x, y).
    virtual void DrawImage(fw::CDC& dc, int image, int x, int y) {}

private:
    QTabBar* Bar() const;

    int m_imageCx = 0;
    int m_imageCy = 0;
    fw::CWnd* m_owner = nullptr;
};
