#include "docview/controls/ZELFontDlg.h"
#include "tests/support/ui/DialogFixture.h"

namespace {

using appuitest::Click;
using appuitest::Shown;

class ZELFontDlgTest : public appuitest::DialogFixture {};

TEST_F(ZELFontDlgTest, NinePointGoesInAsTwelvePixelsAndComesBackAsNinety)
{
    fw::LOGFONT lf;
    lf.lfHeight = 90;
    lf.lfWeight = fw::FW_NORMAL;
    lf.SetFaceName("ＭＳ Ｐゴシック");
    CZELFontDlg dlg(&lf);
    int32_t inDialog = 0;
    fw::CString size;
    dialogs.On(CZELFontDlg::kTemplateId, [&](fw::CDialog& d) {
        inDialog = static_cast<CZELFontDlg&>(d).m_lf.lfHeight;
        size = d.GetDlgItemText(CZELFontDlg::kIdSize);
        Click(d, fw::IDOK);
        return -1;
    });
    ASSERT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(inDialog, -12);
    EXPECT_EQ(size, "9");
    EXPECT_EQ(dlg.m_lf.lfHeight, 90);
    EXPECT_EQ(dlg.m_lf.GetFaceName(), "ＭＳ Ｐゴシック");
}

TEST_F(ZELFontDlgTest, OffersOnlyFaceStyleAndSize)
{
    fw::LOGFONT lf;
    lf.lfHeight = 100;
    CZELFontDlg dlg(&lf);
    dialogs.On(CZELFontDlg::kTemplateId, [&](fw::CDialog& d) {
        for (int id : {1072, 1040, 1041, 1091, 1139, 1094, 1140})
            EXPECT_FALSE(Shown(d, id)) << id;
        for (int id : {1136, 1137, 1138, 1073})
            EXPECT_TRUE(Shown(d, id)) << id;
        EXPECT_EQ(d.GetDlgItemText(CZELFontDlg::kIdSample), "AaBbCcDd");
        d.GetDlgItemAs<fw::CComboBox>(CZELFontDlg::kIdStyle)->UserSelect(3);  // bold italic
        d.SetDlgItemText(CZELFontDlg::kIdSize, "12");
        Click(d, fw::IDOK);
        return -1;
    });
    ASSERT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(dlg.m_lf.lfHeight, 120);
    EXPECT_EQ(dlg.m_lf.lfWeight, fw::FW_BOLD);
    EXPECT_EQ(dlg.m_lf.lfItalic, 1);
}

TEST_F(ZELFontDlgTest, CancelKeepsTheDeviceHeightOutOfTheRecord)
{
    fw::LOGFONT lf;
    lf.lfHeight = 90;
    CZELFontDlg dlg(&lf);
    dialogs.On(CZELFontDlg::kTemplateId, [&](fw::CDialog& d) {
        Click(d, fw::IDCANCEL);
        return -1;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDCANCEL);
    // The caller keeps its own record on Cancel; the dialog's copy is in
    // device units then.
    EXPECT_EQ(dlg.m_lf.lfHeight, -12);
}

} // namespace
