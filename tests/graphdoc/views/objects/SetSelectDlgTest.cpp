// The range dialog: times become samples with a tolerance, a range beyond
// the data is fitted with a message and keeps the dialog open, "適用" hands
// the range to the owner.

#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/Controls.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "graphdoc/views/objects/SetSelectDlg.h"

#include <gtest/gtest.h>

namespace {

using graphdlg::CSetSelectDlg;

TEST(SetSelectDlg, TimesOutsideTheDataAreFittedWithAMessage)
{
    fw::test::ServiceScope services;
    services.prompt.ExpectText("選択範囲が計測データの範囲を超えています", fw::IDOK);
    fw::test::ScriptedDialogs runner;
    std::string afterFit;
    runner.On(CSetSelectDlg::IDD, [&](fw::CDialog& d) {
        d.SetDlgItemText(CSetSelectDlg::IDC_FIRST_TIME, "10");
        d.SetDlgItemText(CSetSelectDlg::IDC_LAST_TIME, "100");
        d.OnOK();
        afterFit = d.GetDlgItemText(CSetSelectDlg::IDC_FIRST_SAMPLE).str() + "-" +
                   d.GetDlgItemText(CSetSelectDlg::IDC_LAST_SAMPLE).str();
        d.SetDlgItemText(CSetSelectDlg::IDC_FIRST_TIME, "10");
        d.SetDlgItemText(CSetSelectDlg::IDC_LAST_TIME, "20");
        d.OnOK();
        return fw::IDCANCEL;
    });
    CSetSelectDlg dlg;
    dlg.m_dSecondsPerSample = 0.5;
    dlg.m_nCount = 100;
    dlg.m_strTimeUnit = "秒";
    EXPECT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(afterFit, "21-100");
    EXPECT_EQ(dlg.m_nFirst, 21);
    EXPECT_EQ(dlg.m_nLast, 41);
    EXPECT_EQ(services.prompt.Problems(), "");
}

TEST(SetSelectDlg, AWholeNumberOfIntervalsNamesItsSampleAndApplyHandsItOn)
{
    fw::test::ServiceScope services;
    fw::test::ScriptedDialogs runner;
    std::vector<std::pair<int, int>> applied;
    runner.On(CSetSelectDlg::IDD, [&](fw::CDialog& d) {
        d.SetDlgItemText(CSetSelectDlg::IDC_FIRST_TIME, "0.14");
        d.SetDlgItemText(CSetSelectDlg::IDC_LAST_TIME, "0.5");
        d.GetDlgItemAs<fw::CButton>(CSetSelectDlg::IDC_APPLY)->Click();
        d.OnCancel();
        return fw::IDCANCEL;
    });
    CSetSelectDlg dlg;
    dlg.m_dSecondsPerSample = 0.01;
    dlg.m_nCount = 1000;
    dlg.m_applyRange = [&](int first, int last) { applied.emplace_back(first, last); };
    EXPECT_EQ(dlg.DoModal(), fw::IDCANCEL);
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0], std::make_pair(15, 51));
    EXPECT_EQ(services.prompt.Problems(), "");
}

} // namespace
