#include "chart/views/MarkerTools.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records what the tools ask of their window; the rubber band is the
// window's state, and every change of it is a repaint.
template <class Base> class FakeWindow : public Base {
public:
    void SetCapture() override { capture = true; }
    void ReleaseCapture() override
    {
        capture = false;
        ++releases;
    }
    bool HasCapture() const override { return capture; }
    void SetToolCursor(int id) override { cursor = id; }
    void ShowRubberBand(const fw::CRect& r) override
    {
        band = r;
        ++repaints;
    }

    bool capture = false;
    int releases = 0;
    int cursor = 0;
    fw::CRect band;
    int repaints = 0;
    std::vector<std::string> calls;
};

class FakeGps : public FakeWindow<IGpsMarkerWindow> {
public:
    fw::CRect GetToolClientRect() const override { return {0, 0, 300, 200}; }
    void SelectMarkers(int l, int t, int r, int b, bool add) override
    {
        calls.push_back("select " + std::to_string(l) + "," + std::to_string(t) + "," + std::to_string(r) + "," +
                        std::to_string(b) + (add ? " add" : ""));
    }
    void HitMarker(int x, int y) override { calls.push_back("hit " + std::to_string(x) + "," + std::to_string(y)); }
};

// Two columns: the graph 0..400, the legend 400..600; rows 100 high.
class FakePane : public FakeWindow<IGraphListMarkerWindow> {
public:
    int HitTestCell(fw::CPoint p, int32_t& col, int32_t& row) override
    {
        if (p.x < 0 || p.y < 0 || p.x >= 600)
            return 0;
        col = p.x < 400 ? 0 : 1;
        row = p.y / 100;
        return kZoneCell;
    }
    fw::CRect GetToolCellRect(int32_t col, int32_t row) const override
    {
        return col == 0 ? fw::CRect(0, row * 100, 400, row * 100 + 100) : fw::CRect(400, row * 100, 600, row * 100 + 100);
    }
    void SelectMarkersInRect(int l, int t, int r, int b, bool add) override
    {
        calls.push_back("select " + std::to_string(l) + "," + std::to_string(t) + "," + std::to_string(r) + "," +
                        std::to_string(b) + (add ? " add" : ""));
    }
    void HitMarkers(int x, int y) override { calls.push_back("hit " + std::to_string(x) + "," + std::to_string(y)); }
};

TEST(MarkerTools, EachFamilyFindsItsMarkerToolByShapeOne)
{
    ASSERT_NE(CGpsGraphTool::FindTool(1), nullptr);
    EXPECT_NE(dynamic_cast<CGpsMarkerTool*>(CGpsGraphTool::FindTool(1)), nullptr);
    EXPECT_EQ(CGpsGraphTool::FindTool(2), nullptr);
    ASSERT_NE(dynamic_cast<CMarkerTool*>(CGraphListTool::FindTool(1)), nullptr);
    EXPECT_EQ(CGraphListTool::FindTool(0), nullptr);
    EXPECT_EQ(CGraphListTool::FindTool(1)->GetCursor(), kMarkerToolCrossCursor);
}

TEST(MarkerTools, GpsBandFollowsTheMouseInsideTheViewAndSelectsOnRelease)
{
    FakeGps view;
    CGpsGraphTool& tool = *CGpsGraphTool::FindTool(1);
    tool.OnLButtonDown(view, 0, {50, 60});
    EXPECT_TRUE(view.capture);
    EXPECT_TRUE(view.band.IsRectEmpty()) << "a click shows no band yet";
    tool.OnMouseMove(view, 0, {20, 500});
    EXPECT_EQ(view.band, fw::CRect(20, 60, 50, 200)) << "normalised and kept inside the view";
    EXPECT_EQ(view.cursor, kMarkerToolCrossCursor);
    tool.OnLButtonUp(view, kMarkerToolShift, {20, 500});
    EXPECT_TRUE(view.band.IsRectEmpty()) << "the band is gone after the release";
    EXPECT_FALSE(view.capture);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"select 20,60,50,200 add"}));
    EXPECT_GE(view.repaints, 3);

    view.calls.clear();
    tool.OnLButtonDown(view, 0, {70, 80});
    tool.OnLButtonUp(view, 0, {70, 80});
    EXPECT_EQ(view.calls, (std::vector<std::string>{"select 70,80,70,80"})) << "a click is a one-point rectangle";
    tool.OnMouseMove(view, 0, {5, 5});
    EXPECT_TRUE(view.band.IsRectEmpty()) << "without the capture the mouse only moves";
    tool.OnLButtonDblClk(view, 0, {9, 8});
    EXPECT_EQ(view.calls.back(), "hit 9,8");
}

TEST(MarkerTools, GraphListBandStaysInsideItsCellAndIsGivenInCellCoordinates)
{
    FakePane pane;
    CGraphListTool& tool = *CGraphListTool::FindTool(1);
    tool.OnLButtonDown(pane, 0, {100, 150});
    ASSERT_TRUE(pane.capture);
    tool.OnMouseMove(pane, 0, {700, 20});
    EXPECT_EQ(pane.band, fw::CRect(100, 100, 400, 150)) << "clamped into row 1 of the graph column";
    tool.OnLButtonUp(pane, 0, {700, 20});
    EXPECT_TRUE(pane.band.IsRectEmpty());
    EXPECT_EQ(pane.calls, (std::vector<std::string>{"select 100,0,400,50"}));
    EXPECT_FALSE(pane.capture);

    pane.calls.clear();
    tool.OnLButtonDown(pane, 0, {120, 130});
    tool.OnLButtonUp(pane, kMarkerToolShift, {120, 130});
    EXPECT_EQ(pane.calls, (std::vector<std::string>{"select 120,30,120,30 add"}));
    tool.OnLButtonDblClk(pane, 0, {120, 130});
    EXPECT_EQ(pane.calls.back(), "hit 120,30");
}

TEST(MarkerTools, APressOutsideTheGraphColumnStartsNoBandAndSelectsNothing)
{
    FakePane pane;
    CGraphListTool& tool = *CGraphListTool::FindTool(1);
    tool.OnLButtonDown(pane, 0, {450, 50});
    EXPECT_FALSE(pane.capture);
    tool.OnMouseMove(pane, 0, {100, 50});
    EXPECT_TRUE(pane.band.IsRectEmpty());
    const int releases = pane.releases;
    tool.OnLButtonUp(pane, 0, {100, 50});
    EXPECT_TRUE(pane.calls.empty());
    EXPECT_EQ(pane.releases, releases + 1) << "the release still lets the capture go";
}

} // namespace
