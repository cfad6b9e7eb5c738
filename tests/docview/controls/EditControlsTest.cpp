#include "docview/controls/ContextMenus.h"
#include "docview/controls/ZELEdit.h"
#include "docview/controls/ZELRichEditCtrl.h"
#include "framework/core/Clipboard.h"
#include "framework/core/CmdTarget.h"
#include "framework/core/MenuResource.h"
#include "framework/ui/DialogBuilder.h"
#include "framework/ui/Menu.h"
#include "tests/support/ui/DialogFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QTextEdit>
#include <QVBoxLayout>

#include <memory>

namespace {

class RecordingCmdUI : public fw::CCmdUI {
public:
    void Enable(bool on) override { enabled = on; }
    bool enabled = false;
};

bool Enabled(const std::function<void(fw::CCmdUI*)>& update)
{
    RecordingCmdUI ui;
    ui.enabled = !ui.enabled;
    RecordingCmdUI probe;
    update(&probe);
    return probe.enabled;
}

struct RichEdit {
    RichEdit()
    {
        edit.SetMarkupMode(CZELRichEditCtrl::kMarkupMode);
        CharFormatTwips normal;
        normal.dwMask = CharFormatTwips::CFM_SIZE | CharFormatTwips::CFM_OFFSET;
        normal.yHeight = 180;  // 9 point
        edit.SetDefaultCharFormat(normal);
    }
    fw::CString Markup() const
    {
        fw::CString text;
        edit.GetMarkupText(text);
        return text;
    }
    CharFormatTwips FormatAt(int position)
    {
        edit.SetSel(position, position + 1);
        return edit.GetSelectionCharFormat();
    }
    CZELRichEditCtrl edit;
};

TEST(ZELRichEditCtrl, MarkupRoundTripsExactly)
{
    const char* const rows[] = {
        "x\\super2\\super+1",
        "kg/mm\\super2\\super",
        "a\\super1\\superb\\super22\\superc\\super333\\superd",
        "\\superA\\super",
        "E=mc\\super2\\super\nF=ma\\super-1\\super",
        "ｻﾝﾌﾟﾙ\\super上付き\\super℃",
        "plain",
    };
    for (const char* markup : rows) {
        SCOPED_TRACE(markup);
        RichEdit r;
        r.edit.SetMarkupWindowText(markup);
        EXPECT_EQ(r.Markup(), markup);
        // And once more through the control.
        const fw::CString again = r.Markup();
        r.edit.SetMarkupWindowText(again);
        EXPECT_EQ(r.Markup(), markup);
    }
}

TEST(ZELRichEditCtrl, MarkersBecomeRaisedSmallerCharacters)
{
    RichEdit r;
    r.edit.SetMarkupWindowText("x\\super2\\super+1");
    EXPECT_EQ(r.edit.GetWindowText(), "x2+1");
    const CharFormatTwips x = r.FormatAt(0);
    const CharFormatTwips two = r.FormatAt(1);
    const CharFormatTwips plus = r.FormatAt(2);
    EXPECT_EQ(x.yOffset, 0);
    EXPECT_EQ(x.yHeight, 180);
    EXPECT_EQ(two.yOffset, 36);    // 0.2 x 180
    EXPECT_EQ(two.yHeight, 160);   // 10 x trunc(0.09 x 180 = 16.2)
    EXPECT_EQ(plus.yOffset, 0);
}

TEST(ZELRichEditCtrl, LeadingMarkersChooseTheStartingFormat)
{
    struct Row { const char* name; const char* markup; int32_t offset; const char* readBack; };
    const Row rows[] = {
        {"two_markers", "\\super\\superA", 0, "A"},
        {"one_marker", "\\superA", 36, "\\superA\\super"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RichEdit r;
        r.edit.SetMarkupWindowText(row.markup);
        EXPECT_EQ(r.edit.GetWindowText(), "A");
        EXPECT_EQ(r.FormatAt(0).yOffset, row.offset);
        EXPECT_EQ(r.Markup(), row.readBack);
    }
}

TEST(ZELRichEditCtrl, WithoutMarkupModeTheTextStaysAsItIs)
{
    RichEdit r;
    r.edit.SetMarkupMode(0);
    EXPECT_EQ(r.edit.GetMarkupMode(), 0u);
    r.edit.SetMarkupWindowText("x\\super2\\super");
    EXPECT_EQ(r.edit.GetWindowText(), "x\\super2\\super");
    EXPECT_EQ(r.Markup(), "x\\super2\\super");
}

TEST(ZELRichEditCtrl, TheSuperscriptCommandNeedsTheFocus)
{
    RichEdit r;
    r.edit.SetMarkupWindowText("m2");
    r.edit.SetSel(1, 2);
    r.edit.ApplyCharFormat(CZELRichEditCtrl::kIdSuperscript);
    EXPECT_EQ(r.Markup(), "m2") << "ignored without the focus";
    EXPECT_FALSE(Enabled([&](fw::CCmdUI* ui) { r.edit.UpdateSuperscript(ui); }));

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(r.edit.Widget());
    window.show();
    window.activateWindow();
    r.edit.Widget()->setFocus();
    QApplication::processEvents();
    if (!r.edit.HasKeyboardFocus()) {
        layout->removeWidget(r.edit.Widget());
        r.edit.Widget()->setParent(nullptr);
        GTEST_SKIP() << "this display gives no keyboard focus";
    }
    EXPECT_TRUE(Enabled([&](fw::CCmdUI* ui) { r.edit.UpdateSuperscript(ui); }));
    r.edit.SetSel(1, 2);
    EXPECT_TRUE(r.edit.DoCommand(CZELRichEditCtrl::kIdSuperscript));
    const CharFormatTwips two = r.FormatAt(1);
    EXPECT_EQ(two.yOffset, 36);
    EXPECT_EQ(two.yHeight, 162);  // trunc(0.9 x 180)
    EXPECT_EQ(r.Markup(), "m\\super2\\super");
    r.edit.SetSel(1, 2);
    r.edit.ApplyCharFormat(CZELRichEditCtrl::kIdNormal);
    EXPECT_EQ(r.Markup(), "m2");
    layout->removeWidget(r.edit.Widget());
    r.edit.Widget()->setParent(nullptr);
}

TEST(ZELEdit, EditCommandsFollowTheSelectionAndTheClipboard)
{
    fw::MemoryClipboard clipboard;
    fw::IClipboard* old = fw::InstallClipboard(&clipboard);
    CZELEdit edit;
    edit.SetWindowText("abcd");
    auto copyCut = [&](fw::CCmdUI* ui) { edit.UpdateCopyCut(ui); };
    auto selectAll = [&](fw::CCmdUI* ui) { edit.UpdateSelectAll(ui); };
    auto paste = [&](fw::CCmdUI* ui) { edit.UpdatePaste(ui); };
    edit.SetSel(1, 1);
    EXPECT_FALSE(Enabled(copyCut));
    EXPECT_TRUE(Enabled(selectAll));
    edit.SetSel(1, 3);
    EXPECT_TRUE(Enabled(copyCut));
    edit.SetSel(0, -1);
    EXPECT_FALSE(Enabled(selectAll)) << "everything is selected already";
    EXPECT_FALSE(Enabled(paste));
    clipboard.SetText("x");
    EXPECT_TRUE(Enabled(paste));
    fw::InstallClipboard(old);
}

class EditOwner : public fw::CDialog {
    FW_DECLARE_COMMANDS()
public:
    EditOwner() : fw::CDialog(9003) {}
    void BuildControls(fw::DialogBuilder& b) override
    {
        auto& edit = static_cast<CZELEdit&>(b.Custom(1500, std::make_unique<CZELEdit>()));
        edit.m_nMenuId = 9150;
    }
    void OnCopy() { ++copies; }
    int copies = 0;
};

FW_BEGIN_COMMANDS(EditOwner, fw::CDialog)
    FW_ON_COMMAND(57634, &EditOwner::OnCopy)
FW_END_COMMANDS

TEST(ZELEdit, ItsContextMenuSendsCommandsToTheDialog)
{
    using M = fw::MenuResource;
    fw::RegisterMenuResource(9150, M::Popup("", {M::Popup("編集", {M::Item("コピー(&C)", 57634)})}));
    EditOwner owner;
    owner.EnsureBuilt();
    fw::CString shown;
    fw::CMenu::SetTrackHook([&](fw::CMenu& popup) -> unsigned {
        shown = popup.GetMenuString(0, fw::MF_BYPOSITION);
        return 57634;
    });
    owner.GetDlgItem(1500)->OnContextMenu(nullptr, appctl::kKeyboardMenuPoint);
    fw::CMenu::SetTrackHook(nullptr);
    EXPECT_EQ(shown, "コピー(&C)");
    EXPECT_EQ(owner.copies, 1);
}

} // namespace
