#pragma once

// The line and fill dialog (dialog 186 "線と色"): which sides of a drawing
// object get a frame line, its shadow, the pen's width and colour, and the
// fill colour or a transparent fill where the object allows it.

#include "docbase/graphpage/DrawObjPrf.h"
#include "framework/ui/Dialog.h"

class CColorCmbBox;

class CLineFillDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CLineFillDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned IDD = 186;
    enum : int {
        IDC_TOP = 1149, IDC_LEFT = 1150, IDC_RIGHT = 1151, IDC_BOTTOM = 1152, IDC_WIDTH = 1153,
        IDC_PEN_COLOR = 1155, IDC_TRANSPARENT = 1156, IDC_FILL_COLOR = 1157, IDC_SHADOW = 1158,
    };

    CLineFillDlg(CDrawObjPrf& style, bool transparencyAllowed, fw::CWnd* parent = nullptr);
    // Writes the frame style on OK.
    int DoModal() override;

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnTransparent();

    int m_top = 0, m_bottom = 0, m_left = 0, m_right = 0, m_shadow = 0;
    int32_t m_width = 1;
    int m_transparent = 0;
    fw::COLORREF m_penColor = 0;
    fw::COLORREF m_fillColor = 0;

private:
    void ApplyEnableRule();

    CDrawObjPrf& m_style;
    bool m_transparencyAllowed;
    CColorCmbBox* m_pen = nullptr;
    CColorCmbBox* m_fill = nullptr;
};
