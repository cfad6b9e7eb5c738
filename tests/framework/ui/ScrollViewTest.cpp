#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "framework/ui/ScrollView.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

using namespace fw;

class Sheet : public CScrollView {
public:
    Sheet()
    {
        SetAutoDelete(false);
        Create(nullptr, nullptr);
        Widget()->resize(200, 100);
        Widget()->show();  // lays the viewport out
    }
    void OnDraw(CDC* dc) override { dc->Rectangle(0, 0, 1000, 2000); }
};

TEST(ScrollView, PositionMovesTheDrawingOrigin)
{
    Sheet sheet;
    sheet.SetScrollSizes(MM_TEXT, CSize(1000, 2000));
    const int vMax = sheet.ScrollArea()->verticalScrollBar()->maximum();
    EXPECT_EQ(vMax, 2000 - sheet.ScrollArea()->viewport()->height());
    EXPECT_EQ(sheet.ScrollArea()->verticalScrollBar()->pageStep(), 200);
    sheet.ScrollToPosition(CPoint(30, 500));
    EXPECT_EQ(sheet.GetScrollPosition(), CPoint(30, 500));
    RecordingSink sink;
    CDC dc(&sink);
    sheet.OnPrepareDC(&dc);
    CPoint p(30, 500);
    dc.LPtoDP(&p);
    EXPECT_EQ(p, CPoint(0, 0)) << "the scrolled-to point is the window's corner";
    sheet.ScrollToPosition(CPoint(0, 99999));
    EXPECT_EQ(sheet.GetScrollPosition().y, vMax) << "clamped to the end";
}

TEST(ScrollView, MetricModesCountYUpwards)
{
    Sheet sheet;
    // 100 mm by 100 mm in tenths of a millimetre.
    sheet.SetScrollSizes(MM_LOMETRIC, CSize(1000, 1000));
    EXPECT_EQ(sheet.ScrollArea()->verticalScrollBar()->maximum() + sheet.ScrollArea()->viewport()->height(), 378);
    sheet.ScrollToPosition(CPoint(0, -100));
    EXPECT_EQ(sheet.GetDeviceScrollPosition(), CPoint(0, 38));
    RecordingSink sink;
    CDC dc(&sink);
    sheet.OnPrepareDC(&dc);
    EXPECT_EQ(dc.GetMapMode(), MM_LOMETRIC);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, -38));
}

} // namespace
