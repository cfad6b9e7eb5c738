#pragma once

// What a frequency view saves as text: the list of analyses, the count
// data shown, or every analysis' count data.

#include "framework/ui/Dialog.h"

class CHistSaveTextDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CHistSaveTextDlg)
public:
    static constexpr unsigned kTemplateId = 381;
    static constexpr int kIdAnalysisList = 1327;
    static constexpr int kIdShownCounts = 1328;
    static constexpr int kIdAllCounts = 1329;

    explicit CHistSaveTextDlg(fw::CWnd* parent = nullptr);

    void BuildControls(fw::DialogBuilder& builder) override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    int m_choice = 1; // 0 the list, 1 the shown counts, 2 every count
};
