#include "app/shell/MainFrame.h"
#include "app/shell/ShellIds.h"
#include "docview/instrumentdlg/MeterVerupDlg.h"
#include "docview/instrumentdlg/SelectMeterDlg.h"
#include "instrument/Kiv406UsbInterface.h"
#include "instrument/MeterInterfacePrf.h"
#include "instrument/MeterSocket.h"
#include "tests/app/shell/ShellFixture.h"
#include "tests/support/ui/UiTestSupport.h"

namespace shelltest {
namespace {

// The reader is process-wide; every test leaves it as it found it.
class DialogHostsTest : public ShellTest {
protected:
    void TearDown() override
    {
        CKIV5980App::SetProjectProfileReader({});
        ShellTest::TearDown();
    }

    CMeterInterfacePrf Profile(int interface) const
    {
        CMeterInterfacePrf prf;
        prf.m_interface = interface;
        return prf;
    }

    // The update state of the firmware update item as the main frame routes it.
    bool VerupEnabled()
    {
        fw::CCmdUI ui(ID_METER_VERUP);
        ui.DoUpdate(app.GetMainWnd());
        return ui.m_bEnabled;
    }
};

TEST_F(DialogHostsTest, BothDialogsMakeTheApplicationsLink)
{
    ASSERT_TRUE(Start());
    const CMeterVerupDlg::Host verup = CMeterVerupDlg::GetDefaultHost();
    const CSelectMeterDlg::Host select = CSelectMeterDlg::GetDefaultHost();
    ASSERT_TRUE(verup.activeProjectProfile && verup.createLink);
    ASSERT_TRUE(select.createLink && select.releaseLink);

    struct Row { const char* name; int interface; bool usb; };
    const Row rows[] = {
        {"lan", CMeterInterfacePrf::kInterfaceLan, false},
        {"usb", CMeterInterfacePrf::kInterfaceUsb, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const CMeterInterfacePrf prf = Profile(r.interface);

        CMeterInterface* fromVerup = verup.createLink(prf);
        ASSERT_NE(fromVerup, nullptr);
        EXPECT_EQ(fromVerup, app.GetMeterInterface());
        EXPECT_EQ(dynamic_cast<CKiv406UsbInterface*>(fromVerup) != nullptr, r.usb);
        EXPECT_EQ(dynamic_cast<CMeterSocket*>(fromVerup) != nullptr, !r.usb);

        CMeterInterface* fromSelect = select.createLink(prf);
        ASSERT_NE(fromSelect, nullptr);
        EXPECT_EQ(fromSelect, app.GetMeterInterface()) << "a new link replaces the application's old one";
        select.releaseLink();
        EXPECT_EQ(app.GetMeterInterface(), nullptr);
    }
    EXPECT_EQ(verup.createLink(Profile(7)), nullptr) << "no link for an unknown interface kind";
}

TEST_F(DialogHostsTest, TheHostsAreTakenBackAtExit)
{
    ASSERT_TRUE(Start());
    app.CloseAllDocuments(false);
    uitest::RunDeferredDeletes();
    Stop();
    EXPECT_FALSE(CMeterVerupDlg::GetDefaultHost().createLink) << "would reach a dead application";
    EXPECT_FALSE(CMeterVerupDlg::GetDefaultHost().activeProjectProfile);
    EXPECT_FALSE(CSelectMeterDlg::GetDefaultHost().createLink);
    EXPECT_FALSE(CSelectMeterDlg::GetDefaultHost().releaseLink);
}

TEST_F(DialogHostsTest, TheFirmwareUpdateWorksOnTheActiveProjectsProfile)
{
    CMeterInterfacePrf projectPrf = Profile(CMeterInterfacePrf::kInterfaceLan);
    fw::CDocument* readFrom = nullptr;
    CKIV5980App::SetProjectProfileReader([&](fw::CDocument& doc) {
        readFrom = &doc;
        return &projectPrf;
    });
    ASSERT_TRUE(Start());
    ASSERT_EQ(OpenDocumentCount(), 1) << "start-up makes a new project";
    const auto profileOf = CMeterVerupDlg::GetDefaultHost().activeProjectProfile;

    EXPECT_EQ(profileOf(), &projectPrf);
    EXPECT_NE(dynamic_cast<ProjectDoc*>(readFrom), nullptr);
    EXPECT_TRUE(VerupEnabled());

    CKIV5980App::SetProjectProfileReader({});
    EXPECT_EQ(profileOf(), nullptr) << "no reader, no profile";

    app.CloseAllDocuments(false);
    uitest::RunDeferredDeletes();
    CKIV5980App::SetProjectProfileReader([&](fw::CDocument&) { return &projectPrf; });
    EXPECT_EQ(profileOf(), nullptr) << "no active window";
    EXPECT_FALSE(VerupEnabled());
}

TEST_F(DialogHostsTest, TheFirmwareUpdateCommandOpensItsDialog)
{
    ASSERT_TRUE(Start());
    bool opened = false;
    dialogs.On(CMeterVerupDlg::kTemplateId, [&](fw::CDialog& d) {
        opened = dynamic_cast<CMeterVerupDlg*>(&d) != nullptr;
        d.EndDialog(fw::IDCANCEL);
        return fw::IDCANCEL;
    });
    EXPECT_TRUE(app.GetMainWnd()->OnCmdMsg(ID_METER_VERUP, fw::CN_COMMAND, nullptr));
    EXPECT_TRUE(opened);
    EXPECT_EQ(dialogs.Problems(), "");
    app.CloseAllDocuments(false);
    uitest::RunDeferredDeletes();
}

} // namespace
} // namespace shelltest
