// The transfer dialog on real threads against emulated control units and a
// real project: every mode brings the chosen file sets in as history steps
// with their measurement-data documents, and Esc ends a running transfer
// without a step.

#include "tests/measure/views/transfer/TransferDialogFixture.h"

#include "framework/core/testing/ScriptedFileDialogs.h"
#include "framework/ui/CommonControls.h"
#include "grid/views/Grid.h"
#include "measure/views/dialogs/CardCommands.h"
#include "measure/views/transfer/CFDataGetDlg.h"
#include "measure/views/transfer/ProjectTransferHost.h"
#include "measure/views/transfer/ReadUnitData.h"

#include <algorithm>

namespace transferdlgtest {
namespace {

bool Has(const std::vector<intptr_t>& hints, intptr_t hint)
{
    return std::find(hints.begin(), hints.end(), hint) != hints.end();
}

void AddDelete(kivemu::Emulator& emu, size_t unit)
{
    emu.Unit(unit).AddCommand("DEL", [](const kivemu::Command&, kivemu::DeviceState&) {
        return kivemu::Reply::Line("OK");
    });
}

TEST_F(TransferDialogTest, ChosenCardFilesBecomeOneStepAndDataDocumentEach)
{
    MakeProject(1);
    AddCardSet(0, Spec("A0001", 3000));
    AddCardSet(0, Spec("A0002", 500, "15:40:00"));
    EXPECT_EQ(RunDialog(CTransferSession::kChosenCardFiles), CTransferSession::kAllDone);
    EXPECT_EQ(LinesWith(0, {"DAT", "DEL"}),
              (Lines{"DATA0001.HED", "DATA0001.DAT", "DATA0002.HED", "DATA0002.DAT"}));
    EXPECT_EQ(Steps(), 2);
    EXPECT_EQ(DataFolders(), 2);
    EXPECT_EQ(doc->GetHistory().GetCardFileName(0).str(), "A0001");
    EXPECT_EQ(fileProgress, 2);
    EXPECT_EQ(caption, "KIV-406(1)を更新中");
    // The temporary measuring system is gone; the views heard both hints.
    EXPECT_EQ(&doc->GetActiveBoxArray(), &doc->GetBoxArray());
    EXPECT_TRUE(Has(projectHost.hints, CProjectTransferHost::kHintTransferBegins));
    EXPECT_TRUE(Has(projectHost.hints, CProjectTransferHost::kHintTransferEnds));
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(TransferDialogTest, CardFilesAreDeletedAfterEachSetWhenAsked)
{
    MakeProject(2);
    for (int box = 0; box < 2; ++box) {
        AddDelete(emu, static_cast<size_t>(box));
        AddCardSet(box, Spec(box == 0 ? "A0001" : "B0001", 800));
    }
    EXPECT_EQ(RunDialog(CTransferSession::kCardThroughUnit, true), CTransferSession::kAllDone);
    EXPECT_EQ(LinesWith(0, {"DAT", "DEL"}), (Lines{"DATA0001.HED", "DATA0001.DAT", "DELA0001*"}));
    EXPECT_EQ(LinesWith(1, {"DAT", "DEL"}), (Lines{"DATB0001.HED", "DATB0001.DAT", "DELB0001*"}));
    EXPECT_EQ(Steps(), 1);
    // The project's own units took the recording: its tanks hold the rows.
    EXPECT_EQ(doc->GetBoxArray().GetTankList().GetDataCount(), 800);
}

TEST_F(TransferDialogTest, FolderFilesComeInSetBySet)
{
    MakeProject(1);
    AddFolderSet(0, Spec("A0001", 2000));
    AddFolderSet(0, Spec("A0002", 300, "16:00:00"));
    AddFolderSet(0, Spec("A0003", 300, "16:10:00"));
    EXPECT_EQ(RunDialog(CTransferSession::kCardFolder), CTransferSession::kAllDone);
    EXPECT_EQ(Steps(), 3);
    EXPECT_EQ(DataFolders(), 3);
    EXPECT_EQ(fileProgress, 3);
    // Nothing went over the link.
    EXPECT_EQ(LinesWith(0, {"DAT", "ADR", "BDT"}), Lines{});
}

TEST_F(TransferDialogTest, UnitMemoryReadsTheLastMeasurement)
{
    MakeProject(1);
    CBoxArray& own = doc->GetBoxArray();
    own.SetTankDisplayModes();
    ASSERT_TRUE(own.SetDataCount(1000, true));
    auto memory = std::make_shared<kivemu::MemoryRecording>();
    memory->widths.assign(16, 2);
    memory->rows = 1000;
    kivemu::AddMemoryReadout(emu.Unit(0), memory);
    CKiv406FileInfo entry;
    entry.m_name = "MEMORY";
    entry.m_sampleCount = 1000;
    lists[0].push_back(entry);
    ClearLines();
    EXPECT_EQ(RunDialog(CTransferSession::kUnitMemory), CTransferSession::kAllDone);
    const Lines data = LinesWith(0, {"ADR", "BDT"});
    ASSERT_FALSE(data.empty());
    EXPECT_EQ(data.front(), "ADR0");
    EXPECT_EQ(Steps(), 1);
    EXPECT_LE(posts, 60) << "progress is handed over coalesced";
}

TEST_F(TransferDialogTest, EscapeEndsARunningTransferWithoutAStep)
{
    MakeProject(1);
    AddCardSet(0, Spec("A0001", 400000));
    AddCardSet(0, Spec("A0002", 400));
    // Each data block leaves late, so the transfer is still running when
    // the first progress shows.
    emu.Unit(0).GetFaults().DelayReply("DAT", 20, -1);
    const auto started = std::chrono::steady_clock::now();
    const int result = RunDialog(CTransferSession::kChosenCardFiles, false, [](CCFUpdateDlg& dlg) {
        auto* item = dlg.GetDlgItemAs<fw::CProgressCtrl>(CCFUpdateDlg::kIdItemProgress);
        return item && item->GetPos() > 0;
    });
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(result, CTransferSession::kStopped);
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(DataFolders(), 0);
    EXPECT_EQ(&doc->GetActiveBoxArray(), &doc->GetBoxArray());
    EXPECT_TRUE(Has(projectHost.hints, CProjectTransferHost::kHintTransferEnds));
    EXPECT_LT(took, std::chrono::seconds(20));
    // The second set was never asked for.
    for (const std::string& line : LinesOf(0))
        EXPECT_NE(line, "DATA0002.HED");
}

TEST_F(TransferDialogTest, AFailedTransferAnsweredNoEndsWithThree)
{
    MakeProject(1);
    AddCardSet(0, Spec("A0001", 2000));
    emu.Unit(0).GetFaults().ErrorOn("DATA0001.DAT", 7);
    question.answers = {false};
    EXPECT_EQ(RunDialog(CTransferSession::kChosenCardFiles), CTransferSession::kFailed);
    EXPECT_EQ(question.asked.size(), 1u);
    EXPECT_EQ(Steps(), 0);
    EXPECT_TRUE(Has(projectHost.hints, CProjectTransferHost::kHintTransferBegins));
    EXPECT_TRUE(Has(projectHost.hints, CProjectTransferHost::kHintTransferEnds));
}

TEST_F(TransferDialogTest, NothingToPrepareEndsWithTwoWithoutShowing)
{
    MakeProject(1);
    CBoxArray::FileVectors none{&lists[0]};
    CCFUpdateDlg dlg;
    dlg.SetDocument(doc);
    dlg.SetFileSelection(&none);
    dlg.m_nMode = CTransferSession::kChosenCardFiles;
    EXPECT_EQ(dlg.DoModal(), CTransferSession::kStopped);
    EXPECT_TRUE(dialogs.Shown().empty());
    EXPECT_TRUE(Has(projectHost.hints, CProjectTransferHost::kHintTransferEnds));
}

} // namespace
} // namespace transferdlgtest

namespace transferdlgtest {
namespace {

TEST_F(TransferDialogTest, TheLastRoomOfTheHistoryTakesTheSetThenTheRunStops)
{
    MakeProject(1);
    AddCardSet(0, Spec("A0001", 200));
    AddCardSet(0, Spec("A0002", 200, "15:40:00"));
    CMMAObject& history = doc->GetHistory();
    history.Grow(CKIV5980Doc::kMaxHistorySteps - 2);
    history.SetLastIndex(CKIV5980Doc::kMaxHistorySteps - 2);
    services.prompt.ExpectText("計測回数が50000回になりました。", fw::IDOK);
    EXPECT_EQ(RunDialog(CTransferSession::kChosenCardFiles), CTransferSession::kStopped);
    EXPECT_EQ(Steps(), CKIV5980Doc::kMaxHistorySteps);
    EXPECT_EQ(DataFolders(), 1);
    for (const std::string& line : LinesOf(0))
        EXPECT_NE(line, "DATA0002.HED");
}

} // namespace
} // namespace transferdlgtest


namespace transferdlgtest {
namespace {

TEST_F(TransferDialogTest, FolderDataRegisteredInTheImportDialogBecomeSteps)
{
    MakeProject(1);
    AddFolderSet(0, Spec("A0001", 500));
    AddFolderSet(0, Spec("A0002", 300, "16:00:00"));
    lists[0].clear();  // the dialog finds them itself
    fw::test::ScriptedFileDialogs files;
    files.AnswerFolder((dir / "card").string().c_str());
    dialogs.On(CCFDataGetDlg::kTemplateId, [](fw::CDialog& d) {
        auto& dlg = static_cast<CCFDataGetDlg&>(d);
        dlg.OnBrowse();
        CZELGrid& found = dlg.FoundGrid(CCFDataGetDlg::kWaveform);
        found.SetSelection(CCellRange{0, 0, 1, 0}, CCellIndices{0, 0}, CCellIndices{0, 0}, false);
        dlg.OnRegister();
        dlg.OnOK();
        return 0;
    });
    dialogs.On(CCFUpdateDlg::kTemplateId, [](fw::CDialog& d) { return RunLoop(d); });
    EXPECT_EQ(readunitdata::ReadUnitData(*doc, nullptr), CTransferSession::kAllDone);
    EXPECT_EQ(Steps(), 2);
    EXPECT_EQ(DataFolders(), 2);
    // The captions name the newest measurement now.
    EXPECT_EQ(readunitdata::Captions(*doc)[0].str(), "最終計測日時　2023/12/24 16:00:00");
    EXPECT_EQ(files.Problems(), "");
}

} // namespace
} // namespace transferdlgtest

namespace transferdlgtest {
namespace {

TEST_F(TransferDialogTest, CardFilesChosenFromTheUnitsListsBecomeSteps)
{
    MakeProject(1);
    AddCardSet(0, Spec("A0001", 400));
    AddCardSet(0, Spec("A0002", 300, "15:40:00"));
    ASSERT_TRUE(doc->GetBoxArray().BuildInUseList());
    dialogs.On(CCFDataGetDlg::kTemplateId, [](fw::CDialog& d) {
        auto& dlg = static_cast<CCFDataGetDlg&>(d);
        EXPECT_FALSE(appuitest::Shown(d, CCFDataGetDlg::kIdBrowse));
        // The second recording only.
        dlg.FoundGrid(CCFDataGetDlg::kWaveform)
            .SetSelection(CCellRange{1, 0, 1, 0}, CCellIndices{1, 0}, CCellIndices{1, 0}, false);
        dlg.OnRegister();
        dlg.OnOK();
        return 0;
    });
    dialogs.On(CCFUpdateDlg::kTemplateId, [](fw::CDialog& d) { return RunLoop(d); });
    ClearLines();
    EXPECT_TRUE(cardcommands::ReadCardData(*doc, {}, nullptr));
    EXPECT_EQ(Steps(), 1);
    EXPECT_EQ(doc->GetHistory().GetCardFileName(0).str(), "A0002");
    // The listing read both headers; only the chosen data came over.
    EXPECT_EQ(LinesWith(0, {"DATA0001.DAT", "DATA0002.DAT"}), (Lines{"DATA0002.DAT"}));
}

} // namespace
} // namespace transferdlgtest
