// The pages with a row per system channel: a black line closes each
// control unit's rows in the sheet, and the data-trigger page labels its
// rows as the input page does.

#include "tests/project/views/ProjectWindowFixture.h"

#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "grid/model/DrawCell.h"
#include "grid/views/GridPane.h"
#include "instrument/system/BoxPropaty.h"
#include "project/views/Prj465View.h"
#include "project/views/PrjDataTrgView.h"
#include "tests/support/link/SystemTestSupport.h"

#include <string>

namespace prjview {
namespace {

class ChannelRowsTest : public ProjectWindowFixture {
protected:
    enum Pane { kRowHeader, kSheet };
    void Draw(CProjectBaseView* page, Pane pane, int col, int row)
    {
        sink.Clear();
        CZELDrawCell cell;
        cell.m_pDC = &dc;
        cell.m_nCol = col;
        cell.m_nRow = row;
        cell.m_rcCell = fw::CRect(0, 100, 60, 120);
        cell.m_rcText = cell.m_rcCell;
        if (pane == kSheet)
            page->DrawSheetCell(cell);
        else
            page->DrawRowHeaderCell(cell);
    }
    bool Logged(const std::string& a, const std::string& b = "") const
    {
        for (const std::string& line : sink.Log())
            if (line.find(a) != std::string::npos && line.find(b) != std::string::npos)
                return true;
        return false;
    }

    fw::RecordingSink sink;
    fw::CDC dc{&sink};
};

TEST_F(ChannelRowsTest, AControlUnitsLastChannelIsClosedByABlackLine)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    CProjectFrame* frame = FrameOf(doc);
    frame->OnPageCommand(prjcmd::kPageDataTrigger);
    auto* trigger = dynamic_cast<CPrjDataTrgView*>(frame->GetActiveView());
    ASSERT_NE(trigger, nullptr);
    const CBoxPropaty* box = doc->GetBoxArray().GetBox(0);
    const int last = box->GetInputCount() - 1;
    ASSERT_GE(last, 2);

    for (CProjectBaseView* page : {static_cast<CProjectBaseView*>(ChannelPage(doc)),
                                   static_cast<CProjectBaseView*>(trigger)}) {
        SCOPED_TRACE(page->GetRuntimeClass()->name);
        Draw(page, kSheet, 1, last);
        EXPECT_TRUE(Logged("line 0,119 60,119", "pen=solid 1 #000000"));
        Draw(page, kSheet, 1, last - 1);
        EXPECT_FALSE(Logged("pen=solid 1 #000000"));
    }
    Draw(trigger, kRowHeader, 1, 2);
    EXPECT_TRUE(Logged("fill 0,60,60," + std::to_string(60 + 20 * box->GetInputCount())))
        << "the control unit over all its rows";
    EXPECT_TRUE(Logged("\"" + box->GetName().str() + "\"", "esc=900"));
}

TEST_F(ChannelRowsTest, EveryUnitIsLabelledOverItsOwnRowsOnTheInputAndOutputPages)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    const CBoxPropaty* box = doc->GetBoxArray().GetBox(0);
    ASSERT_GE(box->GetInputCount(), 16);
    // Row 10 is the third channel of the control unit's second unit.
    Draw(ChannelPage(doc), kRowHeader, 2, 10);
    EXPECT_TRUE(Logged("fill 0,60,60,220")) << "over the second unit's eight rows";

    ASSERT_GE(box->GetOutputCount(), 3);
    CZELGridSplitter* window = FrameOf(doc)->PageWindow(prjcmd::kPageOutput);
    ASSERT_NE(window, nullptr);
    auto* output = dynamic_cast<CProjectBaseView*>(window->GetPane(0, 0));
    ASSERT_NE(output, nullptr);
    // The output page's header starts with the control unit.
    Draw(output, kRowHeader, 0, 2);
    EXPECT_TRUE(Logged("fill 0,60,60," + std::to_string(60 + 20 * box->GetOutputCount())))
        << "the control unit over all its outputs";
    EXPECT_TRUE(Logged("\"" + box->GetName().str() + "\"", "esc=900"));
    Draw(output, kRowHeader, 1, 2);
    EXPECT_TRUE(Logged("fill 0,60,60,220")) << "the output unit over its eight rows";
    EXPECT_TRUE(Logged("esc=900"));
    Draw(output, kRowHeader, 2, 2);
    EXPECT_FALSE(Logged("esc=900")) << "channel numbers stand in their own rows";
    Draw(output, kSheet, 4, box->GetOutputCount() - 1);
    EXPECT_TRUE(Logged("line 0,119 60,119", "pen=solid 1 #000000")) << "the control unit's last output";
    Draw(output, kSheet, 4, 0);
    EXPECT_FALSE(Logged("pen=solid 1 #000000"));
}

TEST_F(ChannelRowsTest, TheDigitalPageGroupsItsElevenRowsPerUnit)
{
    projectHost.profile = systest::Profile({systest::Types({1, 2, 7})});
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    CProjectFrame* frame = FrameOf(doc);
    frame->OnPageCommand(prjcmd::kPageDigitalIO);
    auto* page = dynamic_cast<CPrj465View*>(frame->GetActiveView());
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->GetUnitCount(), 1);
    const std::string box = doc->GetBoxArray().GetBox(0)->GetName().str();

    // Row 3 is the fourth of the unit's eleven rows.
    Draw(page, kRowHeader, 1, 3);
    EXPECT_TRUE(Logged("fill 0,40,60,260")) << "the control unit over its one unit";
    EXPECT_TRUE(Logged("\"" + box + "\"", "esc=900"));
    Draw(page, kRowHeader, 2, 3);
    EXPECT_TRUE(Logged("fill 0,40,60,260", "")) << "the unit over its eleven rows";
    EXPECT_TRUE(Logged("esc=900"));
    // Rows 7-10 are the digital inputs of one channel: one number.
    Draw(page, kRowHeader, 0, 9);
    fw::CString number;
    ASSERT_TRUE(page->GetRowHeaderText(number, 0, 9, 1));
    const int h = page->GetGrid()->GetPane(kIndexRowHeader)->GetRowHeight(8);
    EXPECT_TRUE(Logged("\"" + number.str() + "\"",
                       "cut=0," + std::to_string(100 - 2 * h) + ",60," + std::to_string(120 + h)))
        << "over rows 7 to 10";
    Draw(page, kRowHeader, 4, 10);
    EXPECT_TRUE(Logged("line 0,119 60,119", "pen=solid 1 #000000")) << "the unit's last row";
    Draw(page, kRowHeader, 4, 5);
    EXPECT_TRUE(Logged("line 0,119 60,119", "pen=solid 0 #808080"));
}

} // namespace
} // namespace prjview
