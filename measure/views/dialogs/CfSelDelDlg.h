#pragma once

// "CFデータ選択削除": the recorded files on the control units' cards by
// kind (waveform, frequency, voice) and by box, each with a delete mark.
// The dialog only collects marks; the caller deletes the marked files
// after IDOK. Each kind has its own number of boxes (its own lists), and a
// box selector reaches every box's files.

#include "framework/ui/Dialog.h"
#include "measure/views/transfer/CFFileGrids.h"

#include <array>

namespace fw {
class CCmdUI;
}

class CCfSelDelDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CCfSelDelDlg)
    FW_DECLARE_COMMANDS()
public:
    using FileLists = CCFFileGridBase::FileLists;
    enum Kind : int { kWaveform = 0, kFrequency = 1, kVoice = 2, kKindCount = 3 };

    static constexpr unsigned kTemplateId = 369;
    static constexpr int kIdWaveGrid = 1313;
    static constexpr int kIdHistGrid = 1315;
    static constexpr int kIdVoiceGrid = 1323;
    static constexpr int kIdWaveRadio = 1318;
    static constexpr int kIdHistRadio = 1319;
    static constexpr int kIdVoiceRadio = 1321;
    static constexpr int kIdCaption = 1317;
    static constexpr int kIdUnit = 1340;
    static constexpr unsigned kIdsConfirm = 718;

    explicit CCfSelDelDlg(fw::CWnd* parent = nullptr);
    ~CCfSelDelDlg() override;

    // Before DoModal: one list per box of each kind (not owned).
    void SetFileLists(Kind kind, const FileLists* lists) { m_lists[kind] = lists; }
    std::array<fw::CString, kKindCount> m_captions;
    int m_nKind = kWaveform;

    // After IDOK: per kind, one mark per file of each box.
    const CCFFileSelGrid::MarkArrays& GetMarks(Kind kind) const;
    void FreeMarks();

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    // "実行": asks once more, then ends with IDOK.
    void OnOK() override;
    void OnKindChanged();
    void OnUnitChange();
    void OnMarkCommand(unsigned id);
    void OnUpdateMarkCommand(fw::CCmdUI* ui);
    void UpdateOkButton();

    CCFFileSelGrid& Grid(Kind kind) const { return *m_grids[kind]; }
    CCFFileSelGrid& CurrentGrid() const { return *m_grids[m_nKind]; }

private:
    // The current grid's selected rows within its current box's list.
    bool SelectedRows(int& first, int& last) const;

    std::array<const FileLists*, kKindCount> m_lists{};
    std::array<CCFFileSelGrid*, kKindCount> m_grids{};
};
