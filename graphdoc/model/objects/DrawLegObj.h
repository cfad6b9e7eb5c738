#pragma once

// The legend box of a graph page: one entry per series of the page's main
// graph, a sample of the series' line and symbol (or of its fill, for
// column and bar graphs) before its legend text. It keeps no entries of its
// own: every paint and every resize reads the series again.

#include "common/base/LogFont.h"
#include "docbase/graphpage/DrawObj.h"

class CGraphSetting;
class CGraphParamArray;

class CDrawLegObj : public CDrawObj {
    FW_DECLARE_SERIAL(CDrawLegObj)
public:
    static constexpr int32_t kVertical = 900;

    // Loading: a turned font at the corner (the record overwrites both).
    CDrawLegObj();
    // A horizontal legend placed in the page area by its relative position.
    explicit CDrawLegObj(const fw::CRect& pageArea);
    ~CDrawLegObj() override = default;

    // The drawing-object record and the font; the text colour is not stored.
    void Serialize(fw::CArchive& ar) override;
    void Draw(fw::CDC* dc) override;
    // Sizes the box to the entries as measured on the display.
    void ResetSize() override;
    void OnEditProperties() override;
    CDrawObj* Clone(CZELGraphViewDoc* document) override;

    int GetHandleCount() override { return 0; }
    fw::CPoint GetHandle(int handle) override { return fw::CPoint(-1, -1); }
    GraphCursor GetHandleCursor(int handle) override { return GraphCursor::arrow; }
    void MoveHandleTo(int handle, fw::CPoint point, IGraphPageView* view = nullptr) override {}
    const fw::LOGFONT* GetFont() override { return &m_font; }
    fw::COLORREF GetTextColor() override { return m_textColor; }
    void SetTextColor(fw::COLORREF color) override { m_textColor = color; }
    bool CanCopy() override { return false; }

    virtual void DrawLineEntries(fw::CDC& dc);
    virtual void DrawBoxEntries(fw::CDC& dc);
    // Resizes, then keeps the box inside the page's width (never left of 0).
    void FitToPage();

    bool IsVertical() const { return m_font.lfEscapement != 0; }
    void SetVertical(bool vertical);

    fw::LOGFONT m_font;
    fw::COLORREF m_textColor = 0;

protected:
    // The drawer whose series the legend lists; null on a page without one.
    virtual CGraphSetting* GetSourceDraw() const;
    // The number of entries (one for a drawer of X-axis kind 3).
    int GetEntryCount(const CGraphSetting& draw) const;
    // The legend text of entry i; a blank when it is empty.
    virtual fw::CString GetEntryText(const CGraphSetting& draw, int i) const;
};
