// The map point dialog: its count is 50 to 5000, and Cancel is disabled
// when the question may not be cancelled.

#include "canvoicegps/views/data/GpsMapDataDlg.h"
#include "framework/core/Services.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/testing/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(GpsMapDataDlg, TakesCountsFrom50To5000Only)
{
    struct Case {
        const char* name;
        const char* typed;
        bool accepted;
    };
    const Case cases[] = {
        {"below", "49", false}, {"lowest", "50", true}, {"highest", "5000", true}, {"above", "5001", false}};
    for (const Case& c : cases) {
        fw::test::ServiceScope services;
        fw::test::ScriptedDialogs dialogs;
        bool cancelEnabled = false;
        dialogs.On(CGpsMapDataDlg::IDD, [&](fw::CDialog& dlg) {
            dlg.GetDlgItem(CGpsMapDataDlg::IDC_POINTS)->SetWindowText(c.typed);
            cancelEnabled = dlg.GetDlgItem(fw::IDCANCEL)->IsWindowEnabled();
            dlg.OnOK();
            // A refused count leaves the dialog open; the user gives up.
            return fw::IDCANCEL;
        });
        if (!c.accepted)
            services.prompt.Expect(fw::kIdpParseIntRange, fw::IDOK);
        int32_t count = 500;
        CGpsMapPointAsker asker;
        const bool ok = asker.Ask(count, true);
        EXPECT_EQ(ok, c.accepted) << c.name;
        EXPECT_FALSE(cancelEnabled) << c.name << ": a question that may not be cancelled";
        if (c.accepted)
            EXPECT_EQ(count, std::atoi(c.typed)) << c.name;
        else
            EXPECT_EQ(count, 500) << c.name;
        EXPECT_EQ(services.prompt.Problems(), "") << c.name << ": only a refused count is told";
    }
}

TEST(GpsMapDataDlg, StartsAt500WithCancel)
{
    CGpsMapDataDlg dlg;
    EXPECT_EQ(dlg.m_nPoints, 500);
    EXPECT_FALSE(dlg.m_bNoCancel);
    fw::test::ScriptedDialogs dialogs;
    bool cancelEnabled = false;
    dialogs.On(CGpsMapDataDlg::IDD, [&](fw::CDialog& d) {
        cancelEnabled = d.GetDlgItem(fw::IDCANCEL)->IsWindowEnabled();
        d.OnCancel();
        return fw::IDCANCEL;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDCANCEL);
    EXPECT_TRUE(cancelEnabled);
}

} // namespace
