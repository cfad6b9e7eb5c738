// The function picker: which functions it lists, what it shows for the
// chosen one, and what it hands back.

#include "framework/core/Services.h"
#include "framework/ui/Controls.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "project/views/FuncDlg.h"

#include <gtest/gtest.h>

namespace prjview {
namespace {

fw::CListBox& ListOf(fw::CDialog& d)
{
    return *d.GetDlgItemAs<fw::CListBox>(CFuncDlg::kIdList);
}

TEST(FuncDlg, ListsEveryShownFunctionInTableOrderWithoutConst)
{
    fw::test::ScriptedDialogs runner;
    std::vector<std::string> items;
    std::vector<uintptr_t> data;
    runner.On(CFuncDlg::kTemplateId, [&](fw::CDialog& d) {
        fw::CListBox& list = ListOf(d);
        for (int i = 0; i < list.GetCount(); ++i) {
            fw::CString text;
            list.GetText(i, text);
            items.push_back(text.str());
            data.push_back(list.GetItemData(i));
        }
        d.OnCancel();
        return fw::IDCANCEL;
    });
    CFuncDlg dlg;
    EXPECT_EQ(dlg.DoModal(), fw::IDCANCEL);
    ASSERT_EQ(items.size(), 37u);
    EXPECT_EQ(items.front(), "CH()");
    EXPECT_EQ(items[23], "NTSMAX()");
    EXPECT_EQ(items[24], "NF4DT()");
    EXPECT_EQ(items.back(), "SGN()");
    EXPECT_EQ(data[23], 23u);
    EXPECT_EQ(data[24], 25u);
    EXPECT_EQ(data.back(), 37u);
    for (const std::string& item : items)
        EXPECT_NE(item, "CONST()");
}

TEST(FuncDlg, ShowsTheChosenFunctionsHelpSplitAtTheFirstComma)
{
    struct Case {
        const char* name;
        int item;
        const char* function;
        const char* description;
        const char* syntax;
        const char* arguments;
        const char* usageStart;
    } cases[] = {
        {"first item on opening", -1, "CH()", "■　計測情報関数 (計測データ)", "CH()", "1", "CH(ch.番号)"},
        {"no arguments", 6, "PI()", "■　数値演算関数 (円周率)", "PI()", "0", "引き数なし"},
        {"usage with commas", 15, "NEMAX()", "■　特殊演算関数 (最大主応力)", "NEMAX(nx,ny,nz,E,ν)", "5",
         "NEMAX(X軸データNO,Y軸データNO,Z軸データNO,ヤング率,ポアソン比）"},
        {"after the hidden entry", 24, "NF4DT()", "■　零点移動量（４次式）", "NF4DT(Tn,1,a,b,c,d,e)", "7",
         "NF4DT(温度データNO"},
        {"list of twenty", 32, "NMAX()", "■　統計関数 (最大値)", "NMAX(n,n..)", "20", "NMAX(データNO1[,"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fw::test::ScriptedDialogs runner;
        runner.On(CFuncDlg::kTemplateId, [&](fw::CDialog& d) {
            if (c.item >= 0)
                ListOf(d).UserSelect(c.item);
            EXPECT_EQ(d.GetDlgItemText(CFuncDlg::kIdDescription).str(), c.description);
            EXPECT_EQ(d.GetDlgItemText(CFuncDlg::kIdSyntax).str(), c.syntax);
            EXPECT_EQ(d.GetDlgItemText(CFuncDlg::kIdArguments).str(), c.arguments);
            EXPECT_EQ(d.GetDlgItemText(CFuncDlg::kIdUsage).str().rfind(c.usageStart, 0), 0u)
                << d.GetDlgItemText(CFuncDlg::kIdUsage).str();
            d.OnOK();
            return fw::IDOK;
        });
        CFuncDlg dlg;
        ASSERT_EQ(dlg.DoModal(), fw::IDOK);
        EXPECT_EQ(dlg.m_strFunction.str(), c.function);
        EXPECT_EQ(dlg.m_nSelect, c.item >= 0 ? c.item : 0);
    }
}

TEST(FuncDlg, DoubleClickEndsWithTheClickedFunction)
{
    fw::test::ScriptedDialogs runner;
    runner.On(CFuncDlg::kTemplateId, [&](fw::CDialog& d) {
        fw::CListBox& list = ListOf(d);
        list.UserSelect(2);
        list.Notify(fw::LBN_DBLCLK);
        EXPECT_TRUE(d.IsEnded());
        return d.GetResult();
    });
    CFuncDlg dlg;
    ASSERT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(dlg.m_strFunction, "SQRT()");
    EXPECT_EQ(dlg.m_nSelect, 2);
}

} // namespace
} // namespace prjview
