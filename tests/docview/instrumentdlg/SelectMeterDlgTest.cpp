#include "docbase/resources/ProgramMenus.h"
#include "docview/controls/IPAddressCtrl.h"
#include "docview/dialogs/ChangeIPaddressDlg.h"
#include "docview/instrumentdlg/KivUnitGrid.h"
#include "docview/instrumentdlg/SelectMeterDlg.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/Menu.h"
#include "instrument/MeterSocket.h"
#include "tests/emulator/Emulator.h"
#include "tests/support/ui/DialogFixture.h"

#include <QAction>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using appuitest::Click;

constexpr uint32_t Ip(unsigned a, unsigned b, unsigned c, unsigned d)
{
    return (a << 24) | (b << 16) | (c << 8) | d;
}

class SelectMeter : public appuitest::DialogFixture {
protected:
    void SetUp() override
    {
        RegisterProgramMenus();
        dlg.SetHost({[this](const CMeterInterfacePrf&) -> CMeterInterface* {
                         ++linksMade;
                         return &link;
                     },
                     [this] { ++releases; }});
        link.SetConnectTimeoutMs(2000);
    }
    // The emulated unit sits at a port the dialog accepts (50000-50999), on
    // a loopback address of its own.
    bool StartUnit()
    {
        try {
            unit = &emulator.AddUnit(kUnitPort, "127.0.86.9");
        } catch (const std::runtime_error&) {
            return false;
        }
        dlg.m_prf.m_interface = CMeterInterfacePrf::kInterfaceLan;
        dlg.m_prf.m_ipAddress[0] = Ip(127, 0, 86, 9);
        dlg.m_prf.m_port[0] = kUnitPort;
        SetSta2("KIV-417 KIV-437 ------- ------- ------- ------- ------- ------- ------- -------");
        unit->AddCommand("Z-IPPORT-SET", [](const kivemu::Command&, kivemu::DeviceState&) {
            return kivemu::Reply::Line("OK");
        });
        return true;
    }
    void SetSta2(std::string reply)
    {
        unit->AddCommand("STA2", [reply](const kivemu::Command&, kivemu::DeviceState&) {
            return kivemu::Reply::Line(reply);
        });
    }
    std::vector<std::string> Sent(const std::string& word)
    {
        std::vector<std::string> lines;
        for (const std::string& line : unit->GetTranscript().Lines()) {
            if (line.rfind(word, 0) == 0)
                lines.push_back(line);
        }
        return lines;
    }
    int Run(const std::function<void(CSelectMeterDlg&)>& script)
    {
        dialogs.On(CSelectMeterDlg::kTemplateId, [&](fw::CDialog& d) {
            script(static_cast<CSelectMeterDlg&>(d));
            if (!d.IsEnded())
                d.EndDialog(fw::IDCANCEL);
            return -1;
        });
        return dlg.DoModal();
    }

    static constexpr uint16_t kUnitPort = 50871;
    kivemu::Emulator emulator;
    kivemu::ControlUnit* unit = nullptr;
    CMeterSocket link;
    int linksMade = 0;
    int releases = 0;
    CSelectMeterDlg dlg;
};

TEST_F(SelectMeter, OkNeedsAnInputUnitAndAtMostTwoCanUnits)
{
    struct Row { const char* name; std::vector<int> codes; unsigned prompt; };
    const Row rows[] = {
        {"only_an_output_unit", {3}, CSelectMeterDlg::kMsgNoInputUnit},
        {"three_can_units", {8, 8, 8}, CSelectMeterDlg::kMsgTooManyCanUnits},
        {"two_can_units", {8, 8}, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        services.prompt.Reset();
        if (r.prompt)
            services.prompt.Expect(r.prompt, fw::IDOK);
        CSelectMeterDlg d;
        d.m_prf.m_port[0] = 50000;
        for (int p = 0; p < 10; ++p)
            d.m_prf.m_unitTypes[0].SetAt(p, p < static_cast<int>(r.codes.size()) ? r.codes[p] : 0);
        dialogs.On(CSelectMeterDlg::kTemplateId, [&](fw::CDialog& x) {
            Click(x, fw::IDOK);
            return fw::IDCANCEL;
        });
        EXPECT_EQ(d.DoModal(), r.prompt ? fw::IDCANCEL : fw::IDOK);
        EXPECT_EQ(services.prompt.Problems(), "");
    }
    services.prompt.Reset();
}

TEST_F(SelectMeter, TheGridShowsPortsChannelsModelsAndDescriptions)
{
    dlg.m_prf.m_port[0] = 50000;
    Run([&](CSelectMeterDlg& d) {
        CKivUnitGrid& g = *d.Grid();
        EXPECT_EQ(g.CellText(-1, 0), "ユニットポート");
        EXPECT_EQ(g.CellText(-1, 1), "チャンネル");
        EXPECT_EQ(g.CellText(-1, 2), "種類");
        EXPECT_EQ(g.CellText(-1, 3), "ユニット");
        EXPECT_EQ(g.CellText(2, 0), "Port 3");
        EXPECT_EQ(g.CellText(2, 1), "17 - 24");
        EXPECT_EQ(g.CellText(0, 2), "KIV-417");
        EXPECT_EQ(g.CellText(0, 3), "4ゲージユニット");
        EXPECT_EQ(g.CellText(5, 2), "");
        EXPECT_EQ(g.CellText(5, 3), "未接続");
        // LAN: the address controls are shown; USB hides them.
        EXPECT_TRUE(appuitest::Shown(d, CSelectMeterDlg::kIdAddress));
        d.GetDlgItemAs<fw::CComboBox>(CSelectMeterDlg::kIdInterface)->UserSelect(1);
        EXPECT_FALSE(appuitest::Shown(d, CSelectMeterDlg::kIdPort));
        EXPECT_EQ(d.m_prf.m_interface, CMeterInterfacePrf::kInterfaceUsb);
    });
}

TEST_F(SelectMeter, TheContextMenuSetsTheTypeOfTheSelectedRowsAndChecksIt)
{
    dlg.m_prf.m_port[0] = 50000;
    for (int p = 0; p < 10; ++p)
        dlg.m_prf.m_unitTypes[0].SetAt(p, 1);
    bool hiddenItemShown = true;
    bool checked = false;
    Run([&](CSelectMeterDlg& d) {
        d.Grid()->SelectRows(1, 3);
        fw::CMenu::SetTrackHook([&](fw::CMenu& popup) -> unsigned {
            hiddenItemShown = popup.FindAction(33334, fw::MF_BYCOMMAND) != nullptr;
            return 32971;  // "未接続"
        });
        d.Grid()->OnCellContextMenu(2, 3);
        fw::CMenu::SetTrackHook([&](fw::CMenu& popup) -> unsigned {
            QAction* none = popup.FindAction(32971, fw::MF_BYCOMMAND);
            checked = none && none->isChecked();
            return 0;
        });
        d.Grid()->OnCellContextMenu(2, 3);
        fw::CMenu::SetTrackHook(nullptr);
        EXPECT_EQ(d.Grid()->CellText(2, 3), "未接続");
    });
    EXPECT_FALSE(hiddenItemShown);
    EXPECT_TRUE(checked);
    const CKivUnitTypes& types = dlg.m_prf.m_unitTypes[0];
    EXPECT_EQ(std::vector<int>({types.GetAt(0), types.GetAt(1), types.GetAt(2), types.GetAt(3), types.GetAt(4)}),
              std::vector<int>({1, 0, 0, 0, 1}));
}

// In the program the dialog is opened from a project window: the unit-type
// menu is the dialog's, not the window's, whatever the window handles.
TEST_F(SelectMeter, OpenedFromAWindowTheUnitMenuIsEnabledAndSetsTheType)
{
    auto* frame = new fw::CFrameWnd;
    ASSERT_TRUE(frame->Create("project"));
    CSelectMeterDlg inside(frame);
    for (int p = 0; p < 10; ++p)
        inside.m_prf.m_unitTypes[0].SetAt(p, 2);
    std::vector<unsigned> disabled;
    int items = 0;
    bool checked = false;
    dialogs.On(CSelectMeterDlg::kTemplateId, [&](fw::CDialog& d) {
        auto& meter = static_cast<CSelectMeterDlg&>(d);
        meter.Grid()->SelectRows(4, 5);
        fw::CMenu::SetTrackHook([&](fw::CMenu& popup) -> unsigned {
            for (int i = 0; i < popup.GetMenuItemCount(); ++i) {
                const unsigned id = popup.GetMenuItemID(i);
                QAction* item = popup.FindAction(id, fw::MF_BYCOMMAND);
                ++items;
                if (!item || !item->isEnabled())
                    disabled.push_back(id);
            }
            return 32972;  // "4ゲージユニット"
        });
        meter.Grid()->OnCellContextMenu(4, 3);
        fw::CMenu::SetTrackHook([&](fw::CMenu& popup) -> unsigned {
            QAction* gauge = popup.FindAction(32972, fw::MF_BYCOMMAND);
            checked = gauge && gauge->isChecked();
            return 0;
        });
        meter.Grid()->OnCellContextMenu(4, 3);
        fw::CMenu::SetTrackHook(nullptr);
        EXPECT_EQ(meter.Grid()->CellText(5, 3), "4ゲージユニット");
        d.EndDialog(fw::IDCANCEL);
        return -1;
    });
    inside.DoModal();
    frame->DestroyWindow();
    EXPECT_EQ(items, 10) << "the ten unit types, KIV-489 left out";
    EXPECT_EQ(disabled, std::vector<unsigned>{});
    EXPECT_TRUE(checked);
    const CKivUnitTypes& types = inside.m_prf.m_unitTypes[0];
    EXPECT_EQ(std::vector<int>({types.GetAt(3), types.GetAt(4), types.GetAt(5), types.GetAt(6)}),
              std::vector<int>({2, 1, 1, 2}));
}

TEST_F(SelectMeter, DuplicateAddressesStopTheCheckBeforeAnyLink)
{
    dlg.m_prf.SetCount(2);
    dlg.m_prf.m_port[0] = 50000;
    dlg.m_prf.m_ipAddress[0] = Ip(192, 168, 1, 1);
    dlg.m_prf.m_ipAddress[1] = Ip(192, 168, 1, 1);
    services.prompt.ExpectText("IP アドレスは重複してはいけません。", fw::IDOK);
    Run([&](CSelectMeterDlg& d) { Click(d, CSelectMeterDlg::kIdCheck); });
    EXPECT_EQ(linksMade, 0);
}

TEST_F(SelectMeter, ACheckWithMatchingUnitsReportsSuccessOnly)
{
    if (!StartUnit())
        GTEST_SKIP() << "port 50871 on 127.0.86.9 is not free";
    services.prompt.Expect(CSelectMeterDlg::kMsgConnected, fw::IDOK);
    Run([&](CSelectMeterDlg& d) { Click(d, CSelectMeterDlg::kIdCheck); });
    EXPECT_EQ(Sent("STA2").size(), 1u);
    EXPECT_EQ(releases, 1);
}

TEST_F(SelectMeter, DifferentUnitsAreTakenOverWhenTheUserAgrees)
{
    if (!StartUnit())
        GTEST_SKIP() << "port 50871 on 127.0.86.9 is not free";
    SetSta2("KIV-427 KIV-465 KIV-463 ------- ------- ------- ------- ------- ------- -------");
    for (int answer : {fw::IDNO, fw::IDYES}) {
        SCOPED_TRACE(answer == fw::IDYES ? "yes" : "no");
        services.prompt.Reset();
        services.prompt.Expect(CSelectMeterDlg::kMsgConnected, fw::IDOK);
        services.prompt.ExpectText("KIV-406(1)に接続されているユニットが設定と合っていません。", answer);
        Run([&](CSelectMeterDlg& d) { Click(d, CSelectMeterDlg::kIdCheck); });
        EXPECT_EQ(services.prompt.Problems(), "");
        const CKivUnitTypes& types = dlg.m_prf.m_unitTypes[0];
        if (answer == fw::IDYES) {
            EXPECT_EQ(std::vector<int>({types.GetAt(0), types.GetAt(1), types.GetAt(2)}), std::vector<int>({2, 7, 8}));
        } else {
            EXPECT_EQ(std::vector<int>({types.GetAt(0), types.GetAt(1), types.GetAt(2)}), std::vector<int>({1, 3, 0}));
        }
        ASSERT_EQ(services.prompt.Prompts().size(), 2u);
        EXPECT_EQ(services.prompt.Prompts()[1].flags & fw::MB_DEFMASK, fw::MB_DEFBUTTON2);
    }
    services.prompt.Reset();
}

TEST_F(SelectMeter, AnUnknownModelStopsTheTakeOverAtItsPort)
{
    if (!StartUnit())
        GTEST_SKIP() << "port 50871 on 127.0.86.9 is not free";
    SetSta2("KIV-427 KIV-465 KIV-999 KIV-417 ------- ------- ------- ------- ------- -------");
    dlg.m_bGetUnits = 1;
    services.prompt.Expect(CSelectMeterDlg::kMsgConnected, fw::IDOK);
    services.prompt.ExpectText("KIV-406(1)のユニットポート3に認識できないユニットが接続されています。", fw::IDOK);
    Run([&](CSelectMeterDlg& d) { Click(d, CSelectMeterDlg::kIdCheck); });
    const CKivUnitTypes& types = dlg.m_prf.m_unitTypes[0];
    // Ports before the unknown one keep their new codes; the rest stay.
    EXPECT_EQ(std::vector<int>({types.GetAt(0), types.GetAt(1), types.GetAt(2), types.GetAt(3)}),
              std::vector<int>({2, 7, 0, 0}));
}

TEST_F(SelectMeter, OldFirmwareStopsTheAddressChangeBeforeTheDialog)
{
    if (!StartUnit())
        GTEST_SKIP() << "port 50871 on 127.0.86.9 is not free";
    unit->WithState([](kivemu::DeviceState& s) { s.firmware = "2.1B"; });
    dlg.m_bChangeIp = 1;
    services.prompt.Expect(CSelectMeterDlg::kMsgConnected, fw::IDOK);
    services.prompt.Expect(CSelectMeterDlg::kMsgIpNeedsNewFirmware, fw::IDOK);
    Run([&](CSelectMeterDlg& d) { Click(d, CSelectMeterDlg::kIdCheck); });
    EXPECT_EQ(dialogs.Shown(), std::vector<unsigned>{CSelectMeterDlg::kTemplateId});
    EXPECT_TRUE(Sent("Z-IPPORT-SET").empty());
}

TEST_F(SelectMeter, TheNewAddressIsSentWithMaskAndGateway)
{
    if (!StartUnit())
        GTEST_SKIP() << "port 50871 on 127.0.86.9 is not free";
    struct Row { const char* name; bool gateway; const char* gatewayText; const char* command; };
    const Row rows[] = {
        {"with_gateway", true, "192.168.1.254",
         "Z-IPPORT-SET 192.168.001.020/50010+255.255.255.000/192.168.001.254"},
        {"gateway_ticked_but_empty", true, "", "Z-IPPORT-SET 192.168.001.020/50010+255.255.255.000"},
        {"no_gateway", false, "192.168.1.254", "Z-IPPORT-SET 192.168.001.020/50010+255.255.255.000"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        unit->GetTranscript().Clear();
        services.prompt.Reset();
        services.prompt.Expect(CSelectMeterDlg::kMsgConnected, fw::IDOK);
        services.prompt.Expect(CSelectMeterDlg::kMsgIpChanged, fw::IDOK);
        dialogs.On(CChangeIPaddressDlg::kTemplateId, [&](fw::CDialog& x) {
            auto& ip = static_cast<CChangeIPaddressDlg&>(x);
            EXPECT_EQ(ip.m_prf.m_port[0], kUnitPort) << "the dialog starts from the profile";
            x.GetDlgItemAs<appctl::CIPAddressCtrl>(1300)->SetWindowText("192.168.1.20");
            x.SetDlgItemText(1302, "50010");
            x.GetDlgItemAs<appctl::CIPAddressCtrl>(1341)->SetWindowText("255.255.255.0");
            x.GetDlgItemAs<fw::CButton>(1347)->SetCheck(r.gateway ? fw::BST_CHECKED : fw::BST_UNCHECKED);
            x.GetDlgItemAs<appctl::CIPAddressCtrl>(1342)->SetWindowText(r.gatewayText);
            Click(x, fw::IDOK);
            return -1;
        });
        CSelectMeterDlg d;
        d.SetHost({[this](const CMeterInterfacePrf&) -> CMeterInterface* { return &link; }, nullptr});
        d.m_prf = dlg.m_prf;
        d.m_bChangeIp = 1;
        fw::CString shownAddress;
        dialogs.On(CSelectMeterDlg::kTemplateId, [&](fw::CDialog& x) {
            Click(x, CSelectMeterDlg::kIdCheck);
            shownAddress = x.GetDlgItemAs<appctl::CIPAddressCtrl>(1300)->GetWindowText();
            return fw::IDCANCEL;
        });
        d.DoModal();
        EXPECT_EQ(Sent("Z-IPPORT-SET"), std::vector<std::string>{r.command});
        EXPECT_EQ(d.m_prf.m_ipAddress[0], Ip(192, 168, 1, 20));
        EXPECT_EQ(d.m_prf.m_port[0], 50010);
        EXPECT_EQ(shownAddress, "192.168.1.20");
        EXPECT_EQ(services.prompt.Problems(), "");
    }
    services.prompt.Reset();
}

// A USB link on which no control unit answers.
class AbsentUsbLink : public CMeterInterface {
public:
    int IsUnitPresent(int16_t) override { return 0; }
};

TEST_F(SelectMeter, AMissingUsbUnitIsNamedByItsSerialNumber)
{
    struct Row { const char* name; int count; const char* message; };
    const Row rows[] = {
        {"one_unit", 1, "測定器が確認できません。\n接続を確認してください。"},
        {"two_units", 2, "SERIAL No. 0012の測定器が確認できません。\n接続と設定を確認してください。"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        services.prompt.Reset();
        AbsentUsbLink usb;
        CSelectMeterDlg d;
        d.SetHost({[&](const CMeterInterfacePrf&) -> CMeterInterface* { return &usb; }, nullptr});
        d.m_prf.m_interface = CMeterInterfacePrf::kInterfaceUsb;
        d.m_prf.SetCount(r.count);
        d.m_prf.m_port[0] = 50000;
        d.m_prf.m_serialNo[0] = 12;
        d.m_prf.m_serialNo[1] = 13;
        dialogs.On(CSelectMeterDlg::kTemplateId, [&](fw::CDialog& x) {
            Click(x, CSelectMeterDlg::kIdCheck);
            return fw::IDCANCEL;
        });
        d.DoModal();
        ASSERT_EQ(services.prompt.Prompts().size(), 1u);
        EXPECT_EQ(services.prompt.Prompts()[0].text, r.message);
        EXPECT_EQ(services.prompt.Prompts()[0].flags & fw::MB_ICONMASK, fw::MB_ICONSTOP);
    }
    services.prompt.Reset();
}

} // namespace
