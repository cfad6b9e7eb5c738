#include "tests/graphdoc/doc/GraphDocFixture.h"

#include "graphdoc/model/GraphPrf.h"

namespace gdtest {
namespace {

TEST(DrawGraphObjTest, DefaultPlacementInAnArea)
{
    CDrawGraphObj graph(fw::CRect(0, 0, 1000, 800));
    EXPECT_EQ(graph.GetPosition(), fw::CRect(20, 48, 800, 784));
    EXPECT_EQ(graph.GetFrameStyle().m_sides, 0);
    EXPECT_FALSE(graph.CanCopy());
    EXPECT_FALSE(graph.CanDelete());
    EXPECT_EQ(graph.Clone(nullptr), nullptr);
    // A plain data graph reports a change of its plot lines without a dialog.
    EXPECT_TRUE(graph.EditPlotLines());
}

TEST(DrawGraphObjTest, DefaultLook)
{
    CDrawGraphObj graph;
    const GrFrameRec& frame = graph.Draw().Frame();
    EXPECT_EQ(frame.m_xGridMajorWidth, 1);
    EXPECT_EQ(frame.m_yGridMajorWidth, 1);
    EXPECT_EQ(frame.m_xGridMinorWidth, 0);
    EXPECT_EQ(frame.m_xTickSide, GrFrameRec::kSideNone);
    EXPECT_EQ(frame.m_gridMajorColor, 15);
    EXPECT_EQ(frame.m_tickColor, 15);
    EXPECT_EQ(graph.Draw().Scale().m_x.subdivisions, 1);
    EXPECT_EQ(graph.Draw().Record().m_xLabelWidth, 7);
    EXPECT_EQ(graph.Draw().Record().m_yLabelWidth, 3);
    EXPECT_TRUE(graph.Draw().TestOption(0));
}

TEST(DrawGraphObjTest, RelativePositionFollowsThePage)
{
    CDrawGraphObj graph(fw::CRect(0, 0, 1000, 800));
    graph.SetRelativePosition(fw::CRect(100, 80, 500, 400), fw::CRect(0, 0, 1000, 800));
    EXPECT_DOUBLE_EQ(graph.m_relRight, 0.5);
    graph.RecalcPosition(fw::CRect(0, 0, 2000, 1600));
    EXPECT_EQ(graph.GetPosition(), fw::CRect(200, 160, 1000, 800));
}

TEST(GraphPrfTest, CopyNeverOwnsAndDropsTheNote)
{
    CGraphPrf source;
    source.m_strNote = "note";
    source.m_bOwner = 1;
    source.m_xChannels = {3};
    source.m_lineColor = 5;
    source.m_stepLines = 1;
    CGraphPrf copy(source);
    EXPECT_EQ(copy.m_bOwner, 0);
    EXPECT_EQ(copy.m_strNote, "");
    EXPECT_EQ(copy.m_xChannels, std::vector<int32_t>{3});
    EXPECT_EQ(copy.m_lineColor, 5);
    EXPECT_EQ(copy.m_stepLines, 1);
    CGraphPrf assigned;
    assigned.m_strNote = "mine";
    assigned = source;
    EXPECT_EQ(assigned.m_strNote, "mine");
    source.m_bOwner = 0;
}

TEST(GraphPrfTest, ListOwnsAndChecksIndexes)
{
    CGraphPrfList list;
    EXPECT_EQ(list.m_bFlag, 1);
    list.Add(new CGraphPrf);
    list.Add(new CGraphPrf);
    EXPECT_EQ(list.GetSize(), 2);
    EXPECT_THROW(list.GetAt(2), fw::CInvalidArgException);
    EXPECT_THROW(list.GetAt(-1), fw::CInvalidArgException);
}

} // namespace
} // namespace gdtest
