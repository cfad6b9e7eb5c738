// The plot-data dialog's rules without a window: column layouts and row
// sources by graph type and creation kind, selection modes, range limits
// and the plot lines made from the selection template.

#include "graphdoc/model/GraphDataRules.h"
#include "graphdoc/model/GraphPrf.h"

#include <gtest/gtest.h>

namespace {

using namespace graphdata;

TEST(GraphDataRules, ColumnLayoutsFollowTypeKindAndLayout)
{
    struct Row {
        const char* name;
        int type, kind, layout;
        int x, y;
    };
    const Row rows[] = {
        {"time course", 1, 2, 0, 1, 0},
        {"time-course monitor", 3, 10, 0, 1, 0},
        {"cycle graph", 1, 7, 0, 6, 6},
        {"x-y line", 4, 0, 0, 0, 0},
        {"history", 10, 8, 2, 7, 7},
        {"x distribution, bar layout", 31, 0, 1, 2, 0},
        {"vertical bars, history layout", 33, 0, 2, 1, 0},
        {"y distribution, plain layout", 32, 0, 0, 0, 3},
        {"horizontal bars, bar layout", 34, 0, 1, 0, 2},
    };
    for (const Row& r : rows) {
        const ColumnKinds c = ListColumns(r.type, r.kind, r.layout);
        EXPECT_EQ(c.x, r.x) << r.name;
        EXPECT_EQ(c.y, r.y) << r.name;
    }
}

TEST(GraphDataRules, TimeCoursesOfferOnlyTheElapsedTimeAsX)
{
    const ListFill course = ListContents(1, 2);
    ASSERT_EQ(course.x.count, 1);
    EXPECT_EQ(course.x.blocks[0].first, 499);
    EXPECT_EQ(course.x.blocks[0].last, 499);
    EXPECT_EQ(course.x.blocks[0].listKind, 2);
    ASSERT_EQ(course.y.count, 3);
    EXPECT_STREQ(course.y.blocks[0].prefix, "CH");
    EXPECT_EQ(course.y.blocks[0].last, 320);
    EXPECT_STREQ(course.y.blocks[1].prefix, "NO");
    EXPECT_EQ(course.y.blocks[1].first, 500);
    EXPECT_EQ(course.y.blocks[2].listKind, 5);

    const ListFill monitor = ListContents(1, 10);
    EXPECT_EQ(monitor.x.blocks[0].listKind, 4);
    EXPECT_EQ(monitor.x.blocks[0].source, Source::monitorChannels);
    EXPECT_EQ(monitor.y.blocks[0].listKind, 4);

    const ListFill lineMonitor = ListContents(1, 9);
    EXPECT_EQ(lineMonitor.x.blocks[0].listKind, 4);
    EXPECT_EQ(lineMonitor.x.count, lineMonitor.y.count);

    const ListFill bars = ListContents(34, 0);
    ASSERT_EQ(bars.y.count, 1);
    EXPECT_STREQ(bars.y.blocks[0].prefix, "POS");
    EXPECT_EQ(bars.y.blocks[0].source, Source::opData);
    EXPECT_EQ(bars.y.blocks[0].last, 2);
    EXPECT_EQ(bars.x.blocks[0].listKind, 2);
}

TEST(GraphDataRules, DefaultXRowsByCreationKind)
{
    struct Row {
        int kind;
        bool has;
        int index, listKind;
    };
    for (const Row& r : {Row{2, true, 499, 2}, Row{10, true, 499, 4}, Row{7, true, 6, 3}, Row{8, true, 1, 3},
                         Row{0, false, 0, 0}, Row{9, false, 0, 0}}) {
        int index = 0;
        int listKind = 0;
        EXPECT_EQ(DefaultXChannel(r.kind, index, listKind), r.has) << r.kind;
        if (r.has) {
            EXPECT_EQ(index, r.index) << r.kind;
            EXPECT_EQ(listKind, r.listKind) << r.kind;
        }
    }
}

TEST(GraphDataRules, SelectionModes)
{
    struct Row {
        const char* name;
        int type, kind, profile, xSel, ySel;
        bool xMulti, yMulti, xEnabled;
    };
    const Row rows[] = {
        {"time course, template", 1, 2, 0, 1, 0, false, true, false},
        {"time course, plot line", 1, 2, 1, 1, 1, false, false, false},
        {"history", 10, 8, 0, 0, 0, false, true, false},
        {"x-y plot line", 1, 0, 2, 1, 1, false, false, true},
        {"x-y template, two X", 1, 0, 0, 2, 1, true, false, true},
        {"x-y template, one X one Y", 1, 0, 0, 1, 1, true, true, true},
        {"x-y template, one X two Y", 1, 0, 0, 1, 2, false, true, true},
        {"x distribution", 31, 0, 0, 0, 0, false, true, true},
        {"horizontal bars", 34, 0, 3, 0, 0, true, false, true},
    };
    for (const Row& r : rows) {
        const ListModes m = ComputeListModes(r.type, r.kind, r.profile, r.xSel, r.ySel);
        EXPECT_EQ(m.xMultiple, r.xMulti) << r.name;
        EXPECT_EQ(m.yMultiple, r.yMulti) << r.name;
        EXPECT_EQ(m.xEnabled, r.xEnabled) << r.name;
    }
}

TEST(GraphDataRules, MonitorGraphsAllowTheMonitorWindowOnly)
{
    EXPECT_EQ(RangeLimit(1), 507904);
    EXPECT_EQ(RangeLimit(0), 10000000);
    EXPECT_EQ(RangeLimit(2), 10000000);
}

class PlotLines : public ::testing::Test {
protected:
    CGraphPrf& Template()
    {
        if (list.GetSize() == 0)
            list.Add(new CGraphPrf);
        return *list.GetAt(0);
    }
    CGraphPrfList list;
};

TEST_F(PlotLines, OneXWithThreeYMakesThreeLines)
{
    CGraphPrf& t = Template();
    t.m_docIdent = CDocIdent(3, 4);
    t.m_rangeEnd = 77;
    t.m_xChannels = {499};
    t.m_xListKinds = {2};
    t.m_yChannels = {0, 5, 502};
    t.m_yListKinds = {2, 2, 5};
    EXPECT_EQ(AppendPlotLines(list, 1), 3);
    ASSERT_EQ(list.GetSize(), 4);
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(list.GetAt(i)->m_xChannels, std::vector<int32_t>{499});
        EXPECT_EQ(list.GetAt(i)->m_yChannels, std::vector<int32_t>{t.m_yChannels[size_t(i - 1)]});
        EXPECT_EQ(list.GetAt(i)->m_rangeEnd, 77);
        EXPECT_EQ(list.GetAt(i)->m_docIdent, CDocIdent(3, 4));
    }
    EXPECT_EQ(list.GetAt(3)->m_yListKinds, std::vector<int16_t>{5});
}

TEST_F(PlotLines, ThreeXWithOneYMakesThreeLinesAndBarsMakeOne)
{
    CGraphPrf& t = Template();
    t.m_xChannels = {1, 2, 3};
    t.m_xListKinds = {2, 2, 4};
    t.m_yChannels = {9};
    t.m_yListKinds = {2};
    EXPECT_EQ(AppendPlotLines(list, 4), 3);
    ASSERT_EQ(list.GetSize(), 4);
    EXPECT_EQ(list.GetAt(3)->m_xChannels, std::vector<int32_t>{3});
    EXPECT_EQ(list.GetAt(3)->m_xListKinds, std::vector<int16_t>{4});
    EXPECT_EQ(list.GetAt(3)->m_yChannels, std::vector<int32_t>{9});

    EXPECT_EQ(AppendPlotLines(list, 33), 1);
    EXPECT_EQ(list.GetSize(), 5);
    EXPECT_EQ(list.GetAt(4)->m_xChannels.size(), 3u);
}

} // namespace
