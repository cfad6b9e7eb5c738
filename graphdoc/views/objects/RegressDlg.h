#pragma once

// The regression dialog (dialog 188 "回帰線の設定"): straight line or
// polynomial of the page's main graph, its drawing, and the formula box
// that shows it. OK stores the regression record of the graph's drawer
// and creates or updates the formula box; "削除" removes the regression
// and ends the dialog with its own result.

#include "framework/core/CString.h"
#include "framework/ui/Dialog.h"

class CColorCmbBox;
class CGraphViewDoc;
class CDrawRegressObj;

class CRegressDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CRegressDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned IDD = 188;
    static constexpr int kResultDeleted = 1111;
    static constexpr int IDC_LINE = 1165;
    static constexpr int IDC_CURVE = 1166;
    static constexpr int IDC_DEGREE = 1167;
    static constexpr int IDC_WIDTH = 1168;
    static constexpr int IDC_COLOR = 1155;
    static constexpr int IDC_TO_LIMITS = 1170;
    static constexpr int IDC_SHOW_FORMULA = 1171;
    static constexpr int IDC_LEFT_NAME = 1172;
    static constexpr int IDC_RIGHT_NAME = 1173;
    static constexpr int IDC_SQUARE = 1174;
    static constexpr int IDC_DIVISIONS = 1175;
    static constexpr int IDC_FORMULA = 1176;
    static constexpr int IDC_DELETE = 1111;
    static constexpr int kMaxNameChars = 10;

    CRegressDlg(CGraphViewDoc& page, fw::CWnd* parent = nullptr);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnOK() override;

    int m_bToLimits = 1;
    int m_bShowFormula = 1;
    int32_t m_nDivisions = 100;
    int m_bSquare = 1;
    fw::CString m_strLeft = "y";
    fw::CString m_strRight = "x";
    int m_nWidth = 0;
    int m_nKind = 0;
    int32_t m_nDegree = 2;
    int m_nColor = 0;

private:
    void OnKindChange();
    void OnDelete();
    void ShowDegree();
    CDrawRegressObj* FindFormula() const;
    // The formula box over the whole page, fitted into it; null when none
    // could be made.
    CDrawRegressObj* CreateFormula();

    CGraphViewDoc& m_page;
    CColorCmbBox* m_pColors = nullptr;
};
