// The data window: its pages, title, tool bar and the recording facts of
// its bar.

#include "tests/data/views/DataViewFixture.h"

#include "data/views/KivDataChDataView.h"
#include "data/views/KivDataChView.h"
#include "data/views/KivDataEXChView.h"
#include "data/views/KivDataFrame.h"
#include "data/views/KivDataGraphView.h"
#include "framework/ui/Controls.h"

namespace dataview {
namespace {

using namespace datacmd;

TEST_F(DataViewFixture, OpensOnTheChannelTableWithEveryPage)
{
    CKivDataDoc* doc = OpenData(20);
    ASSERT_NE(doc, nullptr);
    CKivDataFrame* frame = FrameOf(doc);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetShownPageId(), kPageInput);
    EXPECT_EQ(frame->GetFamily(), kFamilyChannel);
    EXPECT_EQ(frame->GetWindowText(), "D20.kivd - (入力CH)");
    EXPECT_NE(ViewOf<CKivDataEXChView>(doc), nullptr);
    EXPECT_NE(ViewOf<CKivDataChDataView>(doc), nullptr);
    EXPECT_NE(ViewOf<CKivDataGraphView>(doc), nullptr);
    EXPECT_EQ(frame->GetActiveView(), frame->PageView(kPageInput));
}

TEST_F(DataViewFixture, FamiliesRememberTheirPagesAndTheGraphPageAddsTheMarkerButton)
{
    CKivDataDoc* doc = OpenData(20);
    CKivDataFrame* frame = FrameOf(doc);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->FamilyToolBar().GetCount(), 2) << "no CAN, voice or GPS data";
    frame->OnDataView(kPageGraph);
    EXPECT_EQ(frame->GetWindowText(), "D20.kivd - (グラフリスト)");
    EXPECT_EQ(frame->FamilyToolBar().GetCount(), 4) << "separator and marker button";
    EXPECT_EQ(frame->FamilyToolBar().GetItemID(3), kMarkerButton);
    frame->OnChannelView(kPageCalc);
    EXPECT_EQ(frame->FamilyToolBar().GetCount(), 2);
    frame->OnDataFamily();
    EXPECT_EQ(frame->GetShownPageId(), kPageGraph);
    frame->OnChannelFamily();
    EXPECT_EQ(frame->GetShownPageId(), kPageCalc);
    EXPECT_EQ(frame->GetActiveView(), frame->PageView(kPageCalc));
}

TEST_F(DataViewFixture, BarShowsTheRecordingFactsThatTextsAndPrintsUse)
{
    CKivDataDoc* doc = OpenData(20);
    CKivDataFrame* frame = FrameOf(doc);
    ASSERT_NE(frame, nullptr);
    fw::CString timing;
    frame->GetTimingText(timing, ',');
    EXPECT_EQ(timing, "計測時間：,0.19,秒間,サンプルクロック：,10,ミリ秒");
    fw::CString record;
    frame->GetRecordText(record, ' ');
    // The cycle count fields are disabled in the bar, so records leave them out.
    EXPECT_EQ(record.str().rfind("計測日時： 2024/01/31 12:00:00 計測方法： ", 0), 0u) << record.str();
    EXPECT_EQ(frame->FrameBar().GetDlgItemText(CKivDataFrameBar::kCyclesValue), "3");
    EXPECT_EQ(frame->FrameBar().TitleEdit()->GetWindowText(), "振動試験");
}

TEST_F(DataViewFixture, ExternalClockShowsTheSampleCount)
{
    CKivDataDoc* doc = OpenData(20);
    CKivDataFrame* frame = FrameOf(doc);
    doc->GetAdSet().m_nExtClk = 1;
    frame->UpdateBarFields();
    fw::CString timing;
    frame->GetTimingText(timing, '|');
    EXPECT_EQ(timing, "データ数|20|サンプル|外部サンプル||");
    EXPECT_FALSE(IsEnabled(frame, kSpectrumGraph));
    doc->GetAdSet().m_nExtClk = 0;
    EXPECT_TRUE(IsEnabled(frame, kSpectrumGraph));
}

} // namespace
} // namespace dataview
