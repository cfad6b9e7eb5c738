// Typing into cells: the editor opens on a typed key or through the input
// method, stores on Enter and steps on, drops on Esc, and stays open when
// the owner refuses the text.

#include "tests/grid/views/GridFixture.h"

#include "framework/core/Services.h"
#include "framework/ui/Menu.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "grid/views/GridRichWnd.h"
#include "grid/views/WHsetDlg.h"
#include "tests/support/ui/UiTestSupport.h"

#include <QInputMethodEvent>
#include <QTextEdit>

#include <gtest/gtest.h>

using gridtest::GridFixture;

namespace {

fw::CString EditorText(const CZELGridPane* pane)
{
    return pane->GetEditor() ? pane->GetEditor()->GetText() : fw::CString("<none>");
}

TEST(GridEdit, TypingADigitReplacesTheTextAndEnterStoresIt)
{
    GridFixture f;
    f.grid.cells[{2, 1}] = "old";
    f.Click(2, 1);
    f.Type("5");
    ASSERT_TRUE(f.Sheet()->IsEditing());
    EXPECT_EQ(EditorText(f.Sheet()), "5");
    f.Type("7");
    EXPECT_EQ(EditorText(f.Sheet()), "57");
    f.Key(Qt::Key_Return);
    EXPECT_FALSE(f.Sheet()->IsEditing());
    ASSERT_FALSE(f.grid.stored.empty());
    EXPECT_EQ(f.grid.stored.back(), "2,1=57/1");
    EXPECT_EQ(f.grid.undo.back(), kChangeEdit);
    EXPECT_EQ(f.Sheet()->GetCurrentCell(), (CCellIndices{3, 1}));
    uitest::RunQueued();
}

TEST(GridEdit, EscapeDropsTheEditAndArrowsLeaveTheCell)
{
    GridFixture f;
    f.Click(1, 1);
    f.Type("9");
    f.Key(Qt::Key_Escape);
    EXPECT_FALSE(f.Sheet()->IsEditing());
    EXPECT_TRUE(f.grid.stored.empty());
    f.Type("4");
    // Left right after the editor opened leaves the cell.
    f.Key(Qt::Key_Left);
    EXPECT_EQ(f.grid.stored.back(), "1,1=4/1");
    EXPECT_EQ(f.Sheet()->GetCurrentCell(), (CCellIndices{1, 0}));
    uitest::RunQueued();
}

TEST(GridEdit, RefusedTextKeepsTheEditorOpen)
{
    GridFixture f;
    f.grid.acceptStore = false;
    f.Click(1, 1);
    f.Type("8");
    f.Key(Qt::Key_Return);
    EXPECT_TRUE(f.Sheet()->IsEditing());
    EXPECT_EQ(f.Sheet()->GetCurrentCell(), (CCellIndices{1, 1}));
    // A click elsewhere then does nothing further.
    f.Press(f.SheetWidget(), f.CellCentre(4, 4));
    EXPECT_EQ(f.Sheet()->GetCurrentCell(), (CCellIndices{1, 1}));
    f.grid.acceptStore = true;
    f.Key(Qt::Key_Return);
    EXPECT_FALSE(f.Sheet()->IsEditing());
    uitest::RunQueued();
}

TEST(GridEdit, LeavingForAnotherWindowStoresTheEdit)
{
    GridFixture f;
    QWidget other(f.parent.Widget());
    other.setFocusPolicy(Qt::StrongFocus);
    other.show();
    f.Click(2, 2);
    f.Type("6");
    ASSERT_TRUE(f.Sheet()->IsEditing());
    other.setFocus();
    EXPECT_FALSE(f.Sheet()->IsEditing());
    EXPECT_EQ(f.grid.stored.back(), "2,2=6/1");
    uitest::RunQueued();
}

TEST(GridEdit, ReadOnlyCellConsumesTheKeyWithoutEditor)
{
    GridFixture f;
    f.grid.editable = false;
    f.Click(1, 1);
    f.Type("7");
    EXPECT_FALSE(f.Sheet()->IsEditing());
    EXPECT_EQ(f.Sheet()->GetCurrentCell(), (CCellIndices{1, 1}));
}

TEST(GridEdit, JapaneseFromTheInputMethodReachesTheEditor)
{
    GridFixture f;
    f.Click(3, 2);
    const QRect candidates = f.SheetWidget()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_EQ(candidates, QRect(128, 60, 64, 20));
    QInputMethodEvent compose(QStringLiteral("にほんご"), {});
    QApplication::sendEvent(f.SheetWidget(), &compose);
    ASSERT_TRUE(f.Sheet()->IsEditing());
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("日本語"));
    QApplication::sendEvent(f.Sheet()->GetEditor()->TextEdit(), &commit);
    EXPECT_EQ(EditorText(f.Sheet()), "日本語");
    f.Key(Qt::Key_Return);
    EXPECT_EQ(f.grid.stored.back(), "3,2=日本語/1");
    uitest::RunQueued();
}

TEST(GridEdit, DoubleClickEditsWithTheOldTextAndMarkupSurvives)
{
    GridFixture f;
    f.grid.cells[{0, 0}] = "abc";
    f.Click(0, 0);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, f.CellCentre(0, 0), f.SheetWidget()->mapToGlobal(f.CellCentre(0, 0)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.SheetWidget(), &dbl);
    ASSERT_TRUE(f.Sheet()->IsEditing());
    EXPECT_EQ(EditorText(f.Sheet()), "abc");
    // While editing no header border can be dragged.
    EXPECT_EQ(f.style->m_colHeader.m_bColResize, 0);
    f.Key(Qt::Key_Tab);
    EXPECT_EQ(f.style->m_colHeader.m_bColResize, 1);
    EXPECT_EQ(f.Sheet()->GetCurrentCell(), (CCellIndices{0, 1}));
    uitest::RunQueued();

    CZELGridRichWnd editor;
    editor.SetMarkupFlags(CZELGridRichWnd::kMarkupSuper);
    editor.SetText("m\\super2\\super");
    EXPECT_EQ(editor.GetText(), "m\\super2\\super");
    CZELGridRichWnd plain;
    plain.SetText("ab");
    plain.SetSel(1, 2);
    plain.ReplaceSel("XY");
    EXPECT_EQ(plain.GetText(), "aXY");
}

TEST(GridEdit, DigitEditorTakesOnlyNumbers)
{
    GridFixture f;
    struct DigitGrid : gridtest::TableGrid {
    };
    CZELDegitEditWnd editor;
    editor.SetAllowedChars("+-.eE");
    editor.CreateForMouse(f.Sheet(), fw::CRect(0, 0, 60, 20), "", 0);
    QTextEdit* edit = editor.TextEdit();
    for (QChar c : QStringLiteral("1e-3x")) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
    }
    EXPECT_EQ(editor.GetText(), "1e-3");
}

} // namespace

namespace {

TEST(SizeDialog, SetsSelectedColumnsInMillimetresAndRefusesTooLarge)
{
    GridFixture f;
    f.grid.SetSelection({0, 1, 99, 3}, {0, 1}, {99, 3}, false);
    fw::test::ScriptedDialogs dialogs;
    float shown = -1;
    dialogs.On(CWHsetDlg::kTemplateId, [&](fw::CDialog& d) {
        shown = static_cast<CWHsetDlg&>(d).GetValue();
        d.SetDlgItemText(CWHsetDlg::kIdValue, "12.5");
        d.OnOK();
        return 0;
    });
    CWHsetDlg dlg(f.Sheet());
    EXPECT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_NEAR(shown, 16.93, 0.01);  // 64 pixels
    for (int c = 1; c <= 3; ++c)
        EXPECT_EQ(f.Sheet()->GetColumnWidth(c), 47) << c;
    EXPECT_EQ(f.Sheet()->GetColumnWidth(0), 64);
    EXPECT_EQ(f.grid.undo.back(), kChangeColumnWidths);

    dialogs.On(CWHsetDlg::kTemplateId, [&](fw::CDialog& d) {
        d.SetDlgItemText(CWHsetDlg::kIdValue, "40000");
        d.OnOK();
        EXPECT_FALSE(d.IsEnded());
        d.OnCancel();
        return 0;
    });
    CWHsetDlg refused(f.Sheet());
    EXPECT_NE(refused.DoModal(), fw::IDOK);
    EXPECT_EQ(f.Sheet()->GetColumnWidth(1), 47);
}

} // namespace

namespace {

TEST(GridEdit, EditorMenusOfferSuperscriptAndTheUnits)
{
    GridFixture f;
    struct Seen {
        fw::CString copy;
        fw::CString super;
        int items = 0;
    } seen;
    fw::CMenu::SetTrackHook([&](fw::CMenu& popup) -> unsigned {
        seen.copy = popup.GetMenuString(57634, fw::MF_BYCOMMAND);
        seen.super = popup.GetMenuString(57340, fw::MF_BYCOMMAND);
        seen.items = popup.GetMenuItemCount();
        return 0;
    });
    CZELGridRichWnd plain;
    plain.CreateForMouse(f.Sheet(), fw::CRect(0, 0, 60, 20), "", 0);
    plain.OnContextMenu(&plain, fw::CPoint(-1, -1));
    EXPECT_EQ(seen.copy, "ｺﾋﾟｰ(&C)");
    EXPECT_EQ(seen.super, "上付き");
    CUnitEditWnd unit;
    unit.CreateForMouse(f.Sheet(), fw::CRect(0, 0, 60, 20), "", CZELGridRichWnd::kMarkupSuper);
    unit.OnContextMenu(&unit, fw::CPoint(-1, -1));
    fw::CMenu::SetTrackHook(nullptr);
    EXPECT_EQ(seen.copy, "コピー(&C)");
    EXPECT_EQ(seen.items, 13);
}

} // namespace
