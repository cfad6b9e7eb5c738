#pragma once

// The batch-print dialog (dialog 169 "グラフの一括印刷"): which open graph
// pages print in which order, how many go on a sheet (columns x rows,
// 1-10 each) and whether each is laid out or printed at paper size.

#include "framework/ui/Dialog.h"
#include "graphdoc/model/PrintJobList.h"
#include "graphdoc/model/PrintJobsEditor.h"

#include <vector>

class CGraphViewDoc;
class QListWidget;

class CPrintJobsDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CPrintJobsDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned IDD = 169;
    enum : int {
        IDC_CANDIDATES = 1088, IDC_REGISTER = 1089, IDC_INSERT = 1090, IDC_REMOVE = 1091, IDC_REMOVE_ALL = 1092,
        IDC_PRINT_LIST = 1093, IDC_STORE = 1094, IDC_LAYOUT = 1095, IDC_PAPER = 1096, IDC_COLUMNS = 1097,
        IDC_ROWS = 1098,
    };

    explicit CPrintJobsDlg(fw::CWnd* parent = nullptr);
    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnOK() override;

    void OnRegister();
    void OnInsert();
    void OnRemove();
    void OnRemoveAll();
    // Stores the settings in the application's list; the dialog stays.
    void OnStore();
    void UpdateButtons();

    // The open graph pages, in their template's order (set before running).
    std::vector<CGraphViewDoc*> m_pages;
    CPrintJobList m_jobs;

private:
    void Refill();
    std::vector<int> Selected(int id) const;
    QListWidget* ListWidget(int id) const;

    CPrintJobsEditor m_editor;
};
