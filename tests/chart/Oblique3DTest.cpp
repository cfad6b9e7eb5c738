// The oblique box of the frequency column charts and its axis elements.

#include "chart/model/GrRecord.h"
#include "chart/model/OGPRecord.h"
#include "chart/model/Oblique3D.h"
#include "framework/core/RecordingSink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

OGPRecord Record(fw::CRect plot, double x0, double x1, double y0, double y1)
{
    OGPRecord rec;
    GrInitRecord(&rec);
    GrSetPlotRect(plot.left, plot.top, plot.right, plot.bottom, &rec);
    GrSetXRange(x0, x1, &rec);
    GrSetYRange(y0, y1, &rec);
    return rec;
}

std::vector<std::string> Lines(const fw::RecordingSink& sink)
{
    std::vector<std::string> out;
    for (const std::string& line : sink.Log())
        if (line.rfind("line", 0) == 0)
            out.push_back(line.substr(0, line.find(" pen")));
    return out;
}

TEST(Oblique3D, FrameIsOnePolylineOfTheBox)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    OGPRecord rec = Record({0, 0, 400, 300}, 0, 1, 0, 1);
    CPlotFrame3D frame;
    frame.SetFrameWidth(4);
    frame.Draw(dc, &rec);
    ASSERT_EQ(sink.Log().size(), 1u);
    EXPECT_EQ(sink.Log()[0].substr(0, sink.Log()[0].find(" pen")),
              "polyline 98,-2 400,-2 400,202 98,202 98,-2 -2,102 -2,302 300,302 400,202 98,202 -2,302");
}

TEST(Oblique3D, GridLinesFollowTheirFace)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    OGPRecord rec = Record({0, 0, 400, 300}, 0, 4, 0, 3);
    CXGridLine3D x;
    x.SetWalk(0, 2, 4);
    x.SetMajorLattice(0, 2, 4);
    x.SetZeroLine(1);
    struct Row {
        const char* name;
        int16_t mode, shift;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        // Mode 0: vertical from the bottom edge up, no zero line.
        {"flat", 0, 0, {"line 200,300 200,0"}},
        {"flat_shifted", 0, 25, {"line 200,300 225,0"}},
        // The floor: Y 0..3 maps onto 300..200; up and back by 2/3 of the height.
        {"floor", oblique::kFloor, 10, {"line 200,233 210,33"}},
        // The left wall: X 0..4 onto its quarter 0..100, Y over the full
        // height; across by 3/4 of the width, one pixel below the value.
        {"left_wall", oblique::kLeftWall, 0, {"line 50,101 350,101", "line 100,-99 400,-99"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        sink.Clear();
        x.SetMode(r.mode);
        x.SetShift(r.shift);
        x.Draw(dc, &rec);
        EXPECT_EQ(r.lines, Lines(sink));
    }

    sink.Clear();
    CYGridLine3D y;
    y.SetWalk(0, 1, 3);
    y.SetMajorLattice(0, 3, 3);
    y.SetShift(-100);
    y.Draw(dc, &rec);
    EXPECT_EQ((std::vector<std::string>{"line 0,200 400,100", "line 0,100 400,0"}), Lines(sink));
}

TEST(Oblique3D, MarksAndLabelsInModeZeroAreTheFlatOnes)
{
    fw::RecordingSink flatSink, obliqueSink;
    fw::CDC flatDc(&flatSink), obliqueDc(&obliqueSink);
    OGPRecord a = Record({100, 50, 500, 350}, 0, 10, 0, 100);
    OGPRecord b = a;
    CTickXMark flat;
    CTickXMark3D tilted;
    for (CTickXMark* mark : {&flat, static_cast<CTickXMark*>(&tilted)}) {
        mark->SetWalk(0, 5, 10);
        mark->SetMajorLattice(0, 10, 10);
    }
    flat.Draw(flatDc, &a);
    tilted.Draw(obliqueDc, &b);
    EXPECT_EQ(flatSink.Log(), obliqueSink.Log());

    flatSink.Clear();
    obliqueSink.Clear();
    CTickXLabel flatLabel;
    CTickXLabel3D label;
    label.SetRange(0, 2, 10);
    flatLabel.SetRange(0, 2, 10);
    flatLabel.Draw(flatDc, &a);
    label.Draw(obliqueDc, &b);
    EXPECT_EQ(flatSink.Log(), obliqueSink.Log());
    EXPECT_FALSE(obliqueSink.Log().empty());
}

} // namespace
