#pragma once

// The list-graph dialogs: titles ("ラベルの設定"), scales ("座標軸の設定")
// and draw methods ("作図方法の設定") of every row of a list graph in one
// grid each. Each loads its grid from the list when it opens and, on OK,
// stores the grid and its fonts back into the list.

#include "framework/core/Gdi.h"
#include "framework/ui/Dialog.h"

class CGraphListObj;
class CListGraphGridBase;
class CGraphListLabelGrid;
class CScaleGrid;
class CDrawTypeGrid;

// The editing commands both table dialogs share: undo, cut, copy, paste,
// clear and fill down on their grid. False for other ids.
bool RunListGraphGridCommand(CListGraphGridBase* grid, unsigned id);

class CGraphListLabelDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CGraphListLabelDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 318;
    static constexpr int kIdGrid = 1187;
    static constexpr int kIdLegendFont = 1251;
    static constexpr int kIdXTitleFont = 1252;
    static constexpr int kIdYTitleFont = 1253;

    explicit CGraphListLabelDlg(CGraphListObj& list, fw::CWnd* parent = nullptr);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void OnOK() override;
    CGraphListLabelGrid* Grid() const { return m_grid; }

    fw::LOGFONT m_legendFont;
    fw::LOGFONT m_xTitleFont;
    fw::LOGFONT m_yTitleFont;

private:
    bool OnGridCommand(unsigned id);
    void OnLegendFont();
    void OnXTitleFont();
    void OnYTitleFont();

    CGraphListObj& m_list;
    CGraphListLabelGrid* m_grid = nullptr;
};

class CGraphListScaleDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CGraphListScaleDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 315;
    static constexpr int kIdGrid = 1187;
    static constexpr int kIdAxis = 1201;
    static constexpr int kIdFont = 1249;

    explicit CGraphListScaleDlg(CGraphListObj& list, fw::CWnd* parent = nullptr);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void OnOK() override;
    CScaleGrid* Grid() const { return m_grid; }
    // 0 the X axis, 1 the Y axis, as the axis choice shows them.
    void SelectAxis(int index);

    fw::LOGFONT m_xTickFont;
    fw::LOGFONT m_yTickFont;

private:
    bool OnGridCommand(unsigned id);
    void OnAxisChange();
    void OnFont();

    CGraphListObj& m_list;
    CScaleGrid* m_grid = nullptr;
    int m_axis = 0;
};

class CGraphListDrawTypeDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CGraphListDrawTypeDlg)
public:
    static constexpr unsigned kTemplateId = 404;
    static constexpr int kIdGrid = 1187;

    explicit CGraphListDrawTypeDlg(CGraphListObj& list, fw::CWnd* parent = nullptr);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void OnOK() override;
    CDrawTypeGrid* Grid() const { return m_grid; }

private:
    CGraphListObj& m_list;
    CDrawTypeGrid* m_grid = nullptr;
};
