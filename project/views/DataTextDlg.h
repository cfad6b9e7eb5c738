#pragma once

// The conversion settings of history steps' data files: header lines, the
// file format, the column and row limits of each file and the output
// folder. Works on its own copy of the options.

#include "data/model/TextConvParam.h"
#include "framework/ui/Dialog.h"

class CDataTextDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CDataTextDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 327;
    static constexpr int kIdTitle = 1014, kIdName = 1015, kIdUnit = 1016, kIdOneLine = 1017;
    static constexpr int kIdColumns = 1018, kIdRows = 1019;
    static constexpr int kIdTxt = 1277, kIdCsv = 1278, kIdLob = 1279, kIdDadisp = 1280;
    static constexpr int kIdBrowse = 1275, kIdFolder = 1276;
    static constexpr unsigned kIdsFolderTitle = 485;

    explicit CDataTextDlg(fw::CWnd* parent = nullptr) : fw::CDialog(kTemplateId, parent) {}
    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    tTextConvParam m_param;

private:
    void UpdateEnables();
    void OnBrowse();
    int CheckedRadio() const;
};
