#include "framework/core/testing/ServiceScope.h"
#include "framework/core/StringTable.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Dialog.h"
#include "framework/ui/DialogBuilder.h"
#include "framework/ui/testing/ScriptedDialogs.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace fw;

constexpr unsigned kOptionsDialog = 147;
constexpr int IDC_ORDER_TOP = 1010;
constexpr int IDC_ORDER_LEFT = 1011;
constexpr int IDC_PAPER = 1012;
constexpr int IDC_COUNT = 1020;
constexpr int IDC_LEVEL = 1021;
constexpr int IDC_NAME = 1022;
constexpr int IDC_KIND = 1023;
constexpr int IDC_APPLY = 1024;

// A dialog with every kind of exchange the program's dialogs use.
class OptionsDialog : public CDialog {
    FW_DECLARE_COMMANDS()
public:
    OptionsDialog() : CDialog(kOptionsDialog) {}

    int order = 0;
    int paper = 0;
    int32_t count = 5;
    double level = 0.5;
    CString name = "計測";
    int kind = 1;
    std::vector<std::string> log;

    void BuildControls(DialogBuilder& b) override
    {
        b.Group("設定・計測データリスト");
        b.Static(static_cast<int>(IDC_STATIC), "ページの印刷順：");
        b.Radio(IDC_ORDER_TOP, "上から下", true);
        b.Radio(IDC_ORDER_LEFT, "左から右");
        b.EndGroup();
        b.Group("グラフ");
        b.Check(IDC_PAPER, "用紙サイズで印刷");
        b.EndGroup();
        b.Edit(IDC_COUNT);
        b.Row();
        b.Edit(IDC_LEVEL);
        b.Row();
        b.Edit(IDC_NAME);
        b.Row();
        CComboBox& combo = b.Combo(IDC_KIND);
        combo.AddString("電圧");
        combo.AddString("ひずみ");
        combo.AddString("温度");
        b.Button(IDC_APPLY, "適用");
        b.OkCancel();
    }
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Radio(dx, IDC_ORDER_TOP, order);
        DDX_Check(dx, IDC_PAPER, paper);
        DDX_Text(dx, IDC_COUNT, count);
        DDV_MinMaxInt(dx, count, 1, 100);
        DDX_Text(dx, IDC_LEVEL, level);
        DDV_MinMaxDouble(dx, level, -10.0, 10.0);
        DDX_Text(dx, IDC_NAME, name);
        DDV_MaxChars(dx, name, 8);
        DDX_CBIndex(dx, IDC_KIND, kind);
    }
    CEdit& EditOf(int id) { return *GetDlgItemAs<CEdit>(id); }

private:
    void OnApply() { log.push_back("apply"); }
    void OnNameChange() { log.push_back("change"); }
    void OnNameTyped() { log.push_back("typed"); }
    void OnKind() { log.push_back("kind"); }
};

FW_BEGIN_COMMANDS(OptionsDialog, CDialog)
    FW_ON_BN_CLICKED(IDC_APPLY, &OptionsDialog::OnApply)
    FW_ON_EN_CHANGE(IDC_NAME, &OptionsDialog::OnNameChange)
    FW_ON_EN_USERCHANGE(IDC_NAME, &OptionsDialog::OnNameTyped)
    FW_ON_CBN_SELCHANGE(IDC_KIND, &OptionsDialog::OnKind)
FW_END_COMMANDS

class Dialogs : public ::testing::Test {
protected:
    void TearDown() override
    {
        EXPECT_EQ(services.prompt.Problems(), "");
        EXPECT_EQ(dialogs.Problems(), "");
    }
    test::ServiceScope services;
    test::ScriptedDialogs dialogs;
};

TEST_F(Dialogs, InitialisationShowsTheMembers)
{
    OptionsDialog dlg;
    dlg.order = 1;
    dlg.paper = 1;
    dlg.level = 0.1;
    dialogs.On(kOptionsDialog, [](CDialog& d) {
        auto& o = static_cast<OptionsDialog&>(d);
        EXPECT_EQ(o.GetDlgItemAs<CButton>(IDC_ORDER_LEFT)->GetCheck(), BST_CHECKED);
        EXPECT_EQ(o.GetDlgItemAs<CButton>(IDC_ORDER_TOP)->GetCheck(), BST_UNCHECKED);
        EXPECT_EQ(o.GetDlgItemAs<CButton>(IDC_PAPER)->GetCheck(), BST_CHECKED);
        EXPECT_EQ(o.GetDlgItemText(IDC_COUNT), "5");
        EXPECT_EQ(o.GetDlgItemText(IDC_LEVEL), "0.1");
        EXPECT_EQ(o.GetDlgItemText(IDC_NAME), "計測");
        EXPECT_EQ(o.GetDlgItemAs<CComboBox>(IDC_KIND)->GetCurSel(), 1);
        o.OnCancel();
        return 0;
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dialogs.Shown(), std::vector<unsigned>{kOptionsDialog});
}

TEST_F(Dialogs, OkTakesTheControlsIntoTheMembers)
{
    OptionsDialog dlg;
    dialogs.On(kOptionsDialog, [](CDialog& d) {
        auto& o = static_cast<OptionsDialog&>(d);
        o.GetDlgItemAs<CButton>(IDC_ORDER_LEFT)->Click();
        o.GetDlgItemAs<CButton>(IDC_PAPER)->Click();
        o.SetDlgItemText(IDC_COUNT, " 42 ");
        o.SetDlgItemText(IDC_LEVEL, "-2.5e+000");
        o.GetDlgItemAs<CComboBox>(IDC_KIND)->UserSelect(2);
        o.GetDlgItemAs<CButton>(IDOK)->Click();
        return 0;
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.order, 1);
    EXPECT_EQ(dlg.paper, 1);
    EXPECT_EQ(dlg.count, 42);
    EXPECT_DOUBLE_EQ(dlg.level, -2.5);
    EXPECT_EQ(dlg.kind, 2);
    // The name was set once by the initialisation (a change, as on Windows).
    EXPECT_EQ(dlg.log, (std::vector<std::string>{"change", "kind"}));
}

TEST_F(Dialogs, CancelLeavesTheMembers)
{
    OptionsDialog dlg;
    dialogs.On(kOptionsDialog, [](CDialog& d) {
        d.SetDlgItemText(IDC_COUNT, "77");
        d.GetDlgItemAs<CButton>(IDCANCEL)->Click();
        return 0;
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.count, 5);
}

TEST_F(Dialogs, RefusedEntriesPromptFocusTheControlAndKeepTheDialogOpen)
{
    struct Row { const char* name; int id; const char* text; unsigned prompt; const char* promptText; };
    const Row rows[] = {
        {"not_an_integer", IDC_COUNT, "12a", 61712, nullptr},
        {"integer_beyond_32_bits", IDC_COUNT, "4294967296", 61712, nullptr},
        {"integer_out_of_range", IDC_COUNT, "101", 61714, "1 から 100 までの整数を入力してください。"},
        {"hex_is_no_number", IDC_LEVEL, "0x1A", 61713, nullptr},
        {"real_out_of_range", IDC_LEVEL, "10.5", 61715, "-10 から 10 までの数値を入力してください。"},
        {"text_longer_than_8_cp932_bytes", IDC_NAME, "計測データ", 61716, nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        services.prompt.Reset();
        services.prompt.Expect(r.prompt, IDOK);
        OptionsDialog dlg;
        bool stillOpen = false;
        dialogs.On(kOptionsDialog, [&](CDialog& d) {
            d.SetDlgItemText(r.id, r.text);
            d.OnOK();
            stillOpen = !d.IsEnded();
            d.EndDialog(IDCANCEL);
            return 0;
        });
        dlg.DoModal();
        EXPECT_TRUE(stillOpen);
        EXPECT_EQ(services.prompt.Problems(), "");
        ASSERT_EQ(services.prompt.Prompts().size(), 1u);
        if (r.promptText) {
            EXPECT_EQ(services.prompt.Prompts()[0].text, r.promptText);
        }
        EXPECT_EQ(services.prompt.Prompts()[0].flags & MB_ICONMASK, MB_ICONEXCLAMATION);
        auto* edit = dlg.GetDlgItemAs<CEdit>(r.id);
        EXPECT_EQ(edit->Line()->selectedText(), edit->Line()->text()) << "the refused text is selected";
    }
    services.prompt.Reset();
}

TEST_F(Dialogs, EditNotificationsFireForProgramAndUserChangesAsOnWindows)
{
    OptionsDialog dlg;
    dialogs.On(kOptionsDialog, [](CDialog& d) {
        auto& o = static_cast<OptionsDialog&>(d);
        o.log.clear();  // initialisation set the text once
        o.SetDlgItemText(IDC_NAME, "A");
        o.EditOf(IDC_NAME).TypeText("B");
        o.GetDlgItemAs<CButton>(IDC_APPLY)->Click();
        o.GetDlgItemAs<CComboBox>(IDC_KIND)->SetCurSel(0);  // no notification, as on Windows
        return IDCANCEL;
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.log, (std::vector<std::string>{"change", "change", "typed", "apply"}));
}

TEST_F(Dialogs, ADialogWithoutAScriptIsCancelledAndReported)
{
    test::ScriptedDialogs inner;
    OptionsDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(inner.Problems(), "unexpected dialog 147\n");
}

TEST_F(Dialogs, TheRunningDialogIsOnTheModalStack)
{
    OptionsDialog dlg;
    CDialog* top = nullptr;
    int depth = 0;
    dialogs.On(kOptionsDialog, [&](CDialog& d) {
        top = TopModalDialog();
        depth = ModalDepth();
        d.OnCancel();
        return 0;
    });
    dlg.DoModal();
    EXPECT_EQ(top, &dlg);
    EXPECT_EQ(depth, 1);
    EXPECT_EQ(TopModalDialog(), nullptr);
    EXPECT_EQ(ModalDepth(), 0);
}

TEST(DataExchangeFormat, NumbersAreWrittenInTheOriginalsForms)
{
    struct Row { const char* name; double value; const char* text; };
    const Row rows[] = {
        {"fraction", 0.1, "0.1"},
        {"large", 1e20, "1e+020"},
        {"fifteen_digits", 1.0 / 3.0, "0.333333333333333"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        OptionsDialog dlg;
        dlg.level = r.value;
        dlg.EnsureBuilt();
        dlg.UpdateData(false);
        EXPECT_EQ(dlg.GetDlgItemText(IDC_LEVEL), r.text);
    }
}

} // namespace
