// The marks on the GPS track: placed on the track, selected with the marker
// tool only, deleted with one level of undo (voice marks stay, after a
// question), and the track's context menu.

#include "canvoicegps/views/data/GpsGraphView.h"
#include "chart/model/DrawMarker.h"
#include "chart/model/DrawMarkerList.h"
#include "common/tank/DblDataTank.h"
#include "docview/graphpage/QtBitmap.h"
#include "framework/core/DateTime.h"
#include "framework/ui/Menu.h"
#include "instrument/system/MarkerList.h"
#include "tests/canvoicegps/views/data/CanGpsGraphFixture.h"

#include <QImage>
#include <QPainter>

#include <vector>

namespace {

using cangpstest::CanGpsDocFixture;

class GpsTrackMarkers : public CanGpsDocFixture {
protected:
    void SetUp() override
    {
        CMarkerList& marks = doc->GetBoxArray().GetMarkers();
        marks.InsertByTime(new CMarkerObj(fw::COleDateTime(45000.0), 10));
        marks.InsertByTime(new CMarkerObj(fw::COleDateTime(45000.1), 60));
        marks.InsertByTime(new CVoiceMarkerObj(fw::COleDateTime(45000.2), 80, "v.wav"));
        track.Create(nullptr, doc.get());
        track.OnInitialUpdate();
        auto* x = new CDblDataTank;
        auto* y = new CDblDataTank;
        for (int i = 0; i < 100; ++i) {
            x->SetValue(i, i);
            y->SetValue(i, i % 20);
        }
        track.Picture().SetTrack(x, y);
        ReleaseTank(x);
        ReleaseTank(y);
        track.OnSize(0, 300, 200);
        Paint();
    }
    void TearDown() override { doc->RemoveView(&track); }
    void Paint()
    {
        image.fill(Qt::white);
        QPainter painter(&image);
        CPainterDC dc(&painter);
        track.OnDraw(&dc);
    }
    std::vector<int32_t> Marks()
    {
        std::vector<int32_t> out;
        CMarkerList& marks = doc->GetBoxArray().GetMarkers();
        for (fw::POSITION pos = marks.GetHeadPosition(); pos;)
            out.push_back(marks.GetNext(pos)->GetSampleIndex());
        return out;
    }
    CDrawMarker* Marker(int n)
    {
        fw::POSITION pos = track.Markers().GetHeadPosition();
        CDrawMarker* marker = nullptr;
        for (int i = 0; i <= n && pos; ++i)
            marker = track.Markers().GetNext(pos);
        return marker;
    }
    void Run(unsigned id) { EXPECT_TRUE(track.OnCmdMsg(id, fw::CN_COMMAND, nullptr)) << id; }

    CQtBitmapMaker maker;
    fw::ScopedInstall<IBitmapMaker> installMaker{maker};
    QImage image{300, 200, QImage::Format_RGB32};
    CGpsGraphView track;
};

TEST_F(GpsTrackMarkers, MarkersSitOnTheTrackAndOnlyTheToolSelectsThem)
{
    ASSERT_EQ(track.Markers().GetCount(), 3);
    CDrawMarker* first = Marker(0);
    ASSERT_TRUE(first->IsPlaced());
    EXPECT_TRUE(track.GetPlotRect().PtInRect(first->GetPosition()));

    const fw::CPoint at = first->GetPosition();
    track.OnLButtonDown(0, at);
    track.OnLButtonUp(0, at);
    EXPECT_FALSE(track.Markers().HasSelection()) << "no tool: the mouse does nothing";

    track.SetMarkerMode(1);
    track.OnLButtonDown(0, at);
    track.OnLButtonUp(0, at);
    EXPECT_TRUE(first->IsSelected());
    EXPECT_FALSE(Marker(1)->IsSelected());

    track.SelectMarkers(0, 0, 300, 200, false);
    EXPECT_TRUE(Marker(1)->IsSelected());
    EXPECT_TRUE(Marker(2)->IsSelected());
}

TEST_F(GpsTrackMarkers, DeleteKeepsVoiceMarksAndUndoSwapsBackAndForth)
{
    EXPECT_FALSE(IsEnabled(track, CGpsGraphView::kIdDeleteMarkers)) << "nothing selected";
    track.SelectMarkers(0, 0, 300, 200, false);
    ASSERT_TRUE(IsEnabled(track, CGpsGraphView::kIdDeleteMarkers));
    services.prompt.Expect(CGpsGraphView::kMsgVoiceMarkers, fw::IDYES);
    Run(CGpsGraphView::kIdDeleteMarkers);
    EXPECT_EQ(Marks(), std::vector<int32_t>({80})) << "the voice mark stays";
    EXPECT_TRUE(doc->IsModified());

    ASSERT_TRUE(IsEnabled(track, CGpsGraphView::kIdUndo));
    Run(CGpsGraphView::kIdUndo);
    EXPECT_EQ(Marks(), std::vector<int32_t>({10, 60, 80}));
    Run(CGpsGraphView::kIdUndo);
    EXPECT_EQ(Marks(), std::vector<int32_t>({80})) << "a second undo deletes again";
    EXPECT_EQ(services.prompt.Problems(), "");
}

TEST_F(GpsTrackMarkers, AnsweringNoToTheVoiceQuestionDeletesNothing)
{
    track.SelectMarkers(0, 0, 300, 200, false);
    services.prompt.Expect(CGpsGraphView::kMsgVoiceMarkers, fw::IDNO);
    Run(CGpsGraphView::kIdDeleteMarkers);
    EXPECT_EQ(Marks(), std::vector<int32_t>({10, 60, 80}));
    EXPECT_FALSE(IsEnabled(track, CGpsGraphView::kIdUndo));
}

TEST_F(GpsTrackMarkers, TheContextMenuHoldsUndoAndTheMarkerCommands)
{
    fw::CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    CGpsGraphView::BuildContextMenu(menu);
    const std::vector<unsigned> want = {CGpsGraphView::kIdUndo, 0, CGpsGraphView::kIdShowMarkers, 0,
                                        CGpsGraphView::kIdSelectMarkers, CGpsGraphView::kIdDeleteMarkers};
    ASSERT_EQ(menu.GetMenuItemCount(), static_cast<int>(want.size()));
    for (size_t i = 0; i < want.size(); ++i)
        EXPECT_EQ(menu.GetMenuItemID(static_cast<int>(i)), want[i]) << i;
    EXPECT_EQ(menu.GetMenuString(0, fw::MF_BYPOSITION), "元に戻す(&U)");
    EXPECT_EQ(menu.GetMenuString(5, fw::MF_BYPOSITION), "マーカーの削除");
}

} // namespace
