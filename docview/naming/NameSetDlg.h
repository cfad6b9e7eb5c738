#pragma once

// Edits the automatic-naming settings of the rename commands. The dialog
// works on a copy; OK hands the copy (its counter prepared from the start
// number) to the record it was opened for, by default the application's.

#include "docbase/naming/NameSetParam.h"
#include "framework/ui/Dialog.h"

namespace fw {
class CStatic;
}

class CNameSetDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CNameSetDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 155;
    static constexpr int kIdLeading = 1025;
    static constexpr int kIdMode = 1026;
    static constexpr int kIdStartNumber = 1027;
    static constexpr int kIdAdded1 = 1028;
    static constexpr int kIdTrailing = 1029;
    static constexpr int kIdAdded2 = 1030;
    static constexpr int kIdAdded3 = 1031;
    static constexpr int kIdDefaults = 1032;

    explicit CNameSetDlg(fw::CWnd* parent = nullptr);
    ~CNameSetDlg() override;

    // The record edited (not owned); the application's when not set.
    void SetTarget(CNameSetParam* target) { m_pTarget = target; }

    // On OK the edited settings go to the record.
    int DoModal() override;

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnOK() override;

    CNameSetParam m_param;

private:
    void ShowModeControls(int mode);
    void OnModeChange();
    void OnDefaults();

    CNameSetParam* m_pTarget = nullptr;
    fw::CStatic* m_pStartLabel = nullptr;
    fw::CStatic* m_pAddedLabel = nullptr;
};
