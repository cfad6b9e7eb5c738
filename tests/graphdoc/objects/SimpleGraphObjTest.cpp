#include "graphdoc/model/objects/SimpleGraphObj.h"

#include "chart/model/GraphClasses.h"
#include "framework/core/RecordingSink.h"
#include "graphdoc/model/GraphDocClasses.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

class SimpleGraphTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
        RegisterGraphDocClasses();
    }
};

TEST_F(SimpleGraphTest, RecordEndsWithTheCreationKind)
{
    CSimpleGraphObj graph(fw::CRect(0, 0, 2000, 1500), 0, 1);
    graph.SetCreationKind(9);
    const kivtest::Bytes stored = kivtest::StoreBody(graph);
    ASSERT_GE(stored.size(), 4u);
    EXPECT_EQ(kivtest::Bytes(stored.end() - 4, stored.end()), kivtest::ByteBuilder().I32(9).Get());
    CSimpleGraphObj loaded;
    kivtest::LoadBody(loaded, stored);
    EXPECT_EQ(loaded.GetCreationKind(), 9);
    EXPECT_EQ(loaded.GetRedrawState(), CDrawGraphObj::kRedrawAll);
}

// A monitor graph tracks the measurement from the poll start and marks each
// poll's samples for appending, until the polling stops.
TEST_F(SimpleGraphTest, MonitorGraphAppendsEachPoll)
{
    CSimpleGraphObj graph(fw::CRect(0, 0, 2000, 1500), 0, 1);
    graph.SetCreationKind(9);
    graph.Draw().m_dataMode = 1;
    graph.OnUpdate(19, nullptr);
    EXPECT_TRUE(graph.IsTracking());

    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    // A full redraw already pending stays one.
    graph.OnUpdate(20, nullptr);
    EXPECT_EQ(graph.GetRedrawState(), CDrawGraphObj::kRedrawAll);
    // After a rendered picture, a poll only appends.
    graph.SetRedrawState(CDrawGraphObj::kCopyPicture);
    graph.OnUpdate(20, nullptr);
    EXPECT_EQ(graph.GetRedrawState(), CSimpleGraphObj::kAppendData);
    // Without a picture (no window system here) the graph is drawn whole.
    graph.Draw(&dc);
    EXPECT_EQ(graph.GetRedrawState(), CDrawGraphObj::kRedrawAll);

    graph.SetRedrawState(CDrawGraphObj::kCopyPicture);
    graph.OnUpdate(21, nullptr);
    EXPECT_FALSE(graph.IsTracking());
    graph.OnUpdate(20, nullptr);
    EXPECT_EQ(graph.GetRedrawState(), CDrawGraphObj::kCopyPicture);
}

TEST_F(SimpleGraphTest, RecordedDataGraphsDoNotTrack)
{
    CSimpleGraphObj graph(fw::CRect(0, 0, 2000, 1500), 0, 1);
    graph.OnUpdate(19, nullptr);
    graph.OnUpdate(31, nullptr);
    EXPECT_FALSE(graph.IsTracking());
}

} // namespace
