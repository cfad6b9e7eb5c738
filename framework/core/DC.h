#pragma once

// A device context in the original's shape over one drawing sink. It keeps
// what the sink needs to know and Qt has no notion of: mapping mode,
// window and viewport origins and extents, the current position, text
// alignment and colours, background mode, the selected pen, brush and font,
// the clip rectangle (device units) and the SaveDC stack.

#include "framework/core/DrawSink.h"

#include <vector>

namespace fw {

class CDC {
public:
    // The sink is not owned and must outlive the CDC.
    explicit CDC(IDrawSink* sink);
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    IDrawSink* Sink() const { return m_sink; }
    bool IsPrinting() const { return m_sink && m_sink->IsPrinting(); }
    int GetDeviceCaps(int index) const { return m_sink ? m_sink->DeviceCaps(index) : 0; }

    // --- mapping ------------------------------------------------------------
    int SetMapMode(int mode);  // the previous mode
    int GetMapMode() const { return m_s.mapMode; }
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(CPoint p) { return SetWindowOrg(p.x, p.y); }
    CPoint GetWindowOrg() const { return m_s.windowOrg; }
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(CPoint p) { return SetViewportOrg(p.x, p.y); }
    CPoint GetViewportOrg() const { return m_s.viewportOrg; }
    CPoint OffsetViewportOrg(int dx, int dy);
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(CSize s) { return SetWindowExt(s.cx, s.cy); }
    CSize GetWindowExt() const { return m_s.windowExt; }
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(CSize s) { return SetViewportExt(s.cx, s.cy); }
    CSize GetViewportExt() const { return m_s.viewportExt; }
    // Rounded to the nearest device or logical unit.
    void LPtoDP(CPoint* points, int count = 1) const;
    void LPtoDP(CRect* rect) const;
    void DPtoLP(CPoint* points, int count = 1) const;
    void DPtoLP(CRect* rect) const;
    void LPtoDP(CSize* size) const;
    void DPtoLP(CSize* size) const;
    // Device x = (logical x - window org x) * ScaleX() + viewport org x.
    double ScaleX() const;
    double ScaleY() const;

    // --- objects ------------------------------------------------------------
    // Each returns the previously selected object (the DC's default at first).
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CGdiObject* SelectStockObject(int index);
    const CPen& GetCurrentPen() const { return *m_s.pen; }
    const CBrush& GetCurrentBrush() const { return *m_s.brush; }
    const CFont& GetCurrentFont() const { return *m_s.font; }

    // --- attributes -----------------------------------------------------------
    COLORREF SetTextColor(COLORREF c);
    COLORREF GetTextColor() const { return m_s.textColor; }
    COLORREF SetBkColor(COLORREF c);
    COLORREF GetBkColor() const { return m_s.bkColor; }
    int SetBkMode(int mode);
    int GetBkMode() const { return m_s.bkMode; }
    unsigned SetTextAlign(unsigned align);
    unsigned GetTextAlign() const { return m_s.textAlign; }
    int SetROP2(int rop);
    int GetROP2() const { return m_s.rop2; }
    int SetPolyFillMode(int mode);

    // --- drawing ----------------------------------------------------------------
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(CPoint p) { return MoveTo(p.x, p.y); }
    bool LineTo(int x, int y);
    bool LineTo(CPoint p) { return LineTo(p.x, p.y); }
    CPoint GetCurrentPosition() const { return m_s.current; }
    bool Polyline(const CPoint* points, int count);
    bool Polygon(const CPoint* points, int count);
    bool Rectangle(int l, int t, int r, int b);
    bool Rectangle(const CRect& r) { return Rectangle(r.left, r.top, r.right, r.bottom); }
    bool Ellipse(int l, int t, int r, int b);
    bool Ellipse(const CRect& r) { return Ellipse(r.left, r.top, r.right, r.bottom); }
    void FillRect(const CRect& rect, const CBrush* brush);
    void FillSolidRect(const CRect& rect, COLORREF color);
    COLORREF SetPixel(int x, int y, COLORREF color);
    bool TextOut(int x, int y, const CString& text);
    bool ExtTextOut(int x, int y, unsigned options, const CRect* rect, const CString& text);
    // Lines split at "\n" (one line with DT_SINGLELINE); '&' marks a
    // mnemonic unless DT_NOPREFIX. DT_CALCRECT only measures into `rect`.
    // Returns the height of the text.
    int DrawText(const CString& text, CRect* rect, unsigned format);

    // --- text measurement ---------------------------------------------------------
    CSize GetTextExtent(const CString& text) const;
    bool GetTextMetrics(TEXTMETRIC* tm) const;

    // --- clipping --------------------------------------------------------------------
    // In logical units; the clip itself is kept in device units.
    int IntersectClipRect(int l, int t, int r, int b);
    int IntersectClipRect(const CRect& r) { return IntersectClipRect(r.left, r.top, r.right, r.bottom); }
    // nullptr removes the clip.
    int SelectClipRgn(const CRect* deviceRect);
    // The clip in logical units (the whole device when there is none).
    int GetClipBox(CRect* rect) const;
    bool HasClip() const { return m_s.hasClip; }
    const CRect& DeviceClip() const { return m_s.clip; }

    // --- state stack --------------------------------------------------------------------
    int SaveDC();  // the new level (from 1)
    // n > 0: back to level n; n < 0: n levels back.
    bool RestoreDC(int level);

private:
    struct State {
        int mapMode = MM_TEXT;
        CPoint windowOrg;
        CPoint viewportOrg;
        CSize windowExt{1, 1};
        CSize viewportExt{1, 1};
        CPoint current;
        COLORREF textColor = RGB(0, 0, 0);
        COLORREF bkColor = RGB(255, 255, 255);
        int bkMode = OPAQUE;
        unsigned textAlign = TA_TOP | TA_LEFT;
        int rop2 = R2_COPYPEN;
        int polyFill = ALTERNATE;
        CPen* pen = nullptr;
        CBrush* brush = nullptr;
        CFont* font = nullptr;
        bool hasClip = false;
        CRect clip;
    };
    void FixIsotropic();
    CRect DeviceBounds() const;

    IDrawSink* m_sink;
    State m_s;
    std::vector<State> m_saved;
    CPen m_defaultPen;
    CBrush m_defaultBrush;
    CFont m_defaultFont;
    CPen m_stockPens[3];
    CBrush m_stockBrushes[6];
};

} // namespace fw
