#include "chart/views/ListGraphDlgs.h"

#include "chart/model/GraphListObj.h"
#include "chart/views/ListGraphGrids.h"
#include "docview/controls/ZELFontDlg.h"
#include "framework/core/Services.h"
#include "framework/ui/CommonControls.h"
#include "framework/ui/DialogBuilder.h"

#include <memory>

FW_IMPLEMENT_DYNAMIC(CGraphListLabelDlg, fw::CDialog)
FW_IMPLEMENT_DYNAMIC(CGraphListScaleDlg, fw::CDialog)
FW_IMPLEMENT_DYNAMIC(CGraphListDrawTypeDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CGraphListLabelDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CGraphListLabelDlg::kIdLegendFont, &CGraphListLabelDlg::OnLegendFont)
    FW_ON_BN_CLICKED(CGraphListLabelDlg::kIdXTitleFont, &CGraphListLabelDlg::OnXTitleFont)
    FW_ON_BN_CLICKED(CGraphListLabelDlg::kIdYTitleFont, &CGraphListLabelDlg::OnYTitleFont)
    FW_ON_COMMAND_EX(57643, &CGraphListLabelDlg::OnGridCommand)
    FW_ON_COMMAND_EX(57635, &CGraphListLabelDlg::OnGridCommand)
    FW_ON_COMMAND_EX(57634, &CGraphListLabelDlg::OnGridCommand)
    FW_ON_COMMAND_EX(57637, &CGraphListLabelDlg::OnGridCommand)
    FW_ON_COMMAND_EX(57632, &CGraphListLabelDlg::OnGridCommand)
    FW_ON_COMMAND_EX(32835, &CGraphListLabelDlg::OnGridCommand)
FW_END_COMMANDS

FW_BEGIN_COMMANDS(CGraphListScaleDlg, fw::CDialog)
    FW_ON_CBN_SELCHANGE(CGraphListScaleDlg::kIdAxis, &CGraphListScaleDlg::OnAxisChange)
    FW_ON_BN_CLICKED(CGraphListScaleDlg::kIdFont, &CGraphListScaleDlg::OnFont)
    FW_ON_COMMAND_EX(57643, &CGraphListScaleDlg::OnGridCommand)
    FW_ON_COMMAND_EX(57635, &CGraphListScaleDlg::OnGridCommand)
    FW_ON_COMMAND_EX(57634, &CGraphListScaleDlg::OnGridCommand)
    FW_ON_COMMAND_EX(57637, &CGraphListScaleDlg::OnGridCommand)
    FW_ON_COMMAND_EX(57632, &CGraphListScaleDlg::OnGridCommand)
    FW_ON_COMMAND_EX(32835, &CGraphListScaleDlg::OnGridCommand)
FW_END_COMMANDS

namespace {

constexpr unsigned kIdUndo = 57643;
constexpr unsigned kIdCut = 57635;
constexpr unsigned kIdCopy = 57634;
constexpr unsigned kIdPaste = 57637;
constexpr unsigned kIdClear = 57632;
constexpr unsigned kIdFillDown = 32835;
constexpr unsigned kFontFlags = 0x40101;      // screen fonts, effects, TrueType only
constexpr unsigned kTickFontFlags = 257;      // screen fonts, effects

template <class Grid> Grid* Place(fw::DialogBuilder& b, fw::CDialog& dlg, int id)
{
    auto grid = std::make_unique<Grid>();
    Grid* raw = grid.get();
    grid->Create(fw::CRect(0, 0, 480, 240), &dlg, id);
    b.Custom(id, std::move(grid));
    return raw;
}

// The font dialog on a copy; the copy replaces the font on OK.
void ChooseFont(fw::LOGFONT& font, unsigned flags, const fw::CString& sample, fw::CWnd* parent)
{
    CZELFontDlg dlg(&font, flags, nullptr, parent);
    if (!sample.IsEmpty())
        dlg.m_strSample = sample;
    if (dlg.DoModal() == fw::IDOK)
        font = dlg.m_lf;
}

} // namespace

bool RunListGraphGridCommand(CListGraphGridBase* grid, unsigned id)
{
    if (!grid)
        return false;
    switch (id) {
    case kIdUndo: grid->Undo(); return true;
    case kIdCut: grid->CutSelection(); return true;
    case kIdCopy: grid->CopyToClipboard(); return true;
    case kIdPaste:
        if (grid->PasteFromClipboard())
            grid->RedrawPanes();
        return true;
    case kIdClear: grid->ClearSelectedCells(); return true;
    case kIdFillDown:
        grid->FillDown();
        grid->RedrawPanes();
        return true;
    default: return false;
    }
}

// --- labels -------------------------------------------------------------------------

bool CGraphListLabelDlg::OnGridCommand(unsigned id) { return RunListGraphGridCommand(m_grid, id); }

CGraphListLabelDlg::CGraphListLabelDlg(CGraphListObj& list, fw::CWnd* parent)
    : fw::CDialog(kTemplateId, parent), m_legendFont(list.m_legendFont), m_xTitleFont(list.m_xTitleFont),
      m_yTitleFont(list.m_yTitleFont), m_list(list)
{
}

void CGraphListLabelDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("ラベルの設定");
    m_grid = Place<CGraphListLabelGrid>(b, *this, kIdGrid);
    b.Row();
    b.Button(kIdLegendFont, "凡例フォント...");
    b.Button(kIdXTitleFont, "X軸フォント...");
    b.Button(kIdYTitleFont, "Y軸フォント...");
    b.OkCancel();
}

bool CGraphListLabelDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    m_grid->Table().LoadLabels(m_list);
    m_grid->Attach(m_grid->Table().GetRowCount());
    return true;
}

void CGraphListLabelDlg::OnOK()
{
    m_grid->Table().StoreLabels(m_list);
    m_list.m_legendFont = m_legendFont;
    m_list.m_xTitleFont = m_xTitleFont;
    m_list.m_yTitleFont = m_yTitleFont;
    EndDialog(fw::IDOK);
}

void CGraphListLabelDlg::OnLegendFont() { ChooseFont(m_legendFont, kFontFlags, {}, this); }
void CGraphListLabelDlg::OnXTitleFont() { ChooseFont(m_xTitleFont, kFontFlags, {}, this); }
void CGraphListLabelDlg::OnYTitleFont() { ChooseFont(m_yTitleFont, kFontFlags, {}, this); }

// --- scales -------------------------------------------------------------------------

bool CGraphListScaleDlg::OnGridCommand(unsigned id)
{
    const bool done = RunListGraphGridCommand(m_grid, id);
    // An undo shows the axis its snapshot was taken on.
    if (done && m_grid && (m_grid->Table().GetOffset() == 0 ? 0 : 1) != m_axis)
        SelectAxis(m_grid->Table().GetOffset() == 0 ? 0 : 1);
    return done;
}

CGraphListScaleDlg::CGraphListScaleDlg(CGraphListObj& list, fw::CWnd* parent)
    : fw::CDialog(kTemplateId, parent), m_xTickFont(list.m_xTickFont), m_yTickFont(list.m_yTickFont), m_list(list)
{
}

void CGraphListScaleDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("座標軸の設定");
    fw::CComboBox& axis = b.Combo(kIdAxis);
    axis.AddString("X軸");
    axis.AddString("Y軸");
    axis.SetCurSel(0);
    b.Button(kIdFont, "フォント...");
    b.Row();
    m_grid = Place<CScaleGrid>(b, *this, kIdGrid);
    b.OkCancel();
}

bool CGraphListScaleDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    // ON stored from this dialog is the mode that follows the document's
    // selection.
    m_grid->Table().SetAutoOnValue(2);
    m_grid->Table().LoadScales(m_list);
    m_grid->Attach(m_grid->Table().GetRowCount());
    SelectAxis(0);
    return true;
}

void CGraphListScaleDlg::SelectAxis(int index)
{
    m_axis = index == 0 ? 0 : 1;
    if (auto* combo = GetDlgItemAs<fw::CComboBox>(kIdAxis))
        combo->SetCurSel(m_axis);
    m_grid->ShowAxis(m_axis == 0 ? 'X' : 'Y');
}

void CGraphListScaleDlg::OnAxisChange()
{
    if (auto* combo = GetDlgItemAs<fw::CComboBox>(kIdAxis))
        SelectAxis(combo->GetCurSel());
}

void CGraphListScaleDlg::OnFont()
{
    ChooseFont(m_axis == 0 ? m_xTickFont : m_yTickFont, kTickFontFlags, "0123456789", this);
}

void CGraphListScaleDlg::OnOK()
{
    m_grid->Table().StoreScales(m_list);
    m_list.m_xTickFont = m_xTickFont;
    m_list.m_yTickFont = m_yTickFont;
    EndDialog(fw::IDOK);
}

// --- draw types ---------------------------------------------------------------------

CGraphListDrawTypeDlg::CGraphListDrawTypeDlg(CGraphListObj& list, fw::CWnd* parent)
    : fw::CDialog(kTemplateId, parent), m_list(list)
{
}

void CGraphListDrawTypeDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("作図方法の設定");
    m_grid = Place<CDrawTypeGrid>(b, *this, kIdGrid);
    b.OkCancel();
}

bool CGraphListDrawTypeDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    m_grid->Table().LoadDrawTypes(m_list);
    m_grid->Attach(m_grid->Table().GetRowCount());
    return true;
}

void CGraphListDrawTypeDlg::OnOK()
{
    m_grid->Table().StoreDrawTypes(m_list);
    EndDialog(fw::IDOK);
}
