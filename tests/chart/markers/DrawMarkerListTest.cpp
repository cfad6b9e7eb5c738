#include "chart/model/ChartClasses.h"
#include "chart/model/DrawMarkerList.h"
#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "framework/core/ServiceSlot.h"
#include "instrument/system/MarkerList.h"
#include "instrument/system/SystemClasses.h"
#include "tests/support/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kivtest::ByteBuilder;
using kivtest::Bytes;

constexpr double kStart = 45322.5;
constexpr double kSecond = 1.0 / 86400.0;

class RecordingSound : public IMarkerSound {
public:
    void PlayFileAsync(const fw::CString& path) override { played.push_back(path.str()); }
    std::vector<std::string> played;
};

// Marks at samples 10, 20, ... (one second apart) with GPS markers at
// x = 100, 200, ... on y = 50; the mark at sample 30 is a voice mark.
class DrawMarkers : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RegisterSystemClasses();
        RegisterChartClasses();
    }

    DrawMarkers()
    {
        for (int i = 1; i <= 4; ++i) {
            const fw::COleDateTime date(kStart + i * kSecond);
            CMarkerObj* mark = i == 3 ? new CVoiceMarkerObj(date, i * 10, "/d/V3.wav") : new CMarkerObj(date, i * 10);
            marks.AddTail(mark);
            auto* marker = new CDrawGPSMarker(mark);
            marker->SetPosition(i * 100, 50);
            drawn.AddTail(marker);
        }
    }

    // The sample index of each drawn marker's mark, '*' after a selected one.
    std::string Order() const
    {
        std::string out;
        for (fw::POSITION pos = drawn.GetHeadPosition(); pos;) {
            const CDrawMarker* m = drawn.GetNext(pos);
            out += (out.empty() ? "" : " ") + std::to_string(m->GetMark()->GetSampleIndex()) +
                   (m->IsSelected() ? "*" : "");
        }
        return out;
    }

    static fw::CPoint On(int i) { return {i * 100 + 2, 48}; }

    CMarkerList marks;
    CDrawMarkerList drawn;
};

TEST_F(DrawMarkers, AClickSelectsOneMarkerAndAToggleClickPutsItBackInTimeOrder)
{
    EXPECT_FALSE(drawn.HasSelection());
    EXPECT_TRUE(drawn.SelectAt(On(2), false));
    EXPECT_EQ(Order(), "10 30 40 20*");
    EXPECT_TRUE(drawn.HasSelection());
    EXPECT_TRUE(drawn.SelectAt(On(1), false));
    EXPECT_EQ(Order(), "30 40 20* 10*") << "selected ones follow in the order they were selected";
    EXPECT_TRUE(drawn.SelectAt(On(2), true));
    EXPECT_EQ(Order(), "20 30 40 10*");
    EXPECT_FALSE(drawn.SelectAt({0, 0}, false));
    EXPECT_EQ(Order(), "20 30 40 10*");
    drawn.ClearSelection();
    EXPECT_EQ(Order(), "10 20 30 40");
    EXPECT_FALSE(drawn.HasSelection());
}

TEST_F(DrawMarkers, ARectangleSelectsWhatItMeetsAndTogglesWithShift)
{
    EXPECT_EQ(drawn.SelectInRect({150, 0, 350, 100}, false), 2);
    EXPECT_EQ(Order(), "10 40 20* 30*");
    EXPECT_TRUE(drawn.IsVoiceMarkerSelected());
    EXPECT_EQ(drawn.SelectInRect({250, 0, 450, 100}, true), 2);
    EXPECT_EQ(Order(), "10 30 20* 40*") << "30 deselected back into its place, 40 selected";
    EXPECT_FALSE(drawn.IsVoiceMarkerSelected());
    EXPECT_EQ(drawn.SelectInRect({0, 0, 10, 10}, false), 0);
    EXPECT_EQ(drawn.SelectInRect({200, 60, 300, 60}, false), 0) << "a rectangle without area meets nothing";
}

TEST_F(DrawMarkers, DeletingTheSelectionKeepsVoiceMarks)
{
    drawn.SelectInRect({0, 0, 1000, 100}, false);
    drawn.DeleteSelected(marks);
    EXPECT_EQ(Order(), "30*");
    ASSERT_EQ(marks.GetCount(), 1);
    EXPECT_EQ(marks.GetHead()->GetSampleIndex(), 30);
    EXPECT_EQ(drawn.GetHead()->GetMark(), marks.GetHead());
}

TEST_F(DrawMarkers, ActivatingPlaysAVoiceMarkOnly)
{
    RecordingSound sound;
    fw::ScopedInstall<IMarkerSound> installed(sound);
    EXPECT_TRUE(drawn.ActivateAt(On(1)));
    EXPECT_TRUE(drawn.ActivateAt(On(3)));
    EXPECT_FALSE(drawn.ActivateAt({3, 3}));
    EXPECT_EQ(sound.played, (std::vector<std::string>{"/d/V3.wav"}));
}

TEST_F(DrawMarkers, CopySelectionFollowsTheOtherListsOrder)
{
    CDrawMarkerList other;
    for (fw::POSITION pos = marks.GetHeadPosition(); pos;) {
        auto* marker = new CDrawGraphMarker(marks.GetNext(pos));
        other.AddTail(marker);
    }
    fw::POSITION pos = other.GetHeadPosition();
    CDrawMarker* first = other.GetNext(pos);
    other.GetNext(pos);
    CDrawMarker* third = other.GetNext(pos);
    third->SetSelected(true);
    first->SetSelected(true);
    drawn.SelectAt(On(2), false);
    drawn.CopySelection(other);
    EXPECT_EQ(Order(), "20 40 10* 30*");
}

TEST_F(DrawMarkers, StoreMarkersHandsTheDrawnMarksOverInTimeOrder)
{
    // Drawn markers read back from an undo record own fresh marks.
    CDrawMarkerList restored;
    restored.AddTail(new CDrawGraphMarker(new CMarkerObj(fw::COleDateTime(kStart + 9 * kSecond), 90)));
    restored.AddTail(new CDrawGraphMarker(new CMarkerObj(fw::COleDateTime(kStart + 5 * kSecond), 50)));
    restored.StoreMarkers(marks);
    std::vector<int32_t> indexes;
    for (fw::POSITION pos = marks.GetHeadPosition(); pos;)
        indexes.push_back(marks.GetNext(pos)->GetSampleIndex());
    EXPECT_EQ(indexes, (std::vector<int32_t>{50, 90}));
    drawn.DeleteAll(); // its marks went with the old list

    // Storing a list's own marks keeps them alive.
    CDrawMarkerList same;
    for (fw::POSITION pos = marks.GetHeadPosition(); pos;)
        same.AddTail(new CDrawGraphMarker(marks.GetNext(pos)));
    same.StoreMarkers(marks);
    EXPECT_EQ(marks.GetCount(), 2);
    EXPECT_EQ(marks.GetHead()->GetSampleIndex(), 50);
}

TEST_F(DrawMarkers, ArchiveFormIsFlagSelectedThenTheMark)
{
    drawn.SelectAt(On(3), false);
    CDrawMarkerList two;
    fw::POSITION pos = drawn.GetHeadPosition();
    CDrawMarker* plain = drawn.GetNext(pos);
    two.AddTail(new CDrawGraphMarker(plain->GetMark()));
    CDrawMarker* voice = drawn.GetTail();
    auto* graphVoice = new CDrawGraphMarker(voice->GetMark());
    graphVoice->SetSelected(true);
    two.AddTail(graphVoice);
    auto* again = new CDrawGraphMarker(plain->GetMark());
    two.AddTail(again);

    const Bytes expected = ByteBuilder()
                               .Count(3)
                               .NewClass("CDrawGraphMarker")
                               .I32(0)
                               .U8(0)
                               .NewClass("CMarkerObj")
                               .I32(0)
                               .F64(kStart + kSecond)
                               .I32(10)
                               .U16(0x8001)
                               .I32(1)
                               .U8(1)
                               .NewClass("CVoiceMarkerObj")
                               .I32(0)
                               .F64(kStart + 3 * kSecond)
                               .I32(30)
                               .Str("/d/V3.wav")
                               .U16(0x8001)
                               .I32(0)
                               .U8(0)
                               .U16(4); // the mark stored before, as object 4
    const Bytes stored = kivtest::StoredBytes([&](fw::CArchive& ar) { two.Serialize(ar); });
    EXPECT_EQ(stored, expected) << kivtest::Hex(stored);

    CDrawMarkerList back;
    kivtest::LoadBytes(expected, [&](fw::CArchive& ar) { back.Serialize(ar); });
    ASSERT_EQ(back.GetCount(), 3);
    EXPECT_TRUE(back.GetHead()->GetMark() == back.GetTail()->GetMark()) << "one mark, read once";
    EXPECT_TRUE(back.HasSelection() == false) << "the selected one is in the middle as stored";
    CMarkerList owner;
    back.StoreMarkers(owner);
    EXPECT_EQ(owner.GetCount(), 2) << "a mark drawn twice is owned once";
    EXPECT_EQ(kivtest::StoredBytes([&](fw::CArchive& ar) { back.Serialize(ar); }), expected);
}

TEST_F(DrawMarkers, GraphMarkersDrawATriangleOnThePlotTopAndALineToTheirPoint)
{
    const fw::CRect plot(50, 20, 450, 120);
    CMarkerObj plain(fw::COleDateTime(kStart), 0);
    CVoiceMarkerObj voice(fw::COleDateTime(kStart), 0, "/v.wav");
    struct Row {
        const char* name;
        CMarkerObj* mark;
        fw::CPoint at;
        std::vector<std::string> log;
        fw::CRect hit;
    } rows[] = {
        {"inside, point on the plot", &plain, {100, 70},
         {"line 100,70 100,20 pen=solid 1 #00FF00",
          "polygon 100,20 96,12 104,12 alternate pen=solid 1 #00FF00 brush=solid #FFFF00"},
         {96, 12, 104, 20}},
        {"voice, point above the plot", &voice, {200, 5},
         {"polygon 200,20 196,12 204,12 alternate pen=solid 1 #00FF00 brush=solid #FF0000"},
         {196, 12, 204, 20}},
        {"left of the plot: not drawn but hit", &plain, {40, 70}, {}, {36, 12, 44, 20}},
        {"hidden", &plain, {CDrawMarker::kNotPlaced, CDrawMarker::kNotPlaced}, {}, {}},
    };
    for (const Row& r : rows) {
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        CDrawGraphMarker marker(r.mark);
        marker.SetPosition(r.at.x, r.at.y);
        marker.Draw(dc, plot);
        EXPECT_EQ(sink.Log(), r.log) << r.name;
        if (r.hit.IsRectEmpty())
            EXPECT_FALSE(marker.HitTest(marker.GetHitRect().TopLeft())) << r.name;
        else
            EXPECT_EQ(marker.GetHitRect(), r.hit) << r.name;
    }
}

TEST_F(DrawMarkers, GpsMarkersAreCirclesAndSelectedOnesGetATrackerInDeviceUnits)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    dc.SetViewportOrg(10, 5);
    CDrawGPSMarker marker(marks.GetHead());
    EXPECT_TRUE(marker.GetHitRect().IsRectEmpty());
    marker.SetPosition(100, 50);
    EXPECT_EQ(marker.GetHitRect(), fw::CRect(96, 46, 104, 54));
    marker.Draw(dc, {});
    marker.DrawSelection(dc);
    marker.SetSelected(true);
    marker.DrawSelection(dc);
    EXPECT_EQ(sink.Log(), (std::vector<std::string>{
                              "ellipse 96,46,104,54 pen=solid 1 #00FF00 brush=solid #FFFF00",
                              "rect 106,51,114,59 pen=solid 1 #000000 brush=hatch3 #000000",
                          }));
    EXPECT_EQ(dc.GetViewportOrg(), fw::CPoint(10, 5)) << "the context is left as it was";
}

} // namespace
