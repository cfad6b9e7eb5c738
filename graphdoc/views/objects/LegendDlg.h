#pragma once

// The legend dialog (dialog 179 "凡例の設定"): the legend text of every
// series of the page's main graph, editable in place, reset to the
// series' own name, the legend turned by 90 degrees, and automatic names.

#include "framework/ui/Dialog.h"

#include <vector>

class CDrawLegObj;
class CKivGraphDraw;
class QTableWidget;

class CLegendDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CLegendDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned IDD = 179;
    static constexpr int IDC_LIST = 1130;
    static constexpr int IDC_RESET = 1131;
    static constexpr int IDC_ROTATE = 1132;
    static constexpr int IDC_AUTO = 1264;
    static constexpr unsigned kIdsColumn = 420;
    static constexpr int kMaxText = 255;

    explicit CLegendDlg(CDrawLegObj& legend, fw::CWnd* parent = nullptr);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    // After OK: rotation, the texts and the automatic-name switch.
    void StoreLegend();

    void OnReset();
    void ApplyEnableRule();
    QTableWidget* Table() const;

    int m_bRotate = 0;
    int m_bAuto = 0;
    std::vector<fw::CString> m_texts;

private:
    CKivGraphDraw* Draw() const;

    CDrawLegObj& m_legend;
};
