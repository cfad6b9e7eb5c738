#include "chart/model/PlotZones.h"

#include "chart/model/GrRecord.h"

namespace {

enum Edge { kTop, kRight, kBottom, kLeft };

// The edges a segment from a zone may enter by, in the order tried.
struct ZoneEdges {
    int count;
    Edge edges[2];
};

constexpr ZoneEdges kZoneEdges[9] = {
    {0, {kTop, kTop}},       {1, {kTop, kTop}},     {2, {kTop, kRight}},     {1, {kRight, kRight}},
    {2, {kRight, kBottom}},  {1, {kBottom, kBottom}}, {2, {kBottom, kLeft}}, {1, {kLeft, kLeft}},
    {2, {kLeft, kTop}},
};

bool Between(int e, int a, int b)
{
    return (a < e && e < b) || (b < e && e < a);
}

bool CrossEdge(const fw::CRect& box, Edge edge, fw::CPoint a, fw::CPoint b, fw::CPoint& out)
{
    if (edge == kTop || edge == kBottom) {
        const int e = edge == kTop ? box.top : box.bottom;
        if (!Between(e, a.y, b.y))
            return false;
        out = {GrRound(double(e - a.y) * double(b.x - a.x) / double(b.y - a.y) + a.x), e};
        return true;
    }
    const int e = edge == kLeft ? box.left : box.right;
    if (!Between(e, a.x, b.x))
        return false;
    out = {e, GrRound(double(e - a.x) * double(b.y - a.y) / double(b.x - a.x) + a.y)};
    return true;
}

} // namespace

int PlotZoneOf(const fw::CRect& box, fw::CPoint p)
{
    const bool above = p.y < box.top, below = p.y > box.bottom;
    const bool left = p.x < box.left, right = p.x > box.right;
    if (above)
        return right ? 2 : left ? 8 : 1;
    if (below)
        return right ? 4 : left ? 6 : 5;
    if (right)
        return 3;
    if (left)
        return 7;
    return 0;
}

bool PlotZoneCrossing(const fw::CRect& box, int zone, fw::CPoint a, fw::CPoint b, fw::CPoint& out)
{
    if (zone < 1 || zone > 8)
        return false;
    const ZoneEdges& z = kZoneEdges[zone];
    for (int i = 0; i < z.count; ++i)
        if (CrossEdge(box, z.edges[i], a, b, out))
            return true;
    return false;
}

fw::CPoint PlotZoneClamp(const fw::CRect& box, int zone, fw::CPoint p)
{
    switch (zone) {
    case 1: return {p.x, box.top};
    case 2: return {box.right, box.top};
    case 3: return {box.right, p.y};
    case 4: return {box.right, box.bottom};
    case 5: return {p.x, box.bottom};
    case 6: return {box.left, box.bottom};
    case 7: return {box.left, p.y};
    case 8: return {box.left, box.top};
    default: return p;
    }
}

bool PlotBoxHolds(const fw::CRect& box, fw::CPoint p)
{
    return p.x >= box.left && p.x < box.right && p.y >= box.top && p.y < box.bottom;
}
