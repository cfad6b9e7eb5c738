// The panel's card commands against emulated control units: marked card
// files are deleted kind by kind, a cancelled dialog deletes nothing.

#include "measure/views/dialogs/CardCommands.h"

#include "framework/ui/testing/ScriptedDialogs.h"
#include "instrument/system/BoxPropaty.h"
#include "measure/views/dialogs/CfSelDelDlg.h"
#include "tests/emulator/RecordedData.h"
#include "tests/support/link/SequenceFixture.h"

namespace {

using seqtest::Lines;

class CardCommandsTest : public seqtest::SequenceTest {
protected:
    void SetUp() override
    {
        SequenceTest::SetUp();
        Connect(1);
        ASSERT_TRUE(system.BuildInUseList());
        emu.Unit(0).AddCommand("DEL", [](const kivemu::Command&, kivemu::DeviceState&) {
            return kivemu::Reply::Line("OK");
        });
        for (const char* name : {"A0001", "A0002"}) {
            kivemu::RecordedSetSpec spec;
            spec.name = name;
            spec.channels = {1};
            spec.widths = {2};
            spec.samples = 10;
            const kivemu::RecordedSet set = kivemu::MakeRecordedSet(spec);
            Dev(0).With([&](kivemu::MeasureDevice&, kivemu::MeterDevice& meter, kivemu::DeviceState&) {
                meter.files.push_back({spec.name + ".hed", std::vector<uint8_t>(set.header.begin(), set.header.end()), -1});
                meter.files.push_back({spec.name + ".dat", set.data, -1});
            });
        }
        ClearLines();
    }
    void TearDown() override
    {
        EXPECT_EQ(dialogs.Problems(), "");
        SequenceTest::TearDown();
    }
    Lines Deletes()
    {
        Lines out;
        for (const std::string& line : LinesOf(0))
            if (line.rfind("DEL", 0) == 0)
                out.push_back(line);
        return out;
    }
    fw::test::ScriptedDialogs dialogs;
};

TEST_F(CardCommandsTest, MarkedCardFilesAreDeletedAndTheListsReadAgain)
{
    dialogs.On(CCfSelDelDlg::kTemplateId, [this](fw::CDialog& d) {
        auto& dlg = static_cast<CCfSelDelDlg&>(d);
        EXPECT_EQ(dlg.Grid(CCfSelDelDlg::kWaveform).GetMarks().at(0).size(), 2u);
        dlg.Grid(CCfSelDelDlg::kWaveform).OnSheetDoubleClick(1, 0, 0, {});
        services.prompt.Expect(CCfSelDelDlg::kIdsConfirm, fw::IDYES);
        dlg.OnOK();
        return 0;
    });
    EXPECT_TRUE(cardcommands::SelectDeleteCardFiles(system, {}, nullptr));
    const Lines deletes = Deletes();
    ASSERT_EQ(deletes.size(), 1u);
    EXPECT_EQ(deletes[0].rfind("DEL", 0), 0u);
    EXPECT_NE(deletes[0].find('*'), std::string::npos) << "firmware 2.2A takes the asterisk";
}

TEST_F(CardCommandsTest, CancellingDeletesNothingAndAnswersTrue)
{
    dialogs.On(CCfSelDelDlg::kTemplateId, [](fw::CDialog& d) {
        d.OnCancel();
        return 0;
    });
    EXPECT_TRUE(cardcommands::SelectDeleteCardFiles(system, {}, nullptr));
    EXPECT_TRUE(Deletes().empty());
}

} // namespace
