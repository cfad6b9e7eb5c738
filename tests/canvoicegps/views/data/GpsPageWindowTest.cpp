// The GPS page in the data window: the window's marker tool switches the
// track and the GPS graph list together and the track tells the other views
// which marks are selected; the printed track carries the title and the
// window bar's record and timing lines above its square plot.

#include "canvoicegps/views/data/GpsGraphView.h"
#include "canvoicegps/views/data/GpsListViews.h"
#include "canvoicegps/views/data/GpsPageView.h"
#include "common/cache/CacheDataTank.h"
#include "data/views/KivDataChView.h"
#include "data/views/KivDataFrame.h"
#include "docbase/doc/DataDocHost.h"
#include "docbase/doc/KivDocManager.h"
#include "docview/controls/ZELEdit.h"
#include "framework/core/PrintInfo.h"
#include "framework/core/RecordingSink.h"
#include "framework/core/StandardCommands.h"
#include "framework/core/StringTable.h"
#include "framework/ui/MultiDocTemplate.h"
#include "framework/ui/Print.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "grid/views/GridPane.h"
#include "instrument/system/MarkerList.h"
#include "tests/canvoicegps/views/data/CanGpsGraphFixture.h"

#include <QApplication>
#include <QWidget>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using cangpstest::CanGpsDocFixture;

class SpyView : public fw::CView {
public:
    void OnDraw(fw::CDC*) override {}
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject*) override
    {
        if (hint == CGpsGraphView::kHintMarkerSelection)
            senders.push_back(sender);
    }
    std::vector<fw::CView*> senders;
};

class GpsPageWindow : public CanGpsDocFixture {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(dir / "cache");
        CCacheDataTank<float>::SetTempFolder((dir / "cache").c_str());
        CCacheDataTank<double>::SetTempFolder((dir / "cache").c_str());
        oldHost = InstallDataDocHost(&host);
        CKivDataFrame::SetPageClass(datacmd::kPageGps, FW_RUNTIME_CLASS(CGpsPageView));
        auto* tmpl = new fw::CMultiDocTemplate(130, FW_RUNTIME_CLASS(CKivDataDoc), FW_RUNTIME_CLASS(CKivDataFrame),
                                               FW_RUNTIME_CLASS(CKivDataChView));
        tmpl->SetDocStrings(fw::LoadStringText(130).c_str());
        manager.AddDocTemplate(tmpl);
        std::filesystem::create_directories(dir / "G1");
        const std::string path = (dir / "G1" / "G1.kivd").string();
        {
            CKivDataDoc saved;
            ASSERT_TRUE(saved.CreateNewContents());
            saved.SetTitleText("峠道の走行");
            saved.SetMeasureMethod(2);
            saved.SetStartTime(45322.5);
            saved.SetCycleCount(3);
            saved.GetAdSet().m_dClk = 100;
            saved.GetBoxArray().GetMarkers().AddTail(new CMarkerObj(fw::COleDateTime(45322.5), 4));
            ASSERT_TRUE(saved.OnSaveDocument(fw::CString(path)));
        }
        opened = dynamic_cast<CKivDataDoc*>(manager.OpenDocumentFile(fw::CString(path), true));
        ASSERT_NE(opened, nullptr);
        for (fw::POSITION pos = opened->GetFirstViewPosition(); pos;) {
            fw::CView* view = opened->GetNextView(pos);
            if (auto* page = dynamic_cast<CGpsPageView*>(view))
                gpsPage = page;
            if (!frame)
                frame = dynamic_cast<CKivDataFrame*>(view->GetParentFrame());
        }
        ASSERT_NE(gpsPage, nullptr);
        ASSERT_NE(frame, nullptr);
        spy = std::make_unique<SpyView>();
        spy->Create(nullptr, opened);
    }
    void TearDown() override
    {
        // The spy leaves the document while it still lives.
        spy.reset();
        manager.CloseAllDocuments(false);
        CKivDataFrame::SetPageClass(datacmd::kPageGps, nullptr);
        InstallDataDocHost(oldHost);
        EXPECT_EQ(uiDialogs.Problems(), "");
    }

    kivtest::TempDir dir;
    fw::test::ScriptedDialogs uiDialogs;
    CKivDocManager manager;
    CDataDocHost host{&manager};
    IDataDocHost* oldHost = nullptr;
    CKivDataDoc* opened = nullptr;
    CKivDataFrame* frame = nullptr;
    CGpsPageView* gpsPage = nullptr;
    std::unique_ptr<SpyView> spy;
};

TEST_F(GpsPageWindow, TheMarkerToolSwitchesTrackAndGraphListAndTheTrackAnnouncesItsMarks)
{
    CGpsGraphView* track = gpsPage->Track();
    CGpsGraphListView* graphs = gpsPage->Graphs();
    ASSERT_EQ(track->GetParentFrame(), frame);
    ASSERT_EQ(graphs->GetParentFrame(), frame);
    ASSERT_EQ(track->GetMarkerMode(), 0);
    ASSERT_FALSE(graphs->IsMarkerSelectMode());

    frame->OnMarkerSelect();
    EXPECT_TRUE(frame->IsMarkerSelectMode());
    EXPECT_EQ(track->GetMarkerMode(), 1);
    EXPECT_TRUE(graphs->IsMarkerSelectMode());
    EXPECT_EQ(spy->senders, std::vector<fw::CView*>({track})) << "the track's marks (hint 50)";

    frame->OnMarkerSelect();
    EXPECT_EQ(track->GetMarkerMode(), 0);
    EXPECT_FALSE(graphs->IsMarkerSelectMode());
}

TEST_F(GpsPageWindow, ThePageStartsOnTheTrackAndAClickMakesAPaneTheActiveView)
{
    frame->OnCanGpsView(datacmd::kPageGps);
    EXPECT_EQ(frame->GetActiveView(), gpsPage->Track()) << "the page's first pane";
    CGpsGraphListView* graphs = gpsPage->Graphs();
    // The legend of the first row: no GPS channel here, so no graph to hit.
    CZELGridPane* pane = graphs->GetGrid()->GetSheetPane();
    const fw::CPoint legend = pane->GetCellRect(CCellRange::Cell({0, 1})).CenterPoint();
    pane->OnLButtonDown(0, legend);
    pane->OnLButtonUp(0, legend);
    EXPECT_EQ(frame->GetActiveView(), graphs) << "the list's commands reach it";
    gpsPage->Track()->OnLButtonDown(0, fw::CPoint(5, 5));
    gpsPage->Track()->OnLButtonUp(0, fw::CPoint(5, 5));
    EXPECT_EQ(frame->GetActiveView(), gpsPage->Track());
}

TEST_F(GpsPageWindow, TheTracksEditCommandsReachTheWindowsTitleField)
{
    auto* title = dynamic_cast<CZELEdit*>(frame->FrameBar().TitleEdit());
    ASSERT_NE(title, nullptr) << "the program's own edit class";
    CGpsGraphView* track = gpsPage->Track();
    EXPECT_FALSE(IsEnabled(*track, fw::ID_EDIT_SELECT_ALL)) << "the title has no focus";
    QWidget* window = title->Widget()->window();
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    title->Widget()->setFocus();
    QApplication::processEvents();
    if (!title->Widget()->hasFocus())
        GTEST_SKIP() << "this display gives no keyboard focus";
    title->SetSel(0, 0);
    ASSERT_TRUE(IsEnabled(*track, fw::ID_EDIT_SELECT_ALL));
    EXPECT_TRUE(track->OnCmdMsg(fw::ID_EDIT_SELECT_ALL, fw::CN_COMMAND, nullptr));
    int start = -1, end = -1;
    title->GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, static_cast<int>(QString("峠道の走行").size()));
}

TEST_F(GpsPageWindow, ThePrintedTrackHasTheTitleRecordAndTimingLinesAboveItsSquarePlot)
{
    CGpsGraphView* track = gpsPage->Track();
    fw::CString record, timing;
    frame->GetRecordText(record, ' ');
    frame->GetTimingText(timing, ' ');
    ASSERT_FALSE(record.IsEmpty());
    ASSERT_FALSE(timing.IsEmpty());

    // A letter-sized page at 600 dots per inch.
    fw::RecordingSink printer(5100, 6600, 600, true);
    fw::CDC dc(&printer);
    fw::CPrintInfo info;
    track->OnBeginPrinting(&dc, &info);
    EXPECT_EQ(info.GetMaxPage(), 1u);
    const fw::CRect plot = track->GetPrintPlotRect();
    EXPECT_NEAR(plot.Width(), plot.Height(), 1) << "square";
    // 20 mm borders in screen pixels (96 per inch), the page 816 wide.
    EXPECT_NEAR(plot.left, 76, 1);
    EXPECT_NEAR(plot.right, 816 - 76, 1);
    EXPECT_GT(plot.top, 76 + 3 * 16 - 1) << "below the three header lines";

    const int level = dc.SaveDC();
    track->OnPrepareDC(&dc, &info);
    ASSERT_TRUE(info.m_bContinuePrinting);
    track->OnPrint(&dc, &info);
    dc.RestoreDC(level);

    // The three lines in order, one above the other, over the plot.
    const std::string texts[] = {"峠道の走行", record.str(), timing.str()};
    std::vector<int> tops;
    for (const std::string& text : texts)
        for (const std::string& line : printer.Log())
            if (line.rfind("text ", 0) == 0 && line.find("\"" + text + "\"") != std::string::npos) {
                const size_t comma = line.find(',');
                tops.push_back(std::stoi(line.substr(comma + 1)));
                break;
            }
    ASSERT_EQ(tops.size(), 3u) << ::testing::PrintToString(printer.Log());
    EXPECT_LT(tops[0], tops[1]);
    EXPECT_LT(tops[1], tops[2]);
    EXPECT_EQ(tops[1] - tops[0], tops[2] - tops[1]);
    EXPECT_LE(tops[2], plot.top);

    info.m_nCurPage = 2;
    track->OnPrepareDC(&dc, &info);
    EXPECT_FALSE(info.m_bContinuePrinting) << "one page";

    // The whole job on a real page.
    const std::string pdf = (dir / "track.pdf").string();
    fw::CPrintInfo job;
    ASSERT_TRUE(fw::PrintViewToPdf(*track, fw::CString(pdf), job));
    EXPECT_EQ(job.GetMaxPage(), 1u);
    EXPECT_GT(std::filesystem::file_size(pdf), 0u);
}

} // namespace
