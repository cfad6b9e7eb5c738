#include "docview/controls/IPAddressCtrl.h"
#include "docview/dialogs/ChangeIPaddressDlg.h"
#include "docview/dialogs/LocalIPv4.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Profile.h"
#include "framework/ui/DataExchange.h"
#include "tests/support/TestSupport.h"
#include "tests/support/ui/DialogFixture.h"

#include <optional>
#include <string>
#include <vector>

namespace {

using appuitest::Click;
using appuitest::Shown;
using appctl::CIPAddressCtrl;

constexpr uint32_t Ip(unsigned a, unsigned b, unsigned c, unsigned d)
{
    return (a << 24) | (b << 16) | (c << 8) | d;
}

class ChangeIPaddress : public appuitest::DialogFixture {
protected:
    void SetUp() override
    {
        profile = std::make_unique<fw::CProfile>(dir / "KIV-5400.ini");
        UsePcTable(std::vector<LocalIPv4Entry>{{Ip(192, 168, 1, 5), Ip(255, 255, 255, 0)}});
        dlg.SetProfile(profile.get());
        dlg.m_prf.m_ipAddress[0] = Ip(192, 168, 1, 1);
        dlg.m_prf.m_port[0] = 50000;
    }
    void TearDown() override
    {
        appuitest::DialogFixture::TearDown();
    }
    void UsePcTable(std::optional<std::vector<LocalIPv4Entry>> table)
    {
        pcTable.table = std::move(table);
    }
    static CIPAddressCtrl& Ctrl(fw::CDialog& d, int id) { return *d.GetDlgItemAs<CIPAddressCtrl>(id); }

    struct PcTable : ILocalIPv4Source {
        std::optional<std::vector<LocalIPv4Entry>> table;
        std::optional<std::vector<LocalIPv4Entry>> Table() override { return table; }
    } pcTable;
    fw::ScopedInstall<ILocalIPv4Source> installedTable{pcTable};
    kivtest::TempDir dir;
    std::unique_ptr<fw::CProfile> profile;
    CChangeIPaddressDlg dlg;
};

TEST_F(ChangeIPaddress, OffersTheMaskOfThePcSubnetUnlessOneIsStored)
{
    struct Row {
        const char* name;
        std::optional<std::vector<LocalIPv4Entry>> table;
        const char* storedMask;
        const char* offered;
    };
    const std::vector<LocalIPv4Entry> shared = {{Ip(10, 0, 0, 2), Ip(255, 0, 0, 0)},
                                                {Ip(192, 168, 1, 5), Ip(255, 255, 255, 0)}};
    const Row rows[] = {
        {"pc_on_the_units_subnet", shared, nullptr, "255.255.255.0"},
        {"no_pc_on_that_subnet", std::vector<LocalIPv4Entry>{{Ip(10, 0, 0, 2), Ip(255, 0, 0, 0)}}, nullptr,
         "255.255.0.0"},
        {"table_unreadable", std::nullopt, nullptr, "255.255.0.0"},
        {"stored_mask_wins", shared, "-1024", "255.255.252.0"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        fw::CProfile own(dir / (std::string(r.name) + ".ini"));
        if (r.storedMask)
            own.WriteProfileString("MAKEIP", "NETMASK", r.storedMask);
        UsePcTable(r.table);
        CChangeIPaddressDlg d;
        d.SetProfile(&own);
        d.m_prf.m_ipAddress[0] = Ip(192, 168, 1, 1);
        d.m_prf.m_port[0] = 50000;
        fw::CString offered;
        bool gatewayBlank = false;
        dialogs.On(CChangeIPaddressDlg::kTemplateId, [&](fw::CDialog& x) {
            offered = Ctrl(x, 1341).GetWindowText();
            gatewayBlank = Ctrl(x, 1342).IsBlank();
            Click(x, fw::IDCANCEL);
            return -1;
        });
        EXPECT_EQ(d.DoModal(), fw::IDCANCEL);
        EXPECT_EQ(offered, r.offered);
        EXPECT_TRUE(gatewayBlank) << "a gateway of 0.0.0.0 is shown empty";
        // Cancel writes nothing back.
        EXPECT_EQ(own.Keys("MAKEIP").size(), r.storedMask ? 1u : 0u);
    }
}

TEST_F(ChangeIPaddress, ThePortMustLieIn50000To50999)
{
    struct Row { const char* name; const char* port; bool accepted; };
    const Row rows[] = {
        {"below", "49999", false}, {"lowest", "50000", true}, {"highest", "50999", true}, {"above", "51000", false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        services.prompt.Reset();
        if (!r.accepted)
            services.prompt.Expect(fw::kIdpParseIntRange, fw::IDOK);
        CChangeIPaddressDlg d;
        d.SetProfile(profile.get());
        bool open = false;
        dialogs.On(CChangeIPaddressDlg::kTemplateId, [&](fw::CDialog& x) {
            x.SetDlgItemText(1302, r.port);
            Click(x, fw::IDOK);
            open = !x.IsEnded();
            if (open)
                x.EndDialog(fw::IDCANCEL);
            return -1;
        });
        d.DoModal();
        EXPECT_EQ(open, !r.accepted);
        EXPECT_EQ(services.prompt.Problems(), "");
        if (r.accepted) {
            EXPECT_EQ(d.m_prf.m_port[0], std::stoi(r.port));
        }
    }
    services.prompt.Reset();
}

TEST_F(ChangeIPaddress, OkStoresMaskFlagAndEvenAHiddenGatewayInOrder)
{
    dialogs.On(CChangeIPaddressDlg::kTemplateId, [&](fw::CDialog& x) {
        Ctrl(x, 1300).SetWindowText("192.168.1.20");
        x.SetDlgItemText(1302, "50010");
        Ctrl(x, 1342).SetWindowText("192.168.1.254");  // typed while shown, then switched off
        Click(x, fw::IDOK);
        return -1;
    });
    ASSERT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(dlg.m_prf.m_ipAddress[0], Ip(192, 168, 1, 20));
    EXPECT_EQ(dlg.m_prf.m_port[0], 50010);
    EXPECT_EQ(dlg.m_dwSubnetMask, Ip(255, 255, 255, 0));
    EXPECT_EQ(dlg.m_bGateway, 0);
    EXPECT_EQ(dlg.m_dwGateway, Ip(192, 168, 1, 254));
    // The words are stored as signed 32-bit numbers.
    fw::CProfile reread(profile->Path());
    EXPECT_EQ(reread.Keys("MAKEIP"), (std::vector<std::string>{"NETMASK", "GATEWAYFLG", "GATEWAY"}));
    EXPECT_EQ(reread.GetProfileString("MAKEIP", "NETMASK"), "-256");
    EXPECT_EQ(reread.GetProfileString("MAKEIP", "GATEWAYFLG"), "0");
    EXPECT_EQ(reread.GetProfileString("MAKEIP", "GATEWAY"), "-1062731266");
}

TEST_F(ChangeIPaddress, TheGatewayFieldShowsOnlyWhileTheBoxIsTicked)
{
    profile->WriteProfileInt("MAKEIP", "GATEWAYFLG", 1);
    profile->WriteProfileInt("MAKEIP", "GATEWAY", static_cast<int>(Ip(192, 168, 1, 254)));
    std::vector<bool> shown;
    dialogs.On(CChangeIPaddressDlg::kTemplateId, [&](fw::CDialog& x) {
        shown.push_back(Shown(x, 1342));
        EXPECT_EQ(Ctrl(x, 1342).GetWindowText(), "192.168.1.254");
        Click(x, 1347);
        shown.push_back(Shown(x, 1342));
        Click(x, 1347);
        shown.push_back(Shown(x, 1342));
        Click(x, fw::IDOK);
        return -1;
    });
    ASSERT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(shown, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(dlg.m_bGateway, 1);
    EXPECT_EQ(profile->GetProfileInt("MAKEIP", "GATEWAYFLG", -1), 1);
}

TEST_F(ChangeIPaddress, TickingTheBoxWithABadPortStopsAtThePort)
{
    services.prompt.Expect(fw::kIdpParseIntRange, fw::IDOK);
    bool shown = true;
    dialogs.On(CChangeIPaddressDlg::kTemplateId, [&](fw::CDialog& x) {
        x.SetDlgItemText(1302, "70000");
        Click(x, 1347);
        shown = Shown(x, 1342);
        Click(x, fw::IDCANCEL);
        return -1;
    });
    dlg.DoModal();
    EXPECT_FALSE(shown);
}

} // namespace
