// The project window: a new project opens with its page tool bar, the
// input-channel page shown, the groups remembering their last page and the
// frame bar carrying the test title and the sampling settings.

#include "tests/project/views/ProjectWindowFixture.h"

#include "docview/controls/ZELEdit.h"
#include "framework/ui/Controls.h"
#include "grid/views/SpredView.h"

#include <QAction>
#include <QLineEdit>

namespace prjview {
namespace {

using namespace prjcmd;

TEST_F(ProjectWindowFixture, NewProjectShowsTheInputChannelPageInItsWindow)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    CProjectFrame* frame = FrameOf(doc);
    ASSERT_NE(frame, nullptr);
    CPrjChView* page = ChannelPage(doc);
    EXPECT_EQ(frame->GetCurrentGroup(), kGroupChannel);
    EXPECT_EQ(frame->VisiblePage(), frame->PageWindow(kPageInput));
    EXPECT_EQ(frame->GetActiveView(), page);
    EXPECT_EQ(frame->VisiblePage()->GetDlgCtrlID(), fw::AFX_IDW_PANE_FIRST);
    EXPECT_TRUE(frame->GetWindowText().str().ends_with(" - (入力CH)")) << frame->GetWindowText().str();
    // Two buttons, the channel and setting groups, a separator, data and history.
    fw::CToolBar& bar = frame->PageToolBar();
    ASSERT_EQ(bar.GetCount(), 7);
    EXPECT_EQ(bar.GetItemID(2), kGroupChannel);
    EXPECT_EQ(bar.GetItemID(4), 0u);
    EXPECT_EQ(bar.ActionOf(kGroupData)->text().toStdString(), "計測データ");
    EXPECT_TRUE(frame->HasOutputUnits());
    EXPECT_FALSE(frame->HasDigitalUnits());
    EXPECT_FALSE(frame->HasCanUnit());
}

TEST_F(ProjectWindowFixture, GroupsRememberTheirLastPageAndRetitleTheWindow)
{
    CKIV5980Doc* doc = NewProject();
    CProjectFrame* frame = FrameOf(doc);
    ASSERT_NE(frame, nullptr);
    frame->OnPageCommand(kPageDataList);
    EXPECT_EQ(frame->GetCurrentGroup(), kGroupData);
    EXPECT_TRUE(frame->GetWindowText().str().ends_with(" - (データリスト)"));
    frame->OnPageCommand(kPageInterval);
    EXPECT_EQ(frame->GetLastPage(kGroupSetting), kPageInterval);
    frame->OnPageGroup(kGroupData);
    EXPECT_EQ(frame->GetCurrentGroup(), kGroupData);
    EXPECT_EQ(frame->GetLastPage(kGroupData), kPageDataList);
    frame->OnPageGroup(kGroupSetting);
    EXPECT_TRUE(frame->GetWindowText().str().ends_with(" - (インターバル計測)"));
    frame->OnPageGroup(kGroupChannel);
    EXPECT_EQ(frame->VisiblePage(), frame->PageWindow(kPageInput));
    EXPECT_TRUE(frame->GetWindowText().str().ends_with(" - (入力CH)"));
}

TEST_F(ProjectWindowFixture, PageCommandsFollowTheUnitsOfTheProject)
{
    CKIV5980Doc* doc = NewProject();
    CProjectFrame* frame = FrameOf(doc);
    ASSERT_NE(frame, nullptr);
    struct Case {
        const char* name;
        unsigned id;
        bool enabled;
    } cases[] = {
        {"input", kPageInput, true},      {"output (KIV-437 present)", kPageOutput, true},
        {"digital without its unit", kPageDigitalIO, false}, {"check results", kPageCheck, false},
        {"CAN data without a CAN unit", kPageCanData, false},  {"history", kPageHistory, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fw::CCmdUI ui(c.id);
        ASSERT_TRUE(frame->OnCmdMsg(c.id, fw::CN_UPDATE_COMMAND_UI, &ui));
        EXPECT_EQ(ui.m_bEnabled, c.enabled);
    }
    // Leaving a page that the units no longer allow.
    frame->OnPageCommand(kPageOutput);
    doc->GetBoxArray();
    EXPECT_EQ(frame->GetLastPage(kGroupChannel), kPageOutput);
}

TEST_F(ProjectWindowFixture, TitleEditIsTheProgramsEditWithTheEditMenu)
{
    CProjectFrame* frame = FrameOf(NewProject());
    ASSERT_NE(frame, nullptr);
    auto* edit = dynamic_cast<CZELEdit*>(frame->FrameBar().TitleEdit());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->m_nMenuId, 335);
}

TEST_F(ProjectWindowFixture, TitleEditGivesTheDocumentItsTestTitleCutToTheLimit)
{
    CKIV5980Doc* doc = NewProject();
    CProjectFrame* frame = FrameOf(doc);
    ASSERT_NE(frame, nullptr);
    fw::CEdit* edit = frame->FrameBar().TitleEdit();
    ASSERT_NE(edit, nullptr);
    doc->SetModifiedFlag(false);
    edit->TypeText("Bridge test 3");
    EXPECT_EQ(doc->GetTestTitle(), "Bridge test 3");
    EXPECT_TRUE(doc->IsModified());
    // 130 two-byte characters are 260 bytes in CP932: two are dropped.
    std::string wide;
    for (int i = 0; i < 130; ++i)
        wide += "あ";
    edit->TypeText(fw::CString(wide));
    EXPECT_EQ(doc->GetTestTitle().str().size(), 128u * 3u);
    EXPECT_EQ(edit->GetWindowText(), doc->GetTestTitle());
}

TEST_F(ProjectWindowFixture, FrameBarShowsTheSamplingSettingsAsTheTimingText)
{
    CKIV5980Doc* doc = NewProject();
    CProjectFrame* frame = FrameOf(doc);
    ASSERT_NE(frame, nullptr);
    CADSetPrf& ad = doc->GetBoxArray().GetADSet();
    ad.m_nNum = 1001;
    ad.m_dClk = 10;
    ad.m_nUnit = CADSetPrf::unitS;
    ad.m_nExtClk = 0;
    frame->UpdateFrameBar();
    fw::CString text;
    frame->GetTimingText(text, ',');
    EXPECT_EQ(text.str(), "計測時間,10,秒間,サンプルクロック,10,ミリ秒");
    ad.m_nExtClk = 1;
    frame->UpdateFrameBar();
    text.Empty();
    frame->GetTimingText(text, '\t');
    EXPECT_EQ(text.str(), "データ数\t1001\tサンプル\t外部サンプル\t1ミリ秒未満\t");
}

TEST_F(ProjectWindowFixture, EditLockMakesTheTitleReadOnlyAndStopsEditing)
{
    CKIV5980Doc* doc = NewProject();
    CProjectFrame* frame = FrameOf(doc);
    CPrjChView* page = ChannelPage(doc);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(page->CanEdit());
    frame->ExecuteCommand(kEditLock);
    EXPECT_TRUE(doc->IsEditLocked());
    EXPECT_FALSE(page->CanEdit());
    EXPECT_TRUE(frame->FrameBar().TitleEdit()->Line()->isReadOnly());
    frame->ExecuteCommand(kEditLock);
    EXPECT_FALSE(doc->IsEditLocked());
    EXPECT_FALSE(frame->FrameBar().TitleEdit()->Line()->isReadOnly());
}

} // namespace
} // namespace prjview

#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "framework/core/PrintInfo.h"

namespace prjview {
namespace {

TEST_F(ProjectWindowFixture, PrintedPageCarriesTheTitleAndCountsRowZeroOfAnEmptyPage)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    doc->SetTestTitle("試験A");
    CPrjChView* page = ChannelPage(doc);
    fw::RecordingSink sink(4000, 6000, 600, true);
    fw::CDC dc(&sink);
    fw::CPrintInfo info;
    info.m_rectDraw = fw::CRect(0, 0, 4000, 6000);
    page->OnBeginPrinting(&dc, &info);
    EXPECT_GE(page->GetPrintPageCount(dc), 1);
    page->OnDraw(&dc);
    bool title = false;
    for (const std::string& line : sink.Log())
        title = title || line.find("試験A") != std::string::npos;
    EXPECT_TRUE(title);
}

} // namespace
} // namespace prjview
