// The application object keeps the naming dialog's record for the run.

#include "app/shell/KIV5980App.h"
#include "docview/naming/NameSetDlg.h"
#include "framework/ui/Controls.h"
#include "tests/support/ui/DialogFixture.h"

namespace {

using appuitest::Click;

class NameSet : public appuitest::DialogFixture {
protected:
    static void Type(fw::CDialog& d, int id, const char* text) { d.GetDlgItemAs<fw::CEdit>(id)->TypeText(text); }
};

TEST_F(NameSet, TheApplicationKeepsTheRecordOfTheRun)
{
    CKIV5980App app;
    CNameSetDlg dlg;
    dialogs.On(CNameSetDlg::kTemplateId, [&](fw::CDialog& d) {
        Type(d, CNameSetDlg::kIdLeading, "ch");
        Click(d, fw::IDOK);
        return -1;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(app.GetNameSetParam().m_leading, "ch");

    CNameSetDlg again;
    fw::CString shown;
    dialogs.On(CNameSetDlg::kTemplateId, [&](fw::CDialog& d) {
        shown = d.GetDlgItemText(CNameSetDlg::kIdLeading);
        Click(d, fw::IDCANCEL);
        return -1;
    });
    EXPECT_EQ(again.DoModal(), fw::IDCANCEL);
    EXPECT_EQ(shown, "ch");
}
} // namespace
