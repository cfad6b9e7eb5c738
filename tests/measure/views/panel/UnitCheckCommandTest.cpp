// F9 before the panel opens, through the main frame's measurement
// commands.

#include "tests/measure/views/transfer/TransferDialogFixture.h"

#include "framework/core/ServiceSlot.h"
#include "measure/views/panel/MeasureCommands.h"
#include "measure/views/panel/PanelShell.h"

namespace {

using UnitCheckCommandTest = transferdlgtest::TransferDialogTest;

TEST_F(UnitCheckCommandTest, WithAutomaticSavingOffNoLeavesEverythingUnconnected)
{
    MakeProject(1);
    doc->GetBoxArray().CloseMeters();
    ClearLines();
    class NoSaveShell final : public IPanelShell {
    public:
        bool DontSaveAutomatically() override { return true; }
        CMeterInterface* CreateLink(const CMeterInterfacePrf&) override
        {
            ++links;
            return nullptr;
        }
        int links = 0;
    } shell;
    fw::ScopedInstall<IPanelShell> installed(shell);
    services.prompt.Expect(CMeasureCommands::kMsgNoAutoSave, fw::IDNO);
    CMeasureCommands commands;
    commands.activeDocument = [this]() -> fw::CDocument* { return doc; };
    EXPECT_EQ(commands.OpenKeisokuPanel(), nullptr);
    EXPECT_EQ(shell.links, 0);
    EXPECT_TRUE(LinesOf(0).empty());
}

} // namespace
