#pragma once

// The grid dialog (dialog 177 "グリッドの設定"): frame, grid-line and
// tick-mark colours and widths and the sides of the tick marks of a graph's
// frame record.

#include "framework/ui/Dialog.h"

#include <array>

class CColorCmbBox;
class GrFrameRec;

class CGraphGrid : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CGraphGrid)
public:
    static constexpr unsigned IDD = 177;
    enum : int {
        IDC_FRAME_COLOR = 1128, IDC_FRAME_WIDTH = 1129,
        IDC_MAIN_COLOR = 1130, IDC_MAIN_X = 1131, IDC_MAIN_Y = 1132,
        IDC_SUB_COLOR = 1133, IDC_SUB_X = 1134, IDC_SUB_Y = 1135,
        IDC_TICK_COLOR = 1138, IDC_TICK_X = 1139, IDC_TICK_Y = 1140,
        IDC_TICK_SIDE_X = 1141, IDC_TICK_SIDE_Y = 1142,
    };

    explicit CGraphGrid(fw::CWnd* parent = nullptr);
    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    // Positions become list indexes (minus 1) and back.
    void LoadFrame(const GrFrameRec& frame);
    void StoreFrame(GrFrameRec& frame) const;

    int m_frameColor = -1, m_frameWidth = -1;
    int m_mainColor = -1, m_mainX = -1, m_mainY = -1;
    int m_subColor = -1, m_subX = -1, m_subY = -1;
    int m_tickColor = -1, m_tickX = -1, m_tickY = -1;
    int m_tickSideX = -1, m_tickSideY = -1;

private:
    std::array<CColorCmbBox*, 4> m_colors{};
};
