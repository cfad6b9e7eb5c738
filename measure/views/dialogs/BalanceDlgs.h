#pragma once

// The balance dialog ("バランス"): the user moves the strain channels whose
// zero balance the control units shall take from the candidates to the
// chosen list; the caller runs the balance on what is left in its vector.
// The calibration-output dialog ("キャルの出力"): one of +cal, -cal and
// 0 cal at a time on every control unit in use, off again by a second
// click; it can only be closed with the output off.

#include "framework/ui/Dialog.h"

#include <array>
#include <cstdint>
#include <vector>

class CBoxArray;
class CDataTankList;

class CBalDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CBalDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 201;
    static constexpr int kIdCandidates = 1013;
    static constexpr int kIdChosen = 1199;
    static constexpr int kIdRecordShift = 1198;
    static constexpr int kIdAdd = 1089;
    static constexpr int kIdAddAll = 1090;
    static constexpr int kIdRemove = 1091;
    static constexpr int kIdRemoveAll = 1092;

    // `channels`: in the candidates, out the chosen ones in their own order.
    CBalDlg(CDataTankList& channelTanks, std::vector<int16_t>& channels, fw::CWnd* parent = nullptr);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnOK() override;

    void OnAdd();
    void OnAddAll();
    void OnRemove();
    void OnRemoveAll();
    void UpdateButtons();

    // Selects row `index` of a list (tests and keyboard handling).
    void SelectRow(int listId, int index, bool on = true);
    const std::vector<int16_t>& GetCandidates() const { return m_candidates; }
    const std::vector<int16_t>& GetChosen() const { return m_chosen; }

    int m_nRecordShift = 0;

private:
    void FillCandidates();
    void ShowList(int listId, const std::vector<int16_t>& channels);
    std::vector<int> SelectedRows(int listId) const;
    fw::CString RowText(int16_t channel) const;

    CDataTankList& m_tanks;
    std::vector<int16_t>& m_channels;
    std::vector<int16_t> m_candidates;
    std::vector<int16_t> m_chosen;
};

class CCalOutDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CCalOutDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 326;
    static constexpr int kIdPlus = 1266;
    static constexpr int kIdMinus = 1267;
    static constexpr int kIdZero = 1312;
    static constexpr int kOpOff = 4;
    static constexpr int kOpPlus = 5;
    static constexpr int kOpMinus = 6;
    static constexpr int kOpZero = 36;
    static constexpr unsigned kIdsStillOn = 484;

    explicit CCalOutDlg(fw::CWnd* parent = nullptr);
    void SetSystem(CBoxArray* system) { m_pSystem = system; }

    void BuildControls(fw::DialogBuilder& builder) override;
    void OnCancel() override;
    void OnPlus() { ToggleCal(kIdPlus, kOpPlus); }
    void OnMinus() { ToggleCal(kIdMinus, kOpMinus); }
    void OnZero() { ToggleCal(kIdZero, kOpZero); }

    // The button that is on; 0 when the output is off.
    int m_nOnButton = 0;

private:
    void ToggleCal(int button, int operation);
    void SetChecked(int button, bool on);
    bool IsChecked(int button) const;

    CBoxArray* m_pSystem = nullptr;
};
