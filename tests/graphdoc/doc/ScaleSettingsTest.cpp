#include "chart/model/KivGraphDraw.h"
#include "graphdoc/model/ScaleSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(ScaleSettingsTest, AutoScrollWidthMovesTheWindow)
{
    struct Row {
        const char* name;
        double oldMinimum;
        double expectedMinimum;
        double expectedMaximum;
    };
    const Row rows[] = {
        {"minimum from the maximum", 0.0, 70.0, 100.0},
        {"maximum from a higher minimum", 80.0, 80.0, 110.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CKivGraphDraw draw;
        draw.m_autoScroll = 1;
        draw.Scale().m_x.minimum = row.oldMinimum;
        draw.Scale().m_x.autoMode = 0;
        ScaleSettings s;
        s.Load(draw);
        s.x.autoScale = 0;
        s.x.maximum = 100.0;
        s.x.minimum = 30.0;  // the width
        s.x.subdivisions = 1;
        s.y.subdivisions = 1;
        s.Store(draw);
        EXPECT_DOUBLE_EQ(draw.m_autoScrollWidth, 30.0);
        EXPECT_DOUBLE_EQ(draw.Scale().m_x.minimum, row.expectedMinimum);
        EXPECT_DOUBLE_EQ(draw.Scale().m_x.maximum, row.expectedMaximum);
    }
}

TEST(ScaleSettingsTest, StylesAndGraphTypes)
{
    CKivGraphDraw draw;
    ScaleSettings s;
    s.Load(draw);
    EXPECT_EQ(s.style, 0);
    s.style = 1;
    s.x.subdivisions = s.y.subdivisions = 1;
    s.Store(draw);
    EXPECT_EQ(draw.Scale().m_scaleType, 2);
    EXPECT_EQ(draw.Info().m_graphType, 2);

    ScaleSettings frequency;
    frequency.frequencyMode = 1;
    frequency.Load(draw);
    EXPECT_EQ(frequency.style, 1);
    frequency.x.autoScale = 1;
    frequency.Store(draw);
    EXPECT_EQ(draw.Scale().m_scaleType, 4);
    EXPECT_EQ(draw.Info().m_graphType, 60);
    // The frequency graphs' own automatic mode.
    EXPECT_EQ(draw.Scale().m_x.autoMode, 2);
}

} // namespace
