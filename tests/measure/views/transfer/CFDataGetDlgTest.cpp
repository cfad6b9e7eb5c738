// The import dialog driven by control id: registering found files of any
// control unit (the unit selector), releasing, the kind pages, the checks
// of OK, and the folder browse of copied card files.

#include "measure/views/transfer/CFDataGetDlg.h"
#include "measure/views/transfer/CFFileGrids.h"

#include "framework/core/testing/ScriptedFileDialogs.h"
#include "framework/ui/Controls.h"
#include "grid/views/Grid.h"
#include "tests/emulator/RecordedData.h"
#include "tests/support/TestSupport.h"
#include "tests/support/ui/DialogFixture.h"

#include <fstream>

namespace {

using appuitest::Click;
using appuitest::Enabled;
using appuitest::Shown;
using Kind = CCFDataGetDlg::Kind;

CKiv406FileInfo Entry(const char* name, int minute, double interval = 1.0)
{
    CKiv406FileInfo f;
    f.m_name = name;
    f.m_interval = interval;
    f.m_sampleCount = 100;
    f.m_headerTime.SetDateTime(2024, 1, 1, 10, minute, 0);
    f.m_firstSampleTime = f.m_headerTime;
    return f;
}

void SelectRows(CZELGrid& grid, int first, int last, int firstCol = 0, int lastCol = 0)
{
    grid.SetSelection(CCellRange{first, firstCol, last, lastCol}, CCellIndices{first, firstCol},
                      CCellIndices{first, firstCol}, false);
}

class CFDataGetDlgTest : public appuitest::DialogFixture {
protected:
    // Runs the dialog with `script`, two units of found waveform files.
    int Run(const std::function<int(CCFDataGetDlg&)>& script, int units = 2)
    {
        std::vector<CCFDataGetDlg::FileList> waves(static_cast<size_t>(units));
        waves[0] = {Entry("/c/A0002", 2), Entry("/c/A0001", 1), Entry("/c/A0003", 3)};
        if (units > 1)
            waves[1] = {Entry("/c/B0001", 1), Entry("/c/B0002", 2, 2.0)};
        dlg.SetFoundLists(CCFDataGetDlg::kWaveform, waves);
        dialogs.On(CCFDataGetDlg::kTemplateId, [&](fw::CDialog&) { return script(dlg); });
        return dlg.DoModal();
    }

    CCFDataGetDlg dlg;
};

TEST_F(CFDataGetDlgTest, EveryUnitRegistersItsFilesAndOkHandsThemOver)
{
    const int result = Run([&](CCFDataGetDlg& d) {
        EXPECT_FALSE(Shown(d, CCFDataGetDlg::kIdBrowse));
        EXPECT_TRUE(Shown(d, CCFDataGetDlg::kIdVoiceRadio));
        EXPECT_TRUE(Shown(d, CCFDataGetDlg::kIdUnit));
        EXPECT_TRUE(Enabled(d, CCFDataGetDlg::kIdRegister));
        SelectRows(d.FoundGrid(CCFDataGetDlg::kWaveform), 0, 1);
        Click(d, CCFDataGetDlg::kIdRegister);
        Click(d, CCFDataGetDlg::kIdRegister);  // twice: still one of each
        EXPECT_EQ(d.Registered(CCFDataGetDlg::kWaveform, 0).size(), 2u);
        // Only the first unit registered: OK refuses.
        services.prompt.Expect(551, fw::IDOK);
        Click(d, fw::IDOK);
        EXPECT_FALSE(d.IsEnded());
        // The second unit through the selector.
        d.GetDlgItemAs<fw::CComboBox>(CCFDataGetDlg::kIdUnit)->SetCurSel(1);
        d.OnUnitChange();
        EXPECT_EQ(d.GetCurrentUnit(), 1);
        SelectRows(d.FoundGrid(CCFDataGetDlg::kWaveform), 0, 1);
        Click(d, CCFDataGetDlg::kIdRegister);
        // Row 2 has clocks 1 and 2 ms.
        services.prompt.ExpectText("登録No.2でサンプリング間隔が一致しません。", fw::IDOK);
        Click(d, fw::IDOK);
        EXPECT_FALSE(d.IsEnded());
        // Releasing row 2 of both units makes them agree.
        SelectRows(d.RegisteredGrid(CCFDataGetDlg::kWaveform), 1, 1, 0, 1);
        Click(d, CCFDataGetDlg::kIdRelease);
        Click(d, fw::IDOK);
        return 0;
    });
    EXPECT_EQ(result, fw::IDOK);
    const auto& lists = dlg.GetRegisteredLists(CCFDataGetDlg::kWaveform);
    ASSERT_EQ(lists.size(), 2u);
    ASSERT_EQ(lists[0]->size(), 1u);
    EXPECT_EQ((*lists[0])[0].m_name.str(), "/c/A0001");
    EXPECT_EQ((*lists[1])[0].m_name.str(), "/c/B0001");
    dlg.FreeFileLists();
    EXPECT_TRUE(dlg.GetRegisteredLists(CCFDataGetDlg::kWaveform).empty());
}

TEST_F(CFDataGetDlgTest, KindPagesShowTheirGridsAndNothingRegisteredIsRefused)
{
    const int result = Run(
        [&](CCFDataGetDlg& d) {
            EXPECT_TRUE(Shown(d, CCFDataGetDlg::kIdWaveFound));
            EXPECT_FALSE(Shown(d, CCFDataGetDlg::kIdUnit));
            d.GetDlgItemAs<fw::CButton>(CCFDataGetDlg::kIdWaveRadio)->SetCheck(0);
            Click(d, CCFDataGetDlg::kIdVoiceRadio);
            EXPECT_EQ(d.m_nKind, CCFDataGetDlg::kVoice);
            EXPECT_TRUE(Shown(d, CCFDataGetDlg::kIdVoiceFound));
            EXPECT_FALSE(Shown(d, CCFDataGetDlg::kIdWaveFound));
            EXPECT_FALSE(Enabled(d, CCFDataGetDlg::kIdUseFileFormat));
            EXPECT_FALSE(Enabled(d, CCFDataGetDlg::kIdRegister)) << "no voice file found";
            services.prompt.Expect(551, fw::IDOK);
            Click(d, fw::IDOK);
            EXPECT_FALSE(d.IsEnded());
            Click(d, fw::IDCANCEL);
            return 0;
        },
        1);
    EXPECT_EQ(result, fw::IDCANCEL);
}

TEST_F(CFDataGetDlgTest, BrowseListsTheFolderOfCopiedCardFiles)
{
    kivtest::TempDir folder;
    kivemu::RecordedSetSpec spec;
    spec.channels = {1, 2};
    spec.widths = {2, 2};
    spec.samples = 10;
    const kivemu::RecordedSet set = kivemu::MakeRecordedSet(spec);
    const std::string base = std::string(folder.Path().c_str()) + "/";
    std::ofstream(base + "A0001.HED", std::ios::binary) << set.header;
    std::ofstream(base + "A0001.DAT", std::ios::binary)
        .write(reinterpret_cast<const char*>(set.data.data()), static_cast<std::streamsize>(set.data.size()));
    std::ofstream(base + "H0001.HED", std::ios::binary) << set.header << "OPERATION 1\r\n";
    std::ofstream(base + "H0001.DAT", std::ios::binary) << std::string(40, '\0');
    fw::test::ScriptedFileDialogs files;
    files.AnswerFolder(folder.Path().c_str());
    dlg.m_bFolderMode = true;
    dlg.SetUnitCount(1);
    dialogs.On(CCFDataGetDlg::kTemplateId, [&](fw::CDialog& d) {
        EXPECT_TRUE(Shown(d, CCFDataGetDlg::kIdBrowse));
        EXPECT_FALSE(Enabled(d, CCFDataGetDlg::kIdRegister));
        Click(d, CCFDataGetDlg::kIdBrowse);
        EXPECT_TRUE(Enabled(d, CCFDataGetDlg::kIdRegister));
        return fw::IDCANCEL;
    });
    dlg.DoModal();
    ASSERT_EQ(dlg.Found(CCFDataGetDlg::kWaveform, 0).size(), 1u);
    EXPECT_EQ(dlg.Found(CCFDataGetDlg::kWaveform, 0)[0].m_sampleCount, 10);
    EXPECT_EQ(dlg.Found(CCFDataGetDlg::kFrequency, 0).size(), 1u);
    EXPECT_EQ(dlg.m_strFolder.str(), folder.Path().string());
    EXPECT_EQ(files.Problems(), "");
}

} // namespace
