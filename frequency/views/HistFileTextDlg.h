#pragma once

// The settings of the conversion of the frequency-data files chosen in the
// project's frequency history: the format, the blocks the VO-8025 form
// adds, and the target folder. Edits the record it is given on OK.

#include "framework/ui/Dialog.h"
#include "frequency/document/HistFileTextParam.h"

class CHistFileTextDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CHistFileTextDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 382;
    static constexpr int kIdText = 1277;
    static constexpr int kIdCsv = 1278;
    static constexpr int kIdVo8025 = 1279;
    static constexpr int kIdInputChannels = 1322;
    static constexpr int kIdConditions = 1323;
    static constexpr int kIdMMData = 1324;
    static constexpr int kIdFolder = 1276;
    static constexpr int kIdChooseFolder = 1275;
    static constexpr unsigned kIdsFolderTitle = 485; // "テキストファイルの保存先"

    CHistFileTextDlg(CHistFileTextParam& param, fw::CWnd* parent = nullptr);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnOK() override;

private:
    void OnFormat();
    void OnChooseFolder();
    void EnableBlocks();

    CHistFileTextParam& m_param;
    int m_format = 0;
    int m_inputChannels = 0;
    int m_conditions = 0;
    int m_mmData = 0;
    fw::CString m_folder;
};
