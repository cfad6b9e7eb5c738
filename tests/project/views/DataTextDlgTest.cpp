// The conversion settings of history steps: which header boxes the chosen
// format allows, what the four formats store, and the limits' ranges.

#include "framework/core/Services.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/Controls.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "project/views/DataTextDlg.h"

#include <gtest/gtest.h>

namespace prjview {
namespace {

fw::CButton& Button(fw::CDialog& d, int id) { return *d.GetDlgItemAs<fw::CButton>(id); }

TEST(DataTextDlg, FormatsDecideTheHeaderBoxesAndWhatIsStored)
{
    struct Case {
        const char* name;
        int radio;
        bool title, names, oneLine;
        int32_t page, format;
    } cases[] = {
        {"text", CDataTextDlg::kIdTxt, true, true, true, tTextConvParam::kPageList, tTextConvParam::kTxt},
        {"csv", CDataTextDlg::kIdCsv, true, true, true, tTextConvParam::kPageList, tTextConvParam::kCsv},
        {"recorder", CDataTextDlg::kIdLob, false, false, false, tTextConvParam::kPageLob, tTextConvParam::kCsv},
        {"dadisp", CDataTextDlg::kIdDadisp, false, true, false, tTextConvParam::kPageDadisp, tTextConvParam::kHed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fw::test::ScriptedDialogs runner;
        runner.On(CDataTextDlg::kTemplateId, [&](fw::CDialog& d) {
            Button(d, c.radio).Click();
            EXPECT_EQ(d.GetDlgItem(CDataTextDlg::kIdTitle)->IsWindowEnabled(), c.title);
            EXPECT_EQ(d.GetDlgItem(CDataTextDlg::kIdName)->IsWindowEnabled(), c.names);
            EXPECT_EQ(d.GetDlgItem(CDataTextDlg::kIdOneLine)->IsWindowEnabled(), c.oneLine);
            d.OnOK();
            return fw::IDOK;
        });
        CDataTextDlg dlg;
        ASSERT_EQ(dlg.DoModal(), fw::IDOK);
        EXPECT_EQ(dlg.m_param.page, c.page);
        EXPECT_EQ(dlg.m_param.format, c.format);
    }
}

TEST(DataTextDlg, OneLineNeedsBothNameAndUnitAndLimitsKeepTheirRanges)
{
    fw::test::ServiceScope services;
    services.prompt.ExpectText("1320", fw::IDOK);
    fw::test::ScriptedDialogs runner;
    runner.On(CDataTextDlg::kTemplateId, [&](fw::CDialog& d) {
        Button(d, CDataTextDlg::kIdUnit).Click();
        EXPECT_FALSE(d.GetDlgItem(CDataTextDlg::kIdOneLine)->IsWindowEnabled());
        Button(d, CDataTextDlg::kIdUnit).Click();
        EXPECT_TRUE(d.GetDlgItem(CDataTextDlg::kIdOneLine)->IsWindowEnabled());
        d.SetDlgItemText(CDataTextDlg::kIdColumns, "1321");
        d.OnOK();
        EXPECT_FALSE(d.IsEnded());
        d.SetDlgItemText(CDataTextDlg::kIdColumns, "12");
        d.OnOK();
        return fw::IDOK;
    });
    CDataTextDlg dlg;
    ASSERT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(dlg.m_param.columnLimit, 12);
    EXPECT_EQ(services.prompt.Problems(), "");
}

} // namespace
} // namespace prjview
