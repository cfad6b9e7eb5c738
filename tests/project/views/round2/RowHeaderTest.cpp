// The input page's row header: the control unit and the unit are drawn
// once over their rows, upright, with a black line under a group's end.

#include "tests/project/views/ProjectWindowFixture.h"

#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "grid/model/DrawCell.h"
#include "instrument/system/BoxPropaty.h"

namespace prjview {
namespace {

class RowHeaderTest : public ProjectWindowFixture {
protected:
    void Draw(int col, int row)
    {
        sink.Clear();
        CZELDrawCell cell;
        cell.m_pDC = &dc;
        cell.m_nCol = col;
        cell.m_nRow = row;
        cell.m_rcCell = fw::CRect(0, 100, 60, 120);
        cell.m_rcText = cell.m_rcCell;
        page->DrawRowHeaderCell(cell);
    }
    bool Logged(const std::string& a, const std::string& b = "") const
    {
        for (const std::string& line : sink.Log())
            if (line.find(a) != std::string::npos && line.find(b) != std::string::npos)
                return true;
        return false;
    }

    CPrjChView* page = nullptr;
    fw::RecordingSink sink;
    fw::CDC dc{&sink};
};

TEST_F(RowHeaderTest, TheControlUnitAndTheUnitSpanTheirRows)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    page = ChannelPage(doc);
    ASSERT_NE(page, nullptr);
    const CBoxPropaty* box = doc->GetBoxArray().GetBox(0);
    const int channels = box->GetInputCount();
    ASSERT_GE(channels, 3);

    // Row 2 is the third channel of both the control unit and its unit.
    Draw(1, 2);
    EXPECT_TRUE(Logged("fill 0,60,60," + std::to_string(60 + 20 * channels))) << "over every channel of the box";
    EXPECT_TRUE(Logged("\"" + box->GetName().str() + "\"", "esc=900")) << "the name stands upright";
    Draw(2, 2);
    EXPECT_TRUE(Logged("fill 0,60,60,220")) << "over the unit's eight channels";

    // The last channel of the box closes the group with a black line.
    Draw(0, channels - 1);
    EXPECT_TRUE(Logged("line 0,119 60,119", "pen=solid 1 #000000"));
    Draw(0, 0);
    EXPECT_FALSE(Logged("pen=solid 1 #000000")) << "inside the group a grey line only";
}

} // namespace
} // namespace prjview
