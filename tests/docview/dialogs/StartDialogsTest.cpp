#include "docview/dialogs/DtgStartDlg.h"
#include "docview/dialogs/StartFreerunDlg.h"
#include "tests/support/ui/DialogFixture.h"

#include <QCloseEvent>
#include <QCoreApplication>

#include <functional>
#include <memory>

namespace {

using appuitest::Click;

class StartDialogs : public appuitest::DialogFixture {};

void CloseBox(fw::CDialog& d)
{
    QCloseEvent close;
    QCoreApplication::sendEvent(d.Widget(), &close);
}

TEST_F(StartDialogs, EachButtonAndTheCloseBoxGiveTheirResultCodes)
{
    struct Row {
        const char* name;
        std::function<std::unique_ptr<fw::CDialog>()> make;
        unsigned templateId;
        std::function<void(fw::CDialog&)> act;
        int result;
    };
    auto dtg = [] { return std::make_unique<CDtgStartDlg>(); };
    auto freerun = [] { return std::make_unique<CStartFreerunDlg>(); };
    const Row rows[] = {
        {"dtg_once", dtg, 367, [](fw::CDialog& d) { Click(d, fw::IDOK); }, 1},
        {"dtg_continuous", dtg, 367, [](fw::CDialog& d) { Click(d, 6); }, 6},
        {"dtg_cancel", dtg, 367, [](fw::CDialog& d) { Click(d, fw::IDCANCEL); }, 2},
        {"dtg_close_box", dtg, 367, CloseBox, 2},
        {"freerun_start", freerun, 366, [](fw::CDialog& d) { Click(d, 1309); }, 1309},
        {"freerun_wait", freerun, 366, [](fw::CDialog& d) { Click(d, 1310); }, 1310},
        {"freerun_cancel", freerun, 366, [](fw::CDialog& d) { Click(d, fw::IDCANCEL); }, 2},
        {"freerun_close_box", freerun, 366, CloseBox, 2},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        auto dlg = r.make();
        dialogs.On(r.templateId, [&](fw::CDialog& d) {
            r.act(d);
            EXPECT_TRUE(d.IsEnded());
            return -1;
        });
        EXPECT_EQ(dlg->DoModal(), r.result);
    }
}

TEST_F(StartDialogs, TheDataTriggerDialogSaysWhetherTheConditionsAreMet)
{
    for (uint8_t met : {0, 1}) {
        SCOPED_TRACE(met ? "met" : "not_met");
        CDtgStartDlg dlg;
        dlg.m_bConditionsMet = met;
        fw::CString text;
        dialogs.On(CDtgStartDlg::kTemplateId, [&](fw::CDialog& d) {
            text = d.GetDlgItemText(1437);
            Click(d, 6);
            return -1;
        });
        // Continuous is the caller's decision even when the units cannot do it.
        EXPECT_EQ(dlg.DoModal(), 6);
        EXPECT_EQ(text, met ? "測定器は以下の条件を満たしています。" : "測定器は以下の条件を満たしていません。");
    }
}

} // namespace
