// The time-axis dialog: the time formats of the X labels, the time unit and
// reference time loaded and stored, the style rule, and the best reference
// time with no time series leaving the fields as they are.

#include "chart/model/GrScaleRec.h"
#include "chart/model/KivGraphDraw.h"
#include "framework/core/DateTime.h"
#include "graphdoc/views/TYScaleDlg.h"
#include "tests/support/ui/DialogFixture.h"

namespace {

using appuitest::Click;
using appuitest::Shown;

class TYScaleDlgTest : public appuitest::DialogFixture {
protected:
    TYScaleDlgTest()
    {
        draw.SetXAxisKind(2);
        draw.SetGraphType(10);
        draw.SetTimeUnit(2);
        fw::FieldsToOleDate(2024, 3, 5, 6, 7, 8, draw.Scale().m_timeOrigin);
    }
    CKivGraphDraw draw;
};

TEST_F(TYScaleDlgTest, UnitAndReferenceTimeGoBackWithTheGraphType)
{
    dialogs.On(CTYScaleDlg::IDD, [&](fw::CDialog& d) -> int {
        auto* format = d.GetDlgItemAs<fw::CComboBox>(CScaleDlg::IDC_X_FORMAT);
        EXPECT_EQ(format->GetCount(), 9);
        EXPECT_EQ(d.GetDlgItemAs<fw::CComboBox>(CTYScaleDlg::IDC_TIME_UNIT)->GetCurSel(), 1);
        EXPECT_EQ(d.GetDlgItemText(CTYScaleDlg::IDC_YEAR), "2024");
        EXPECT_EQ(d.GetDlgItemText(CTYScaleDlg::IDC_SECOND), "8");
        // No time series: the fields stay.
        Click(d, CTYScaleDlg::IDC_BEST_REFERENCE);
        EXPECT_EQ(d.GetDlgItemText(CTYScaleDlg::IDC_YEAR), "2024");
        d.GetDlgItemAs<fw::CComboBox>(CTYScaleDlg::IDC_TIME_UNIT)->SetCurSel(2);
        d.GetDlgItem(CTYScaleDlg::IDC_HOUR)->SetWindowText("23");
        auto* style = d.GetDlgItemAs<fw::CComboBox>(CScaleDlg::IDC_STYLE);
        style->UserSelect(2);
        EXPECT_FALSE(Shown(d, CScaleDlg::IDC_X_STEP));
        EXPECT_TRUE(Shown(d, CScaleDlg::IDC_Y_STEP));
        d.OnOK();
        return fw::IDCANCEL;
    });
    CTYScaleDlg dlg;
    dlg.LoadTimeScales(draw);
    ASSERT_EQ(dlg.DoModal(), fw::IDOK);
    dlg.StoreTimeScales(draw);
    EXPECT_EQ(draw.GetTimeUnit(), 3);
    fw::OleDateFields f;
    ASSERT_TRUE(fw::OleDateToFields(draw.Scale().m_timeOrigin, f));
    EXPECT_EQ(f.hour, 23);
    EXPECT_EQ(f.day, 5);
    EXPECT_EQ(draw.Scale().m_scaleType, GrScaleRec::kLogX);
    EXPECT_EQ(draw.Info().m_graphType, 3);
}

TEST_F(TYScaleDlgTest, ALinearTimeAxisDrawsAsTheTimeLineGraph)
{
    draw.SetGraphType(4);
    draw.Scale().m_scaleType = GrScaleRec::kLogY;
    dialogs.On(CTYScaleDlg::IDD, [&](fw::CDialog& d) -> int {
        d.GetDlgItemAs<fw::CComboBox>(CScaleDlg::IDC_STYLE)->UserSelect(0);
        d.GetDlgItem(CTYScaleDlg::IDC_MONTH)->SetWindowText("13");
        d.OnOK();
        EXPECT_FALSE(d.IsEnded());
        d.GetDlgItem(CTYScaleDlg::IDC_MONTH)->SetWindowText("12");
        d.OnOK();
        return fw::IDCANCEL;
    });
    services.prompt.Expect(0, fw::IDOK);
    CTYScaleDlg dlg;
    dlg.LoadTimeScales(draw);
    ASSERT_EQ(dlg.DoModal(), fw::IDOK);
    dlg.StoreTimeScales(draw);
    EXPECT_EQ(draw.Info().m_graphType, 10);
    EXPECT_EQ(draw.Scale().m_scaleType, GrScaleRec::kLinear);
}

} // namespace
