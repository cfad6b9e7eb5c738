#include "chart/model/GrFrameRec.h"
#include "chart/model/KivGraphDraw.h"
#include "framework/core/Services.h"
#include "graphdoc/views/GraphGrid.h"
#include "graphdoc/views/ScaleDlg.h"
#include "tests/support/ui/DialogFixture.h"

namespace {

using appuitest::Click;

class GraphDialogsTest : public appuitest::DialogFixture {};

bool Hidden(fw::CDialog& d, int id)
{
    fw::CWnd* w = d.GetDlgItem(id);
    return w && w->Widget() && w->Widget()->isHidden();
}

TEST_F(GraphDialogsTest, LogarithmicStylesHideTheirSteps)
{
    CKivGraphDraw draw;
    CScaleDlg dialog;
    dialog.LoadScales(draw);
    dialogs.On(CScaleDlg::IDD, [](fw::CDialog& d) {
        auto* style = d.GetDlgItemAs<fw::CComboBox>(CScaleDlg::IDC_STYLE);
        EXPECT_FALSE(Hidden(d, CScaleDlg::IDC_X_STEP));
        style->UserSelect(1);  // Log-Log
        EXPECT_TRUE(Hidden(d, CScaleDlg::IDC_X_STEP));
        EXPECT_TRUE(Hidden(d, CScaleDlg::IDC_Y_SUB));
        style->UserSelect(2);  // LogX-Y
        EXPECT_TRUE(Hidden(d, CScaleDlg::IDC_X_SUB));
        EXPECT_FALSE(Hidden(d, CScaleDlg::IDC_Y_STEP));
        Click(d, fw::IDOK);
        return 0;
    });
    ASSERT_EQ(dialog.DoModal(), fw::IDOK);
    dialog.StoreScales(draw);
    EXPECT_EQ(draw.Scale().m_scaleType, 3);
}

TEST_F(GraphDialogsTest, SubdivisionsOutOfRangeAreRefused)
{
    CKivGraphDraw draw;
    CScaleDlg dialog;
    dialog.LoadScales(draw);
    services.prompt.ExpectText("", fw::IDOK);
    dialogs.On(CScaleDlg::IDD, [](fw::CDialog& d) {
        d.GetDlgItem(CScaleDlg::IDC_X_SUB)->SetWindowText("30001");
        Click(d, fw::IDOK);
        EXPECT_FALSE(d.IsEnded());
        Click(d, fw::IDCANCEL);
        return 0;
    });
    EXPECT_EQ(dialog.DoModal(), fw::IDCANCEL);
}

TEST_F(GraphDialogsTest, GridRoundTripsTheFrameRecord)
{
    GrFrameRec frame;
    frame.m_xTickSide = GrFrameRec::kSideTopLeft;
    frame.m_tickColor = 9;
    frame.m_reserved = 77;
    CGraphGrid dialog;
    dialog.LoadFrame(frame);
    EXPECT_EQ(dialog.m_tickSideX, 1);
    dialogs.On(CGraphGrid::IDD, [](fw::CDialog& d) {
        EXPECT_EQ(d.GetDlgItemAs<fw::CComboBox>(CGraphGrid::IDC_TICK_SIDE_X)->GetCurSel(), 1);
        d.GetDlgItemAs<fw::CComboBox>(CGraphGrid::IDC_MAIN_X)->UserSelect(3);
        Click(d, fw::IDOK);
        return 0;
    });
    ASSERT_EQ(dialog.DoModal(), fw::IDOK);
    GrFrameRec stored = frame;
    dialog.StoreFrame(stored);
    EXPECT_EQ(stored.m_xGridMajorWidth, 3);
    EXPECT_EQ(stored.m_xTickSide, GrFrameRec::kSideTopLeft);
    EXPECT_EQ(stored.m_tickColor, 9);
    EXPECT_EQ(stored.m_reserved, 77);
}

} // namespace

#include "graphdoc/views/LineFillDlg.h"

namespace {

TEST_F(GraphDialogsTest, LineFillWritesTheFrameStyleOnOk)
{
    CDrawObjPrf style;
    style.m_sides = CDrawObjPrf::kTop;
    style.m_penWidth = 2;
    CLineFillDlg dialog(style, true);
    dialogs.On(CLineFillDlg::IDD, [](fw::CDialog& d) {
        auto* transparent = d.GetDlgItemAs<fw::CButton>(CLineFillDlg::IDC_TRANSPARENT);
        EXPECT_TRUE(appuitest::Enabled(d, CLineFillDlg::IDC_SHADOW));
        Click(d, CLineFillDlg::IDC_TRANSPARENT);
        EXPECT_EQ(transparent->GetCheck(), 1);
        EXPECT_FALSE(appuitest::Enabled(d, CLineFillDlg::IDC_SHADOW));
        Click(d, CLineFillDlg::IDC_LEFT);
        d.GetDlgItem(CLineFillDlg::IDC_WIDTH)->SetWindowText("4");
        Click(d, fw::IDOK);
        return 0;
    });
    ASSERT_EQ(dialog.DoModal(), fw::IDOK);
    EXPECT_EQ(style.m_sides, CDrawObjPrf::kTop | CDrawObjPrf::kLeft);
    EXPECT_EQ(style.m_penWidth, 4);
    EXPECT_EQ(style.m_transparent, 1);
}

TEST_F(GraphDialogsTest, LineFillWithoutTransparencyDisablesIt)
{
    CDrawObjPrf style;
    CLineFillDlg dialog(style, false);
    dialogs.On(CLineFillDlg::IDD, [](fw::CDialog& d) {
        EXPECT_FALSE(appuitest::Enabled(d, CLineFillDlg::IDC_TRANSPARENT));
        EXPECT_TRUE(appuitest::Enabled(d, CLineFillDlg::IDC_FILL_COLOR));
        Click(d, fw::IDCANCEL);
        return 0;
    });
    const CDrawObjPrf before = style;
    EXPECT_EQ(dialog.DoModal(), fw::IDCANCEL);
    EXPECT_EQ(style.m_sides, before.m_sides);
}

} // namespace
