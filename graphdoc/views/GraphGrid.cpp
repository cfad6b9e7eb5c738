#include "graphdoc/views/GraphGrid.h"

#include "chart/model/GrDraw.h"
#include "chart/model/GrFrameRec.h"
#include "docview/controls/ColorPickers.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"

#include <QDialog>

FW_IMPLEMENT_DYNAMIC(CGraphGrid, fw::CDialog)

namespace {

constexpr int kPaletteColors = 16;
const char* const kWidths[] = {"なし", "1ﾎﾟｲﾝﾄ", "2ﾎﾟｲﾝﾄ", "3ﾎﾟｲﾝﾄ"};
const char* const kSidesX[] = {"なし", "上", "下", "上下"};
const char* const kSidesY[] = {"なし", "左", "右", "左右"};

void Fill(fw::CComboBox& combo, const char* const (&items)[4])
{
    for (const char* item : items)
        combo.AddString(item);
}

} // namespace

CGraphGrid::CGraphGrid(fw::CWnd* parent) : fw::CDialog(IDD, parent)
{
}

void CGraphGrid::BuildControls(fw::DialogBuilder& b)
{
    auto colour = [&](int id) {
        return &static_cast<CColorCmbBox&>(b.Custom(id, std::make_unique<CColorCmbBox>()));
    };
    b.Static(static_cast<int>(fw::IDC_STATIC), "フレーム：");
    m_colors[0] = colour(IDC_FRAME_COLOR);
    Fill(b.Combo(IDC_FRAME_WIDTH), kWidths);
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "グリッド：主目盛");
    m_colors[1] = colour(IDC_MAIN_COLOR);
    Fill(b.Combo(IDC_MAIN_X), kWidths);
    Fill(b.Combo(IDC_MAIN_Y), kWidths);
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "補助目盛");
    m_colors[2] = colour(IDC_SUB_COLOR);
    Fill(b.Combo(IDC_SUB_X), kWidths);
    Fill(b.Combo(IDC_SUB_Y), kWidths);
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "チックマーク：");
    m_colors[3] = colour(IDC_TICK_COLOR);
    Fill(b.Combo(IDC_TICK_X), kWidths);
    Fill(b.Combo(IDC_TICK_Y), kWidths);
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "位置");
    Fill(b.Combo(IDC_TICK_SIDE_X), kSidesX);
    Fill(b.Combo(IDC_TICK_SIDE_Y), kSidesY);
    b.OkCancel();
}

bool CGraphGrid::OnInitDialog()
{
    if (QDialog* dialog = Dialog())
        dialog->setWindowTitle(QStringLiteral("グリッドの設定"));
    // Palette order: a list index is a palette index.
    for (CColorCmbBox* combo : m_colors) {
        if (!combo)
            continue;
        for (int i = 0; i < kPaletteColors; ++i)
            combo->AddItemData(GrGetColor(i));
    }
    return fw::CDialog::OnInitDialog();
}

void CGraphGrid::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_CBIndex(dx, IDC_FRAME_COLOR, m_frameColor);
    fw::DDX_CBIndex(dx, IDC_FRAME_WIDTH, m_frameWidth);
    fw::DDX_CBIndex(dx, IDC_MAIN_COLOR, m_mainColor);
    fw::DDX_CBIndex(dx, IDC_MAIN_X, m_mainX);
    fw::DDX_CBIndex(dx, IDC_MAIN_Y, m_mainY);
    fw::DDX_CBIndex(dx, IDC_SUB_COLOR, m_subColor);
    fw::DDX_CBIndex(dx, IDC_SUB_X, m_subX);
    fw::DDX_CBIndex(dx, IDC_SUB_Y, m_subY);
    fw::DDX_CBIndex(dx, IDC_TICK_COLOR, m_tickColor);
    fw::DDX_CBIndex(dx, IDC_TICK_X, m_tickX);
    fw::DDX_CBIndex(dx, IDC_TICK_Y, m_tickY);
    fw::DDX_CBIndex(dx, IDC_TICK_SIDE_X, m_tickSideX);
    fw::DDX_CBIndex(dx, IDC_TICK_SIDE_Y, m_tickSideY);
}

void CGraphGrid::LoadFrame(const GrFrameRec& f)
{
    m_frameWidth = f.m_frameWidth;
    m_frameColor = f.m_frameColor;
    m_mainColor = f.m_gridMajorColor;
    m_subColor = f.m_gridMinorColor;
    m_mainX = f.m_xGridMajorWidth;
    m_subX = f.m_xGridMinorWidth;
    m_tickSideX = f.m_xTickSide - 1;
    m_tickX = f.m_xTickWidth;
    m_mainY = f.m_yGridMajorWidth;
    m_subY = f.m_yGridMinorWidth;
    m_tickSideY = f.m_yTickSide - 1;
    m_tickY = f.m_yTickWidth;
    m_tickColor = f.m_tickColor;
}

void CGraphGrid::StoreFrame(GrFrameRec& f) const
{
    f.m_frameWidth = static_cast<int16_t>(m_frameWidth);
    f.m_frameColor = static_cast<int16_t>(m_frameColor);
    f.m_gridMajorColor = static_cast<int16_t>(m_mainColor);
    f.m_gridMinorColor = static_cast<int16_t>(m_subColor);
    f.m_xGridMajorWidth = static_cast<int16_t>(m_mainX);
    f.m_xGridMinorWidth = static_cast<int16_t>(m_subX);
    f.m_xTickSide = static_cast<int16_t>(m_tickSideX + 1);
    f.m_xTickWidth = static_cast<int16_t>(m_tickX);
    f.m_yGridMajorWidth = static_cast<int16_t>(m_mainY);
    f.m_yGridMinorWidth = static_cast<int16_t>(m_subY);
    f.m_yTickSide = static_cast<int16_t>(m_tickSideY + 1);
    f.m_yTickWidth = static_cast<int16_t>(m_tickY);
    f.m_tickColor = static_cast<int16_t>(m_tickColor);
}
