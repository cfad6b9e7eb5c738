#pragma once

// A time mark as a graph shows it: a glyph at a device point that can be
// hit, selected and activated (a voice mark plays its recording). The
// drawn marker points at its mark but does not own it.

#include "framework/core/Geometry.h"
#include "framework/core/Object.h"

#include <cstdint>
#include <limits>

namespace fw {
class CDC;
}
class CMarkerObj;

class CDrawMarker : public fw::CObject {
    FW_DECLARE_SERIAL(CDrawMarker)
public:
    // A coordinate of a marker that has no place on the graph.
    static constexpr int32_t kNotPlaced = std::numeric_limits<int32_t>::max();
    // Half the width of a glyph and the height of the graph triangle.
    static constexpr int32_t kHalfSize = 4;
    static constexpr int32_t kTriangleHeight = 8;

    CDrawMarker() = default;
    // The voice flag follows the kind of the mark.
    explicit CDrawMarker(CMarkerObj* mark);

    // Voice flag, selected byte, then the mark as an object. The position
    // and the hit rectangle are worked out again when drawn.
    void Serialize(fw::CArchive& ar) override;

    virtual void Draw(fw::CDC& dc, const fw::CRect& plot);
    // The tracker of a selected marker, drawn in device units.
    virtual void DrawSelection(fw::CDC& dc) const;
    virtual bool HitTest(fw::CPoint point) const { return m_hitRect.PtInRect(point); }
    virtual void SetPosition(int32_t x, int32_t y);
    virtual bool Intersects(const fw::CRect& rect) const;
    // Plays the mark (a voice mark's recording).
    virtual void Activate();
    virtual void UpdateHitRect() {}

    bool IsPlaced() const { return m_x != kNotPlaced && m_y != kNotPlaced; }
    bool IsSelected() const { return m_bSelected != 0; }
    void SetSelected(bool on) { m_bSelected = on ? 1 : 0; }
    bool IsVoice() const { return m_bVoice != 0; }
    CMarkerObj* GetMark() const { return m_pMark; }
    // Whether the mark stands for a voice recording (the mark's own kind,
    // whatever the stored flag says).
    bool HasVoiceMark() const;
    fw::CPoint GetPosition() const { return {m_x, m_y}; }
    const fw::CRect& GetHitRect() const { return m_hitRect; }

protected:
    // Green outline; red inside for a voice mark, yellow otherwise.
    void SelectColours(fw::CDC& dc) const;
    // An empty rectangle at the point, which nothing hits.
    void ClearHitRect() { m_hitRect = fw::CRect(m_x, m_y, m_x, m_y); }

    int32_t m_x = kNotPlaced;
    int32_t m_y = kNotPlaced;
    fw::CRect m_hitRect;
    int32_t m_bSelected = 0;
    int32_t m_bVoice = 0;
    CMarkerObj* m_pMark = nullptr;
};

// A circle on the GPS track.
class CDrawGPSMarker : public CDrawMarker {
    FW_DECLARE_SERIAL(CDrawGPSMarker)
public:
    CDrawGPSMarker() = default;
    explicit CDrawGPSMarker(CMarkerObj* mark) : CDrawMarker(mark) {}

    void Draw(fw::CDC& dc, const fw::CRect& plot) override;
    void UpdateHitRect() override;
};

// A triangle above a time graph whose tip stands on the plot's top edge,
// joined by a line to the mark's point on the curve.
class CDrawGraphMarker : public CDrawMarker {
    FW_DECLARE_SERIAL(CDrawGraphMarker)
public:
    CDrawGraphMarker() = default;
    explicit CDrawGraphMarker(CMarkerObj* mark) : CDrawMarker(mark) {}

    void Draw(fw::CDC& dc, const fw::CRect& plot) override;
};
