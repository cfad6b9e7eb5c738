#pragma once

// Owner-drawn combo boxes that show the choice itself: colours, fill
// patterns, line patterns and plot symbols. Items have no text; an item's
// data is its value (a COLORREF, a fill number, a 16-bit on/off pattern, a
// symbol type).

#include "docbase/controls/OwnerDraw.h"
#include "framework/ui/Controls.h"

#include <cstdint>

namespace fw {
class CDC;
}

namespace appctl {

// The character height of the default GUI font on the screen.
int ScreenCharHeight();
// A one-pixel frame just inside `rect`.
void FrameRect(fw::CDC& dc, const fw::CRect& rect, fw::COLORREF color);

} // namespace appctl

// What the combo pickers share: the owner-draw hookup into Qt and the
// selection frame of the original.
class COwnerDrawCombo : public fw::CComboBox {
    FW_DECLARE_DYNAMIC(COwnerDrawCombo)
public:
    COwnerDrawCombo();
    // Appends an item without text whose data is `data`.
    int AddItemData(uintptr_t data);
    virtual void DrawItem(fw::CDC& dc, const appctl::DrawItemInfo& info);
    virtual void MeasureItem(appctl::MeasureItemInfo& info) = 0;

protected:
    virtual void DrawSample(fw::CDC& dc, const appctl::DrawItemInfo& info) = 0;
    virtual fw::COLORREF SelectedFrame(const appctl::DrawItemInfo& info) const { return fw::RGB(0, 0, 0); }
    virtual fw::COLORREF UnselectedFrame(const appctl::DrawItemInfo& info) const { return fw::RGB(255, 255, 255); }
};

class CColorCmbBox : public COwnerDrawCombo {
    FW_DECLARE_DYNAMIC(CColorCmbBox)
public:
    // Inserted in the sort order of CompareItem; the index of the item.
    int AddColor(fw::COLORREF color);
    void MeasureItem(appctl::MeasureItemInfo& info) override;
    // 0 for equal colours; else the smaller sum of red, green and blue
    // first; on equal sums -1 when c1 has more blue, or more green, or more
    // red than c2, else 1 (not symmetric, as the original's).
    static int CompareItem(fw::COLORREF c1, fw::COLORREF c2);

protected:
    void DrawSample(fw::CDC& dc, const appctl::DrawItemInfo& info) override;
    fw::COLORREF SelectedFrame(const appctl::DrawItemInfo& info) const override;
    fw::COLORREF UnselectedFrame(const appctl::DrawItemInfo& info) const override;
};

class CHatchBox : public COwnerDrawCombo {
    FW_DECLARE_DYNAMIC(CHatchBox)
public:
    int AddHatch(int16_t fill);
    void MeasureItem(appctl::MeasureItemInfo& info) override;

protected:
    void DrawSample(fw::CDC& dc, const appctl::DrawItemInfo& info) override;
};

class CLineCmbBox : public COwnerDrawCombo {
    FW_DECLARE_DYNAMIC(CLineCmbBox)
public:
    static constexpr unsigned kItemHeight = 18;
    void MeasureItem(appctl::MeasureItemInfo& info) override;

protected:
    void DrawSample(fw::CDC& dc, const appctl::DrawItemInfo& info) override;
};

class CSymbolCmbbox : public COwnerDrawCombo {
    FW_DECLARE_DYNAMIC(CSymbolCmbbox)
public:
    static constexpr unsigned kItemHeight = 18;
    static constexpr int kSymbolSize = 5;
    void MeasureItem(appctl::MeasureItemInfo& info) override;

protected:
    void DrawSample(fw::CDC& dc, const appctl::DrawItemInfo& info) override;
};

