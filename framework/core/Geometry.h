#pragma once

// Points, sizes, rectangles and colours in the original's integer form.
// Rectangles are half-open: right and bottom lie outside.

#include <algorithm>
#include <cstdint>

namespace fw {

using COLORREF = uint32_t;  // 0x00BBGGRR

constexpr COLORREF RGB(uint8_t r, uint8_t g, uint8_t b)
{
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr uint8_t GetRValue(COLORREF c) { return static_cast<uint8_t>(c & 0xFF); }
constexpr uint8_t GetGValue(COLORREF c) { return static_cast<uint8_t>((c >> 8) & 0xFF); }
constexpr uint8_t GetBValue(COLORREF c) { return static_cast<uint8_t>((c >> 16) & 0xFF); }

struct CSize {
    int32_t cx = 0;
    int32_t cy = 0;
    constexpr CSize() = default;
    constexpr CSize(int32_t x, int32_t y) : cx(x), cy(y) {}
    friend constexpr bool operator==(const CSize&, const CSize&) = default;
};

struct CPoint {
    int32_t x = 0;
    int32_t y = 0;
    constexpr CPoint() = default;
    constexpr CPoint(int32_t px, int32_t py) : x(px), y(py) {}
    void Offset(int32_t dx, int32_t dy) { x += dx; y += dy; }
    friend constexpr bool operator==(const CPoint&, const CPoint&) = default;
    friend constexpr CPoint operator+(CPoint a, CSize s) { return {a.x + s.cx, a.y + s.cy}; }
    friend constexpr CPoint operator-(CPoint a, CSize s) { return {a.x - s.cx, a.y - s.cy}; }
    friend constexpr CSize operator-(CPoint a, CPoint b) { return {a.x - b.x, a.y - b.y}; }
};

struct CRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int32_t l, int32_t t, int32_t r, int32_t b) : left(l), top(t), right(r), bottom(b) {}
    constexpr CRect(CPoint tl, CSize size) : left(tl.x), top(tl.y), right(tl.x + size.cx), bottom(tl.y + size.cy) {}
    constexpr CRect(CPoint tl, CPoint br) : left(tl.x), top(tl.y), right(br.x), bottom(br.y) {}

    constexpr int32_t Width() const { return right - left; }
    constexpr int32_t Height() const { return bottom - top; }
    constexpr CSize Size() const { return {Width(), Height()}; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    constexpr CPoint BottomRight() const { return {right, bottom}; }
    constexpr CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    constexpr bool PtInRect(CPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

    void SetRect(int32_t l, int32_t t, int32_t r, int32_t b) { *this = CRect(l, t, r, b); }
    void SetRectEmpty() { *this = CRect(); }
    void OffsetRect(int32_t dx, int32_t dy) { left += dx; right += dx; top += dy; bottom += dy; }
    void OffsetRect(CPoint d) { OffsetRect(d.x, d.y); }
    void InflateRect(int32_t dx, int32_t dy) { left -= dx; right += dx; top -= dy; bottom += dy; }
    void DeflateRect(int32_t dx, int32_t dy) { InflateRect(-dx, -dy); }
    void NormalizeRect()
    {
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
    }
    // False (and an empty rectangle) when they do not overlap.
    bool IntersectRect(const CRect& a, const CRect& b)
    {
        *this = CRect(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                      std::min(a.bottom, b.bottom));
        if (IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        return true;
    }
    bool UnionRect(const CRect& a, const CRect& b)
    {
        if (a.IsRectEmpty()) *this = b;
        else if (b.IsRectEmpty()) *this = a;
        else *this = CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                           std::max(a.bottom, b.bottom));
        return !IsRectEmpty();
    }
    friend constexpr bool operator==(const CRect&, const CRect&) = default;
};

} // namespace fw
