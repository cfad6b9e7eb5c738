// The measurement option dialogs driven by control id.

#include "measure/views/dialogs/MeasureOptionDlgs.h"

#include "framework/core/Services.h"
#include "tests/support/ui/DialogFixture.h"

namespace {

using appuitest::Click;
using appuitest::Enabled;

class OptionDialogsTest : public appuitest::DialogFixture {};

TEST_F(OptionDialogsTest, CycleCountKeepsOrInitialisesWithinItsRange)
{
    CCycleCountDlg keep;
    keep.m_nCount = 1234;
    dialogs.On(CCycleCountDlg::kTemplateId, [](fw::CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(CCycleCountDlg::kIdShown).str(), "1234");
        EXPECT_EQ(d.GetDlgItemText(CCycleCountDlg::kIdCount).str(), "1234");
        Click(d, fw::IDOK);
        return 0;
    });
    EXPECT_EQ(keep.DoModal(), fw::IDOK);
    EXPECT_EQ(keep.m_bInitialize, 0);

    CCycleCountDlg init;
    dialogs.On(CCycleCountDlg::kTemplateId, [this](fw::CDialog& d) {
        d.SetDlgItemText(CCycleCountDlg::kIdCount, "1000000000");
        services.prompt.Expect(61714, fw::IDOK);
        Click(d, CCycleCountDlg::kIdInitialize);
        EXPECT_FALSE(d.IsEnded());
        d.SetDlgItemText(CCycleCountDlg::kIdCount, "77");
        Click(d, CCycleCountDlg::kIdInitialize);
        return 0;
    });
    EXPECT_EQ(init.DoModal(), fw::IDOK);
    EXPECT_EQ(init.m_bInitialize, 1);
    EXPECT_EQ(init.m_nCount, 77);
}

TEST_F(OptionDialogsTest, TheHistoryChoiceFollowsTheDontSaveCheckButKeepsItsState)
{
    CDontDataSaveDlg dlg;
    dlg.m_nDontSave = 0;
    dlg.m_nRecordHistory = 1;
    dialogs.On(CDontDataSaveDlg::kTemplateId, [](fw::CDialog& d) {
        EXPECT_FALSE(Enabled(d, CDontDataSaveDlg::kIdRecordHistory));
        Click(d, CDontDataSaveDlg::kIdDontSave);
        EXPECT_TRUE(Enabled(d, CDontDataSaveDlg::kIdRecordHistory));
        Click(d, CDontDataSaveDlg::kIdDontSave);
        EXPECT_FALSE(Enabled(d, CDontDataSaveDlg::kIdRecordHistory));
        Click(d, fw::IDOK);
        return 0;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(dlg.m_nDontSave, 0);
    EXPECT_EQ(dlg.m_nRecordHistory, 1);
}

TEST_F(OptionDialogsTest, OneChoiceDialogsReturnTheirChoice)
{
    CSaveModeDlg mode;
    dialogs.On(CSaveModeDlg::kTemplateId, [](fw::CDialog& d) {
        Click(d, CSaveModeDlg::kIdFrequency);
        Click(d, fw::IDOK);
        return 0;
    });
    EXPECT_EQ(mode.DoModal(), fw::IDOK);
    EXPECT_EQ(mode.m_nMode, 2);

    CDataCompDlg comp;
    dialogs.On(CDataCompDlg::kTemplateId, [](fw::CDialog& d) {
        Click(d, CDataCompDlg::kIdZero);
        Click(d, fw::IDOK);
        return 0;
    });
    EXPECT_EQ(comp.DoModal(), fw::IDOK);
    EXPECT_EQ(comp.m_nReference, 1);

    CCfAutoDelDlg del;
    dialogs.On(CCfAutoDelDlg::kTemplateId, [](fw::CDialog& d) {
        Click(d, CCfAutoDelDlg::kIdDelete);
        Click(d, fw::IDOK);
        return 0;
    });
    EXPECT_EQ(del.DoModal(), fw::IDOK);
    EXPECT_EQ(del.m_nDelete, 1);
}

} // namespace
