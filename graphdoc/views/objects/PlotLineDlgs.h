#pragma once

// The plot-line dialogs (dialogs 182 and 180 "作図線の設定"): line and
// symbol, or outline and fill of bars, of each plotted series, one profile
// at a time. The list on the left has one entry per profile from entry 1
// on; choosing another entry stores the shown one first and stays when a
// value is out of range.

#include "framework/ui/Dialog.h"

class CGraphPrf;
class CGraphPrfList;
class CLineListBox;

class CPlotLineDlgBase : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CPlotLineDlgBase)
    FW_DECLARE_COMMANDS()
public:
    static constexpr int IDC_LINES = 1109;
    static constexpr int IDC_LINE_COLOR = 1135;
    static constexpr int IDC_SECOND_COLOR = 1137;
    static constexpr int IDC_SIZE = 1138;
    static constexpr int16_t kMinSize = 2;
    static constexpr int16_t kMaxSize = 10;

    CPlotLineDlgBase(unsigned templateId, CGraphPrfList& list, fw::CWnd* parent);

    bool OnInitDialog() override;
    void OnSelectLine();
    CLineListBox* Lines() const;
    int GetCurrentEntry() const { return m_nCurrent; }

protected:
    // The profile shown (entry 0 is profile 1); beyond the list the
    // framework's invalid-argument exception.
    CGraphPrf& Profile() const;
    // Adds the palette to a colour combo.
    void FillPalette(int id);

    CGraphPrfList& m_list;
    int m_nCurrent = 0;
};

class CLineSymbleDlg : public CPlotLineDlgBase {
    FW_DECLARE_DYNAMIC(CLineSymbleDlg)
public:
    static constexpr unsigned IDD = 182;
    static constexpr int IDC_STYLE = 1140;
    static constexpr int IDC_WIDTH = 1141;
    static constexpr int IDC_INTERVAL = 1142;
    static constexpr int IDC_SYMBOL = 1143;
    static constexpr int IDC_INTERVAL_LABEL = 1148;
    static constexpr int kSymbols = 14;
    static constexpr int16_t kMaxInterval = 30000;

    explicit CLineSymbleDlg(CGraphPrfList& list, fw::CWnd* parent = nullptr);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    // Cleared by the caller to hide the symbol interval.
    int m_bShowInterval = 1;
};

class CBarLineDlg : public CPlotLineDlgBase {
    FW_DECLARE_DYNAMIC(CBarLineDlg)
public:
    static constexpr unsigned IDD = 180;
    static constexpr int IDC_WIDTH = 1134;
    static constexpr int IDC_PATTERN = 1136;
    static constexpr int kPatterns = 6;

    explicit CBarLineDlg(CGraphPrfList& list, fw::CWnd* parent = nullptr);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
};

// The dash patterns the line-style list offers, in its order.
inline constexpr uint16_t kLineStylePatterns[] = {0xFFFF, 0xAAAA, 0xCCCC, 0xF8F8, 0xE4E4, 0xFF18, 0xFCCC, 0};
