#include "docview/controls/ColorBtn.h"
#include "docview/controls/ColorPickers.h"
#include "docview/controls/LineListBox.h"
#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "framework/ui/DialogBuilder.h"
#include "tests/support/ui/DialogFixture.h"

#include <string>
#include <vector>

namespace {

using appctl::DrawItemInfo;
using appctl::ODA_DRAWENTIRE;
using appctl::ODA_SELECT;
using appctl::ODS_DISABLED;
using appctl::ODS_FOCUS;
using appctl::ODS_SELECTED;
using fw::RGB;

DrawItemInfo Item(uintptr_t data, fw::CRect rect, unsigned action = ODA_DRAWENTIRE, unsigned state = 0, int id = 0)
{
    DrawItemInfo info;
    info.itemID = id;
    info.itemAction = action;
    info.itemState = state;
    info.rcItem = rect;
    info.itemData = data;
    return info;
}

// The log lines that start with `prefix`.
std::vector<std::string> Lines(const fw::RecordingSink& sink, const std::string& prefix)
{
    std::vector<std::string> out;
    for (const std::string& line : sink.Log()) {
        if (line.rfind(prefix, 0) == 0)
            out.push_back(line);
    }
    return out;
}

TEST(ColorCmbBox, SortsBySumWithTheOriginalsTieBreak)
{
    struct Row { const char* name; fw::COLORREF c1, c2; int result; };
    const Row rows[] = {
        {"same", RGB(10, 20, 30), RGB(10, 20, 30), 0},
        {"black_before_white", RGB(0, 0, 0), RGB(255, 255, 255), -1},
        {"white_after_black", RGB(255, 255, 255), RGB(0, 0, 0), 1},
        {"red_then_blue", RGB(255, 0, 0), RGB(0, 0, 255), -1},
        {"blue_then_red", RGB(0, 0, 255), RGB(255, 0, 0), -1},
        {"equal_sum_less_of_everything", RGB(0, 100, 0), RGB(50, 50, 0), -1},
        {"smaller_sum_first", RGB(0, 0, 200), RGB(100, 100, 1), -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(CColorCmbBox::CompareItem(r.c1, r.c2), r.result);
    }
    CColorCmbBox box;
    for (fw::COLORREF c : {RGB(255, 255, 255), RGB(255, 0, 0), RGB(0, 0, 0), RGB(0, 128, 0)})
        box.AddColor(c);
    ASSERT_EQ(box.GetCount(), 4);
    EXPECT_EQ(box.GetItemData(0), RGB(0, 0, 0));
    EXPECT_EQ(box.GetItemData(1), RGB(0, 128, 0));
    EXPECT_EQ(box.GetItemData(3), RGB(255, 255, 255));
}

TEST(ColorCmbBox, DrawsTheColourAndFramesTheSelectionInItsComplement)
{
    CColorCmbBox box;
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    box.DrawItem(dc, Item(RGB(255, 0, 0), fw::CRect(0, 0, 50, 12), ODA_DRAWENTIRE, ODS_SELECTED));
    const std::vector<std::string> selected = {
        "fill 0,0,50,12 brush=solid #FF0000", "fill 0,0,50,1 brush=solid #00FFFF", "fill 0,11,50,12 brush=solid #00FFFF",
        "fill 0,0,1,12 brush=solid #00FFFF",  "fill 49,0,50,12 brush=solid #00FFFF",
    };
    EXPECT_EQ(sink.Log(), selected);
    sink.Clear();
    // Losing the selection erases the frame with the colour itself.
    box.DrawItem(dc, Item(RGB(255, 0, 0), fw::CRect(0, 0, 50, 12), ODA_SELECT, 0));
    EXPECT_EQ(Lines(sink, "fill").size(), 4u);
    EXPECT_EQ(sink.Log().front(), "fill 0,0,50,1 brush=solid #FF0000");
}

TEST(LineCmbBox, DrawsThePatternAcrossTheItemLessTenPixelsEachSide)
{
    struct Row { const char* name; uint16_t pattern; std::vector<std::string> lines; };
    const Row rows[] = {
        {"none", 0x0000, {}},
        {"plain", 0xFFFF, {"line 10,9 90,9 pen=solid 1 #000000"}},
        {"dashes_of_four", 0xF0F0,
         {"line 10,9 14,9 pen=solid 1 #000000", "line 18,9 22,9 pen=solid 1 #000000",
          "line 26,9 30,9 pen=solid 1 #000000", "line 34,9 38,9 pen=solid 1 #000000",
          "line 42,9 46,9 pen=solid 1 #000000", "line 50,9 54,9 pen=solid 1 #000000",
          "line 58,9 62,9 pen=solid 1 #000000", "line 66,9 70,9 pen=solid 1 #000000",
          "line 74,9 78,9 pen=solid 1 #000000", "line 82,9 86,9 pen=solid 1 #000000"}},
    };
    CLineCmbBox box;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        box.DrawItem(dc, Item(r.pattern, fw::CRect(0, 0, 100, 18)));
        EXPECT_EQ(Lines(sink, "line"), r.lines);
    }
    appctl::MeasureItemInfo m;
    box.MeasureItem(m);
    EXPECT_EQ(m.itemHeight, 18u);
}

TEST(HatchBox, FillsWithTheHatchOfTheFillNumberWithoutAnOutline)
{
    CHatchBox box;
    box.AddHatch(3);
    EXPECT_EQ(box.GetItemData(0), 3u);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    box.DrawItem(dc, Item(3, fw::CRect(0, 0, 40, 14), ODA_DRAWENTIRE, ODS_SELECTED));
    ASSERT_FALSE(sink.Log().empty());
    EXPECT_EQ(sink.Log()[0], "rect 0,0,40,14 pen=null 0 #000000 brush=hatch4 #000000") << "fill 3 is the cross hatch";
    EXPECT_EQ(Lines(sink, "fill").size(), 4u) << "black selection frame";
    EXPECT_EQ(sink.Log()[1], "fill 0,0,40,1 brush=solid #000000");
}

TEST(SymbolCmbbox, DrawsTheSymbolAtTheCentreAndLeavesThePosition)
{
    CSymbolCmbbox box;
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    box.DrawItem(dc, Item(1, fw::CRect(0, 0, 40, 18)));
    ASSERT_EQ(sink.Log().size(), 1u);
    // Symbol 1 unfilled is the square's closed outline.
    EXPECT_EQ(sink.Log()[0], "polyline 15,4 25,4 25,14 15,14 15,4 pen=solid 1 #000000");
    EXPECT_EQ(dc.GetCurrentPosition(), fw::CPoint(20, 9));
}

TEST(LineListBox, NumbersTheLinesWithOrWithoutTheNewLineEntry)
{
    CLineListBox list;
    EXPECT_EQ(list.ItemText(0), "新規ライン");
    EXPECT_EQ(list.ItemText(2), " 2 本目");
    list.m_bNewLineFirst = 0;
    EXPECT_EQ(list.ItemText(0), " 1 本目");
    EXPECT_EQ(list.ItemText(2), " 3 本目");
}

TEST(LineListBox, DrawsTheSelectedItemHighlightedOneBelowTheTop)
{
    CLineListBox list;
    list.AddString("");
    list.AddString("");
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    list.DrawItem(dc, Item(0, fw::CRect(0, 14, 80, 28), ODA_DRAWENTIRE, ODS_SELECTED, 1));
    ASSERT_GE(sink.Log().size(), 2u);
    EXPECT_EQ(sink.Log()[0], "fill 0,14,80,28 brush=solid #0078D7");
    EXPECT_EQ(sink.Log()[1].rfind("text 0,15 \" 1 本目\" top|left #FFFFFF", 0), 0u) << sink.Log()[1];
}

TEST(ColorBtn, BevelRingsAndTheirColours)
{
    struct Row { const char* name; int depth; std::vector<std::string> lines; };
    const Row rows[] = {
        {"flat", 0, {}},
        {"raised_one_ring", 1,
         {"line 0,0 10,0 pen=solid 1 #FFFFFF", "line 0,0 0,6 pen=solid 1 #FFFFFF",
          "line 0,5 10,5 pen=solid 1 #A0A0A0", "line 9,0 9,6 pen=solid 1 #A0A0A0"}},
        {"sunken_two_rings", -2,
         {"line 0,0 10,0 pen=solid 1 #7F7F7F", "line 0,0 0,6 pen=solid 1 #7F7F7F",
          "line 0,5 10,5 pen=solid 1 #FFFFFF", "line 9,0 9,6 pen=solid 1 #FFFFFF",
          "line 1,1 9,1 pen=solid 1 #555555", "line 1,1 1,5 pen=solid 1 #555555",
          "line 1,4 9,4 pen=solid 1 #010101", "line 8,1 8,5 pen=solid 1 #010101"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        CColorBtn::DrawBevel(dc, fw::CRect(0, 0, 10, 6), r.depth);
        EXPECT_EQ(sink.Log(), r.lines);
    }
}

TEST(ColorBtn, IndicatorModeUntilClearedThenItsOwnColours)
{
    CColorBtn button;
    button.SetWindowText("CF");
    button.m_crFace = RGB(200, 0, 0);
    button.m_crText = RGB(255, 255, 0);
    button.m_crDisabledText = RGB(90, 90, 90);
    auto draw = [&](unsigned state) {
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        button.DrawItem(dc, Item(0, fw::CRect(0, 0, 40, 20), ODA_DRAWENTIRE, state));
        return sink.Log();
    };
    std::vector<std::string> log = draw(0);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "fill 0,0,40,20 brush=solid #00C000");
    EXPECT_NE(log[1].find("\"CF\""), std::string::npos);
    EXPECT_NE(log[1].find("#000000"), std::string::npos) << "system button text in indicator mode";
    button.SetDrawValue(0);
    log = draw(ODS_DISABLED);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0], "fill 0,0,40,20 brush=solid #C80000");
    EXPECT_NE(log[1].find("#FFFF00"), std::string::npos);
    EXPECT_NE(log[2].find("#5A5A5A"), std::string::npos) << "caption again in the disabled colour";
}

TEST(ColorBtn, APressedFocusedButtonIsDrawnSunkenWithTheFocusFrame)
{
    CColorBtn button;
    button.SetDrawValue(0);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    button.DrawItem(dc, Item(0, fw::CRect(0, 0, 40, 20), ODA_DRAWENTIRE, ODS_FOCUS | ODS_SELECTED));
    EXPECT_EQ(Lines(sink, "rect 4,4,36,16 pen=dot").size(), 2u);
    EXPECT_EQ(Lines(sink, "fill 0,0,40,20").size(), 2u);
    // The one sunken ring: shadow on top and left.
    EXPECT_EQ(Lines(sink, "line 0,0 40,0 pen=solid 1 #A0A0A0").size(), 1u);
}

class ButtonDialog : public fw::CDialog {
    FW_DECLARE_COMMANDS()
public:
    ButtonDialog() : fw::CDialog(9002) {}
    void BuildControls(fw::DialogBuilder& b) override { b.Button(1200, "カード"); }
    void OnCard() { ++clicks; }
    int clicks = 0;
};

FW_BEGIN_COMMANDS(ButtonDialog, fw::CDialog)
    FW_ON_BN_CLICKED(1200, &ButtonDialog::OnCard)
FW_END_COMMANDS

TEST(ColorBtn, SubclassingTakesOverTheDialogsButton)
{
    ButtonDialog dlg;
    dlg.EnsureBuilt();
    CColorBtn button;
    EXPECT_FALSE(button.SubclassButton(1299, &dlg, RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9), 2));
    EXPECT_EQ(button.m_crFace, RGB(0, 0, 0)) << "nothing stored on failure";
    ASSERT_TRUE(button.SubclassButton(1200, &dlg, RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9), 2));
    EXPECT_EQ(dlg.GetDlgItem(1200), &button);
    EXPECT_EQ(button.GetWindowText(), "カード");
    EXPECT_EQ(button.m_nBevel, 2);
    EXPECT_EQ(button.m_bIndicator, 1) << "the indicator mode stays";
    button.Click();
    EXPECT_EQ(dlg.clicks, 1);
}

} // namespace
