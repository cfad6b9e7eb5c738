// The voice copy dialog against emulated control units and a real project:
// the recordings land in the project's data folder and voice list, Esc ends
// a running copy, and nothing to copy never shows the dialog.

#include "tests/measure/views/transfer/TransferDialogFixture.h"

#include "measure/model/voice/VoiceCopyRun.h"
#include "measure/views/voice/VoiceUpdateDlg.h"

#include <QDialog>
#include <QTimer>

namespace transferdlgtest {
namespace {

class VoiceUpdateDlgTest : public TransferDialogTest {
protected:
    void AddRecording(int box, const std::string& name, size_t bytes)
    {
        std::vector<uint8_t> sound(bytes);
        for (size_t i = 0; i < bytes; ++i)
            sound[i] = uint8_t(i * 3);
        devices[size_t(box)]->With([&](kivemu::MeasureDevice&, kivemu::MeterDevice& meter, kivemu::DeviceState&) {
            meter.files.push_back({name + ".wav", sound, -1});
        });
        CKiv406FileInfo entry;
        entry.m_name = name.c_str();
        entry.m_dataSize = int(bytes);
        entry.m_firstSampleTime.SetDateTime(2025, 3, 12, 9, 0, 0);
        lists[size_t(box)].push_back(entry);
    }

    // `escAfterMs` >= 0: Esc arrives that long after the dialog shows, as a
    // key would, while the copy runs.
    int RunVoiceDialog(int escAfterMs = -1)
    {
        vectors.clear();
        for (Files& list : lists)
            vectors.push_back(&list);
        dialogs.On(CVoiceUpdateDlg::kTemplateId, [this, escAfterMs](fw::CDialog& d) {
            auto& dlg = static_cast<CVoiceUpdateDlg&>(d);
            ++shown;
            if (escAfterMs >= 0)
                QTimer::singleShot(escAfterMs, dlg.Dialog(), [&dlg] { dlg.OnCancel(); });
            const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
            while (!dlg.IsEnded() && std::chrono::steady_clock::now() < limit) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            }
            if (auto* overall = dlg.GetDlgItemAs<fw::CProgressCtrl>(CVoiceUpdateDlg::kIdOverallProgress))
                overallPos = overall->GetPos();
            caption = dlg.GetDlgItemText(CVoiceUpdateDlg::kIdCaption).str();
            return dlg.GetResult();
        });
        CVoiceUpdateDlg dlg;
        dlg.SetDocument(doc);
        dlg.SetFileLists(&vectors);
        return dlg.DoModal();
    }

    int shown = 0;
    int overallPos = 0;
};

TEST_F(VoiceUpdateDlgTest, RecordingsOfEveryUnitLandInTheDataFolderAndTheList)
{
    MakeProject(2);
    AddRecording(0, "REC001", 70000);
    AddRecording(1, "REC002", 100);
    EXPECT_EQ(RunVoiceDialog(), CVoiceCopyRun::kCompleted);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(overallPos, 2);
    EXPECT_EQ(caption, "REC002を更新中");
    const std::filesystem::path voice = std::filesystem::path(doc->GetDataFolder().str()) / "VOICE";
    EXPECT_EQ(std::filesystem::file_size(voice / "B1REC001.wav"), 70000u);
    EXPECT_EQ(std::filesystem::file_size(voice / "B2REC002.wav"), 100u);
    ASSERT_EQ(doc->GetVoiceList().GetMaxIndex(), 1);
    EXPECT_EQ(doc->GetVoiceList().GetFileName(1), "B2REC002");
}

TEST_F(VoiceUpdateDlgTest, EscEndsARunningCopyAndNothingToCopyShowsNothing)
{
    MakeProject(1);
    {
        vectors = {&lists[0]};
        CVoiceUpdateDlg nothing;
        nothing.SetDocument(doc);
        nothing.SetFileLists(&vectors);
        EXPECT_EQ(nothing.DoModal(), CVoiceCopyRun::kCancelled) << "not shown: no dialog is scripted";
    }

    AddRecording(0, "SLOW", 200000);
    emu.Unit(0).GetFaults().DelayReply("DAT", 2000, -1);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(RunVoiceDialog(300), CVoiceCopyRun::kCancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    EXPECT_EQ(doc->GetVoiceList().GetMaxIndex(), -1);
}

} // namespace
} // namespace transferdlgtest
