#include "docview/instrumentdlg/MeterVerupDlg.h"
#include "instrument/MeterInterfacePrf.h"
#include "instrument/MeterSocket.h"
#include "tests/emulator/Emulator.h"
#include "tests/support/ui/DialogFixture.h"

#include <atomic>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using appuitest::Click;
using appuitest::Enabled;

// The firmware service listens on port 50000 whatever the profile says;
// the emulated unit therefore sits on a loopback address of its own at
// that port, and the profile names another port.
class MeterVerup : public appuitest::DialogFixture {
protected:
    static constexpr uint32_t kUnitAddress = (127u << 24) | (0u << 16) | (86u << 8) | 7u;  // 127.0.86.7

    void SetUp() override
    {
        try {
            unit = &emulator.AddUnit(CMeterVerupDlg::kFirmwarePort, "127.0.86.7");
        } catch (const std::runtime_error& e) {
            GTEST_SKIP() << "port 50000 on 127.0.86.7 is not free: " << e.what();
        }
        profile.m_interface = CMeterInterfacePrf::kInterfaceLan;
        profile.m_ipAddress[0] = kUnitAddress;
        profile.m_port[0] = 50123;
        SetReplies("KIV406V23.BIN", "END");
        dlg.SetHost({[this]() -> const CMeterInterfacePrf* { return haveProject ? &profile : nullptr; },
                     [this](const CMeterInterfacePrf&) -> CMeterInterface* {
                         ++linksMade;
                         return &link;
                     }});
        link.SetConnectTimeoutMs(2000);
    }
    void SetReplies(std::string check, std::string start)
    {
        unit->AddCommand("PWE?", [check](const kivemu::Command&, kivemu::DeviceState&) {
            return kivemu::Reply::Line(check);
        });
        unit->AddCommand("PWE", [start](const kivemu::Command&, kivemu::DeviceState&) {
            return kivemu::Reply::Line(start);
        });
    }
    std::vector<std::string> Sent() { return unit->GetTranscript().Lines(); }
    int Run(const std::function<void(CMeterVerupDlg&)>& script)
    {
        dialogs.On(CMeterVerupDlg::kTemplateId, [&](fw::CDialog& d) {
            script(static_cast<CMeterVerupDlg&>(d));
            if (!d.IsEnded())
                d.EndDialog(fw::IDCANCEL);
            return -1;
        });
        return dlg.DoModal();
    }

    kivemu::Emulator emulator;
    kivemu::ControlUnit* unit = nullptr;
    CMeterInterfacePrf profile;
    CMeterSocket link;
    bool haveProject = true;
    int linksMade = 0;
    CMeterVerupDlg dlg;
};

TEST_F(MeterVerup, CheckShowsTheFirmwareFileAndStartUpdates)
{
    services.prompt.Expect(CMeterVerupDlg::kMsgUpdated, fw::IDOK);
    int result = Run([&](CMeterVerupDlg& d) {
        EXPECT_FALSE(Enabled(d, fw::IDOK)) << "nothing to start before a check";
        Click(d, CMeterVerupDlg::kIdCheck);
        EXPECT_EQ(d.GetDlgItemText(CMeterVerupDlg::kIdFile), "KIV406V23.BIN");
        EXPECT_TRUE(Enabled(d, fw::IDOK));
        EXPECT_DOUBLE_EQ(link.GetReplyTimeout(), 30.0);
        Click(d, fw::IDOK);
    });
    EXPECT_EQ(result, fw::IDOK);
    EXPECT_EQ(Sent(), (std::vector<std::string>{"PWE?", "PWE"}));
    // The update may take minutes: the long time-out stays.
    EXPECT_DOUBLE_EQ(link.GetReplyTimeout(), 300.0);
    EXPECT_GE(services.cursor.Begins(), 1);
    EXPECT_EQ(services.cursor.Depth(), 0);
}

TEST_F(MeterVerup, AnErrorToTheCheckLeavesStartDisabled)
{
    SetReplies("ERR 005", "END");
    services.prompt.ExpectText("ファームウェアが見つからないかファイルが壊れています。", fw::IDOK);
    Run([&](CMeterVerupDlg& d) {
        Click(d, CMeterVerupDlg::kIdCheck);
        EXPECT_FALSE(Enabled(d, fw::IDOK));
        EXPECT_EQ(d.GetDlgItemText(CMeterVerupDlg::kIdFile), "");
        EXPECT_EQ(d.m_pLink, nullptr);
    });
    EXPECT_FALSE(link.IsOpen());
}

TEST_F(MeterVerup, AFailedStartForgetsTheLinkAndRefusesASecondStart)
{
    SetReplies("KIV406V23.BIN", "ERR 001");
    services.prompt.ExpectText("ファームウェアを保存しなおしてください。", fw::IDOK);
    Run([&](CMeterVerupDlg& d) {
        Click(d, CMeterVerupDlg::kIdCheck);
        Click(d, fw::IDOK);
        EXPECT_FALSE(d.IsEnded());
        EXPECT_EQ(d.m_pLink, nullptr);
        EXPECT_FALSE(Enabled(d, fw::IDOK));
        d.OnOK();  // even when asked directly
    });
    EXPECT_EQ(Sent(), (std::vector<std::string>{"PWE?", "PWE"}));
}

TEST_F(MeterVerup, AStartReplyWithoutEndOrErrorKeepsTheDialogOpenSilently)
{
    SetReplies("KIV406V23.BIN", "BUSY");
    Run([&](CMeterVerupDlg& d) {
        Click(d, CMeterVerupDlg::kIdCheck);
        Click(d, fw::IDOK);
        EXPECT_FALSE(d.IsEnded());
        EXPECT_NE(d.m_pLink, nullptr);
    });
}

TEST_F(MeterVerup, WithoutAProjectTheCheckDoesNothing)
{
    haveProject = false;
    Run([&](CMeterVerupDlg& d) { Click(d, CMeterVerupDlg::kIdCheck); });
    EXPECT_EQ(linksMade, 0);
    EXPECT_TRUE(Sent().empty());
}

} // namespace
