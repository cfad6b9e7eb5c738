// The card file select-and-delete dialog driven by control id: marks of
// every kind count for "実行", the context commands follow the selection,
// each kind keeps its own number of boxes, and No keeps everything.

#include "measure/views/dialogs/CfSelDelDlg.h"

#include "framework/core/CmdTarget.h"
#include "framework/core/Services.h"
#include "tests/support/ui/DialogFixture.h"

namespace {

using appuitest::Click;
using appuitest::Enabled;
using Files = std::vector<CKiv406FileInfo>;

CKiv406FileInfo Entry(const char* name)
{
    CKiv406FileInfo f;
    f.m_name = name;
    f.m_firstSampleTime.SetDateTime(2024, 5, 6, 7, 8, 9);
    return f;
}

class CfSelDelDlgTest : public appuitest::DialogFixture {
protected:
    CfSelDelDlgTest()
    {
        dlg.SetFileLists(CCfSelDelDlg::kWaveform, &waveLists);
        dlg.SetFileLists(CCfSelDelDlg::kFrequency, &histLists);
        dlg.SetFileLists(CCfSelDelDlg::kVoice, &voiceLists);
    }
    struct UpdateProbe : fw::CCmdUI {
        using fw::CCmdUI::CCmdUI;
        void Enable(bool on) override { enabled = on; }
        void SetCheck(int check) override { checked = check; }
        bool enabled = false;
        int checked = -1;
    };
    UpdateProbe Update(unsigned id)
    {
        UpdateProbe probe(id);
        dlg.OnUpdateMarkCommand(&probe);
        return probe;
    }
    static void Select(CCFFileSelGrid& grid, int first, int last)
    {
        grid.SetSelection(CCellRange{first, 0, last, 0}, CCellIndices{first, 0}, CCellIndices{first, 0}, false);
    }

    Files wave0{Entry("A0001"), Entry("A0002")}, wave1;
    Files hist0{Entry("H0001")};
    Files voice0{Entry("V0001")}, voice1{Entry("V1001")}, voice2{Entry("V2001")};
    CCfSelDelDlg::FileLists waveLists{&wave0, &wave1};
    CCfSelDelDlg::FileLists histLists{&hist0};
    CCfSelDelDlg::FileLists voiceLists{&voice0, &voice1, &voice2};
    CCfSelDelDlg dlg;
};

TEST_F(CfSelDelDlgTest, MarksOfEveryKindCountAndEachKindKeepsItsBoxes)
{
    dialogs.On(CCfSelDelDlg::kTemplateId, [this](fw::CDialog& d) {
        EXPECT_FALSE(Enabled(d, fw::IDOK)) << "nothing marked";
        // Three voice boxes, though only two waveform boxes.
        EXPECT_EQ(dlg.Grid(CCfSelDelDlg::kVoice).GetMarks().size(), 3u);
        EXPECT_EQ(dlg.Grid(CCfSelDelDlg::kWaveform).GetMarks().size(), 2u);
        // A box without files still has one mark, and nothing to mark.
        EXPECT_EQ(dlg.Grid(CCfSelDelDlg::kWaveform).GetMarks()[1].size(), 1u);
        d.GetDlgItemAs<fw::CButton>(CCfSelDelDlg::kIdWaveRadio)->SetCheck(0);
        Click(d, CCfSelDelDlg::kIdVoiceRadio);
        EXPECT_EQ(dlg.m_nKind, CCfSelDelDlg::kVoice);
        d.GetDlgItemAs<fw::CComboBox>(CCfSelDelDlg::kIdUnit)->SetCurSel(2);
        dlg.OnUnitChange();
        Select(dlg.Grid(CCfSelDelDlg::kVoice), 0, 0);
        EXPECT_TRUE(Update(CCFFileSelGrid::kIdMarkSet).enabled);
        EXPECT_EQ(Update(CCFFileSelGrid::kIdMarkClear).checked, 1);
        dlg.OnMarkCommand(CCFFileSelGrid::kIdMarkSet);
        EXPECT_EQ(Update(CCFFileSelGrid::kIdMarkSet).checked, 1);
        EXPECT_TRUE(dlg.Grid(CCfSelDelDlg::kVoice).GetMarks()[2][0]);
        // Back on the waveform page: the voice mark still counts.
        d.GetDlgItemAs<fw::CButton>(CCfSelDelDlg::kIdVoiceRadio)->SetCheck(0);
        Click(d, CCfSelDelDlg::kIdWaveRadio);
        EXPECT_TRUE(Enabled(d, fw::IDOK));
        // The second waveform box has no file: the commands are off.
        d.GetDlgItemAs<fw::CComboBox>(CCfSelDelDlg::kIdUnit)->SetCurSel(1);
        dlg.OnUnitChange();
        Select(dlg.Grid(CCfSelDelDlg::kWaveform), 0, 0);
        EXPECT_FALSE(Update(CCFFileSelGrid::kIdMarkSet).enabled);
        // No keeps the dialog and its marks; Yes ends it.
        services.prompt.Expect(CCfSelDelDlg::kIdsConfirm, fw::IDNO);
        Click(d, fw::IDOK);
        EXPECT_FALSE(d.IsEnded());
        services.prompt.Expect(CCfSelDelDlg::kIdsConfirm, fw::IDYES);
        Click(d, fw::IDOK);
        return 0;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_TRUE(dlg.GetMarks(CCfSelDelDlg::kVoice)[2][0]);
    dlg.FreeMarks();
    EXPECT_TRUE(dlg.GetMarks(CCfSelDelDlg::kVoice).empty());
}

} // namespace
