#include "graphdoc/views/LineFillDlg.h"

#include "chart/model/GrDraw.h"
#include "docview/controls/ColorPickers.h"
#include "framework/core/Services.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"

#include <QDialog>

FW_IMPLEMENT_DYNAMIC(CLineFillDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CLineFillDlg, fw::CDialog)
FW_ON_BN_CLICKED(CLineFillDlg::IDC_TRANSPARENT, &CLineFillDlg::OnTransparent)
FW_END_COMMANDS

namespace {

constexpr int kPaletteColors = 16;
constexpr int32_t kMaxWidth = 10;

// The palette, and the colour itself when it is none of the palette's.
void FillColors(CColorCmbBox& combo, fw::COLORREF selected)
{
    int index = -1;
    for (int i = 0; i < kPaletteColors; ++i) {
        combo.AddItemData(GrGetColor(i));
        if (GrGetColor(i) == selected && index < 0)
            index = i;
    }
    if (index < 0)
        index = combo.AddItemData(selected);
    combo.SetCurSel(index);
}

fw::COLORREF ChosenColor(const CColorCmbBox* combo, fw::COLORREF fallback)
{
    if (!combo || combo->GetCurSel() < 0)
        return fallback;
    return static_cast<fw::COLORREF>(combo->GetItemData(combo->GetCurSel()));
}

} // namespace

CLineFillDlg::CLineFillDlg(CDrawObjPrf& style, bool transparencyAllowed, fw::CWnd* parent)
    : fw::CDialog(IDD, parent), m_style(style), m_transparencyAllowed(transparencyAllowed)
{
    m_top = style.HasSide(CDrawObjPrf::kTop) ? 1 : 0;
    m_bottom = style.HasSide(CDrawObjPrf::kBottom) ? 1 : 0;
    m_left = style.HasSide(CDrawObjPrf::kLeft) ? 1 : 0;
    m_right = style.HasSide(CDrawObjPrf::kRight) ? 1 : 0;
    m_shadow = style.HasSide(CDrawObjPrf::kShadow) ? 1 : 0;
    m_width = style.m_penWidth;
    m_transparent = style.m_transparent ? 1 : 0;
    m_penColor = style.m_penColor;
    m_fillColor = style.m_fill.lbColor;
}

void CLineFillDlg::BuildControls(fw::DialogBuilder& b)
{
    b.Group("枠線");
    b.Check(IDC_TOP, "上");
    b.Check(IDC_BOTTOM, "下");
    b.Check(IDC_LEFT, "左");
    b.Check(IDC_RIGHT, "右");
    b.Check(IDC_SHADOW, "陰影");
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "太さ");
    b.Edit(IDC_WIDTH);
    b.Static(static_cast<int>(fw::IDC_STATIC), "色");
    m_pen = &static_cast<CColorCmbBox&>(b.Custom(IDC_PEN_COLOR, std::make_unique<CColorCmbBox>()));
    b.EndGroup();
    b.Row();
    b.Check(IDC_TRANSPARENT, "透明");
    b.Static(static_cast<int>(fw::IDC_STATIC), "背景色");
    m_fill = &static_cast<CColorCmbBox&>(b.Custom(IDC_FILL_COLOR, std::make_unique<CColorCmbBox>()));
    b.OkCancel();
}

bool CLineFillDlg::OnInitDialog()
{
    if (QDialog* dialog = Dialog())
        dialog->setWindowTitle(QStringLiteral("線と色"));
    if (m_pen)
        FillColors(*m_pen, m_penColor);
    if (m_fill)
        FillColors(*m_fill, m_fillColor);
    const bool result = fw::CDialog::OnInitDialog();
    ApplyEnableRule();
    return result;
}

void CLineFillDlg::ApplyEnableRule()
{
    auto* transparent = GetDlgItemAs<fw::CButton>(IDC_TRANSPARENT);
    const bool ticked = transparent && transparent->GetCheck() != 0;
    const bool fillable = !m_transparencyAllowed || !ticked;
    if (transparent)
        transparent->EnableWindow(m_transparencyAllowed);
    for (int id : {IDC_FILL_COLOR, IDC_SHADOW}) {
        if (fw::CWnd* w = GetDlgItem(id))
            w->EnableWindow(fillable);
    }
}

void CLineFillDlg::OnTransparent()
{
    ApplyEnableRule();
}

void CLineFillDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Check(dx, IDC_TOP, m_top);
    fw::DDX_Check(dx, IDC_BOTTOM, m_bottom);
    fw::DDX_Check(dx, IDC_LEFT, m_left);
    fw::DDX_Check(dx, IDC_RIGHT, m_right);
    fw::DDX_Check(dx, IDC_SHADOW, m_shadow);
    fw::DDX_Text(dx, IDC_WIDTH, m_width);
    fw::DDV_MinMaxInt(dx, m_width, 1, kMaxWidth);
    fw::DDX_Check(dx, IDC_TRANSPARENT, m_transparent);
    if (dx->m_bSaveAndValidate) {
        m_penColor = ChosenColor(m_pen, m_penColor);
        m_fillColor = ChosenColor(m_fill, m_fillColor);
    }
}

int CLineFillDlg::DoModal()
{
    const int result = fw::CDialog::DoModal();
    if (result != fw::IDOK)
        return result;
    uint8_t sides = 0;
    sides |= m_top ? CDrawObjPrf::kTop : 0;
    sides |= m_bottom ? CDrawObjPrf::kBottom : 0;
    sides |= m_left ? CDrawObjPrf::kLeft : 0;
    sides |= m_right ? CDrawObjPrf::kRight : 0;
    sides |= m_shadow ? CDrawObjPrf::kShadow : 0;
    m_style.m_sides = sides;
    m_style.m_penWidth = m_width;
    m_style.m_extra = m_width;
    m_style.m_penColor = m_penColor;
    m_style.m_fill.lbColor = m_fillColor;
    m_style.m_transparent = m_transparent ? 1 : 0;
    return result;
}
