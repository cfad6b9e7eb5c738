#include "docview/controls/ContextMenus.h"
#include "docview/instrumentdlg/KivUnitMenu.h"
#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "framework/ui/DialogBuilder.h"
#include "tests/support/ui/DialogFixture.h"

#include <string>
#include <vector>

namespace {

constexpr unsigned kFirst = CKivUnitMenu::kUnitItemId + 1;  // 33109

TEST(KivUnitMenu, LoadsTheFortyOneUnitsOnceWithTheirCommands)
{
    CKivUnitMenu menu;
    menu.LoadUnits(CKivUnitMenu::kUnitItemId);
    menu.LoadUnits(CKivUnitMenu::kUnitItemId);
    ASSERT_EQ(menu.GetMenuItemCount(), 41);
    EXPECT_EQ(menu.GetMenuItemID(0), kFirst);
    EXPECT_EQ(menu.GetMenuItemID(40), kFirst + 40);
    EXPECT_EQ(menu.GetUnitText(kFirst), "μStrain");
    EXPECT_EQ(menu.GetUnitText(kFirst + 13), "kg/mm\\super2\\super");
    // No unit: a blank item that gives back the empty text.
    EXPECT_EQ(menu.GetUnitText(kFirst + 29), "");
    EXPECT_EQ(menu.Menu()->actions().at(29)->text().toStdString(), " ");
    EXPECT_EQ(menu.GetUnitText(kFirst + 40), "km/h");
}

TEST(KivUnitMenu, AttachingToAnItemWithoutTextChangesNothing)
{
    fw::CMenu parent;
    parent.CreatePopupMenu();
    parent.AppendMenu(fw::MF_STRING, CKivUnitMenu::kUnitItemId, "");
    CKivUnitMenu units;
    units.AttachToItem(parent, CKivUnitMenu::kUnitItemId);
    EXPECT_EQ(parent.GetMenuItemID(0), CKivUnitMenu::kUnitItemId);
    EXPECT_EQ(units.GetMenuItemCount(), 0);
}

TEST(KivUnitMenu, AttachingTurnsTheItemIntoTheUnitPopup)
{
    fw::CMenu parent;
    parent.CreatePopupMenu();
    parent.AppendMenu(fw::MF_STRING, 100, "前");
    parent.AppendMenu(fw::MF_STRING, CKivUnitMenu::kUnitItemId, "単位");
    CKivUnitMenu units;
    units.AttachToItem(parent, CKivUnitMenu::kUnitItemId);
    EXPECT_EQ(parent.GetMenuItemID(1), 0xFFFFFFFFu);
    EXPECT_EQ(parent.GetMenuString(1, fw::MF_BYPOSITION), "単位");
    ASSERT_NE(parent.GetSubMenu(1), nullptr);
    EXPECT_EQ(parent.GetSubMenu(1)->GetMenuItemCount(), 41);
    EXPECT_EQ(units.GetFirstId(), kFirst);
}

TEST(KivUnitMenu, MeasuresWithoutMarkersAndDrawsTheSuperscriptSmallerAtTheTop)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    fw::LOGFONT lf;
    lf.lfHeight = -20;
    fw::CFont font;
    font.CreateFontIndirect(lf);
    dc.SelectObject(&font);

    appctl::MeasureItemInfo measure;
    CKivUnitMenu::MeasureItem(dc, "kg/mm\\super2\\super", measure);
    EXPECT_EQ(measure.itemWidth, static_cast<unsigned>(dc.GetTextExtent("kg/mm2").cx));
    EXPECT_EQ(measure.itemHeight, 20u);

    appctl::DrawItemInfo item;
    item.itemAction = appctl::ODA_DRAWENTIRE | appctl::ODA_SELECT;
    item.itemState = appctl::ODS_SELECTED;
    item.rcItem = fw::CRect(0, 40, 120, 60);
    CKivUnitMenu::DrawItem(dc, "kg/mm\\super2\\super", item);
    const std::vector<std::string> expected = {
        "fill 0,40,120,60 brush=solid #0078D7",
        "text 15,40 \"kg/mm\" top|left #FFFFFF font=/-20",
        "text 65,40 \"2\" top|left #FFFFFF font=/-16",
    };
    EXPECT_EQ(sink.Log(), expected);
}

TEST(KivUnitMenu, AGreyedItemHasAnEmbossedShadowUnlessSelected)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    appctl::DrawItemInfo item;
    item.itemAction = appctl::ODA_DRAWENTIRE;
    item.itemState = appctl::ODS_GRAYED;
    item.rcItem = fw::CRect(0, 0, 100, 16);
    CKivUnitMenu::DrawItem(dc, "mm", item);
    const std::vector<std::string> expected = {
        "text 16,1 \"mm\" top|left #FFFFFF font=MS UI Gothic/-12",
        "text 15,0 \"mm\" top|left #6D6D6D font=MS UI Gothic/-12",
    };
    EXPECT_EQ(sink.Log(), expected);
}

// A window that takes the unit commands, as the table views do.
class UnitCommandTarget : public fw::CDialog {
    FW_DECLARE_COMMANDS()
public:
    UnitCommandTarget() : fw::CDialog(9001) {}
    void BuildControls(fw::DialogBuilder& b) override { b.Edit(1000); }
    void OnUnit(unsigned id) { chosen = id; }
    unsigned chosen = 0;
};

FW_BEGIN_COMMANDS(UnitCommandTarget, fw::CDialog)
    FW_ON_COMMAND_RANGE(33109, 33149, &UnitCommandTarget::OnUnit)
FW_END_COMMANDS

TEST(KivUnitMenu, TheCellEditorMenuOffersTheUnitsAndSendsTheChoiceToItsWindow)
{
    UnitCommandTarget target;
    target.EnsureBuilt();
    fw::CWnd& editor = *target.GetDlgItem(1000);
    int units = -1;
    fw::CString superscriptItem;
    fw::CMenu::SetTrackHook([&](fw::CMenu& popup) -> unsigned {
        const int unitPos = popup.GetMenuItemCount() - 1;
        superscriptItem = popup.GetMenuString(57340, fw::MF_BYCOMMAND);
        if (fw::CMenu* sub = popup.GetSubMenu(unitPos))
            units = sub->GetMenuItemCount();
        return kFirst + 13;
    });
    TrackUnitEditMenu(editor, appctl::kKeyboardMenuPoint);
    fw::CMenu::SetTrackHook(nullptr);
    EXPECT_EQ(units, 41);
    EXPECT_EQ(superscriptItem, "上付き");
    EXPECT_EQ(target.chosen, kFirst + 13);
}

TEST(KivUnitMenu, AKeyboardMenuOpensFivePixelsInsideTheEditor)
{
    UnitCommandTarget target;
    target.EnsureBuilt();
    fw::CWnd& editor = *target.GetDlgItem(1000);
    target.Widget()->move(200, 100);
    editor.Widget()->move(30, 40);
    const QPoint corner = editor.Widget()->mapToGlobal(QPoint(0, 0));
    const fw::CPoint at = appctl::ContextMenuPoint(editor, appctl::kKeyboardMenuPoint);
    EXPECT_EQ(at.x, corner.x() + 5);
    EXPECT_EQ(at.y, corner.y() + 5);
    // A mouse request stays where the mouse was.
    const fw::CPoint mouse = appctl::ContextMenuPoint(editor, fw::CPoint(7, 9));
    EXPECT_EQ(mouse.x, 7);
    EXPECT_EQ(mouse.y, 9);
}

} // namespace
