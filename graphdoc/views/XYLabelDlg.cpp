#include "graphdoc/views/XYLabelDlg.h"

#include "chart/model/KivGraphDraw.h"
#include "chart/model/PlotText.h"
#include "docview/controls/ZELRichEditCtrl.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "graphdoc/views/GraphFontChooser.h"

#include <QDialog>

FW_IMPLEMENT_DYNAMIC(CXYLabelDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CXYLabelDlg, fw::CDialog)
FW_ON_BN_CLICKED(CXYLabelDlg::IDC_X_AUTO, &CXYLabelDlg::OnAutoClicked)
FW_ON_BN_CLICKED(CXYLabelDlg::IDC_Y_AUTO, &CXYLabelDlg::OnAutoClicked)
FW_ON_BN_CLICKED(CXYLabelDlg::IDC_X_FONT, &CXYLabelDlg::OnXFont)
FW_ON_BN_CLICKED(CXYLabelDlg::IDC_Y_FONT, &CXYLabelDlg::OnYFont)
FW_END_COMMANDS

namespace {

void ReadTitle(const CKivGraphDraw& draw, int axis, fw::CString& title, fw::CString& unit, fw::LOGFONT& font)
{
    CPlotLabel* label = draw.GetAxisTitle(axis);
    if (!label)
        return;
    tTextAttributes attributes;
    int16_t side = 0;
    int colour = 0;
    label->GetLabel(title, unit, attributes, side, colour);
    font = attributes.font;
}

void ChooseFont(fw::LOGFONT& font)
{
    GraphFontChoice choice;
    choice.font = font;
    choice.pointTenths = font.lfHeight;
    choice.fromObject = true;
    if (GraphFontChooser().Choose(choice)) {
        font = choice.font;
        font.lfHeight = choice.pointTenths;
    }
}

} // namespace

CXYLabelDlg::CXYLabelDlg(fw::CWnd* parent) : fw::CDialog(IDD, parent)
{
}

void CXYLabelDlg::LoadLabels(const CKivGraphDraw& draw)
{
    ReadTitle(draw, 'X', m_xTitle, m_xUnit, m_xFont);
    ReadTitle(draw, 'Y', m_yTitle, m_yUnit, m_yFont);
    m_xAuto = draw.m_xTitleFromSeries ? 1 : 0;
    m_yAuto = draw.m_yTitleFromSeries ? 1 : 0;
}

void CXYLabelDlg::StoreLabels(CKivGraphDraw& draw) const
{
    for (int axis : {'X', 'Y'}) {
        if (CPlotLabel* label = draw.GetAxisTitle(axis)) {
            tTextAttributes attributes;
            label->GetTextAttributes(attributes);
            attributes.font = axis == 'X' ? m_xFont : m_yFont;
            label->SetTextAttributes(attributes);
        }
    }
    draw.m_xTitleFromSeries = m_xAuto ? 1 : 0;
    draw.m_yTitleFromSeries = m_yAuto ? 1 : 0;
    draw.SetAxisTitle('X', m_xTitle, m_xUnit);
    draw.SetAxisTitle('Y', m_yTitle, m_yUnit);
}

void CXYLabelDlg::BuildControls(fw::DialogBuilder& b)
{
    for (int axis : {0, 1}) {
        b.Group(axis == 0 ? "X軸" : "Y軸");
        b.Check(axis == 0 ? IDC_X_AUTO : IDC_Y_AUTO, "自動ラベル");
        b.Edit(axis == 0 ? IDC_X_TITLE : IDC_Y_TITLE);
        b.Static(static_cast<int>(fw::IDC_STATIC), "単位：");
        b.Custom(axis == 0 ? IDC_X_UNIT : IDC_Y_UNIT, std::make_unique<CZELRichEditCtrl>());
        b.Button(axis == 0 ? IDC_X_FONT : IDC_Y_FONT, "フォント");
        b.EndGroup();
        b.Row();
    }
    b.OkCancel();
}

bool CXYLabelDlg::OnInitDialog()
{
    if (QDialog* dialog = Dialog())
        dialog->setWindowTitle(QStringLiteral("座標軸ラベルの設定"));
    for (int id : {IDC_X_UNIT, IDC_Y_UNIT}) {
        if (auto* rich = GetDlgItemAs<CZELRichEditCtrl>(id))
            rich->SetMarkupMode(CZELRichEditCtrl::kMarkupMode);
    }
    const bool result = fw::CDialog::OnInitDialog();
    if (auto* rich = GetDlgItemAs<CZELRichEditCtrl>(IDC_X_UNIT))
        rich->SetMarkupWindowText(m_xUnit);
    if (auto* rich = GetDlgItemAs<CZELRichEditCtrl>(IDC_Y_UNIT))
        rich->SetMarkupWindowText(m_yUnit);
    ApplyEnableRule();
    return result;
}

void CXYLabelDlg::ApplyEnableRule()
{
    auto checked = [this](int id) {
        auto* check = GetDlgItemAs<fw::CButton>(id);
        return check && check->GetCheck() != 0;
    };
    const bool xAuto = checked(IDC_X_AUTO);
    const bool yAuto = checked(IDC_Y_AUTO);
    for (int id : {IDC_X_TITLE, IDC_X_UNIT}) {
        if (fw::CWnd* w = GetDlgItem(id))
            w->EnableWindow(!xAuto);
    }
    for (int id : {IDC_Y_TITLE, IDC_Y_UNIT}) {
        if (fw::CWnd* w = GetDlgItem(id))
            w->EnableWindow(!yAuto);
    }
}

void CXYLabelDlg::OnAutoClicked()
{
    ApplyEnableRule();
}

void CXYLabelDlg::OnXFont()
{
    ChooseFont(m_xFont);
}

void CXYLabelDlg::OnYFont()
{
    ChooseFont(m_yFont);
}

void CXYLabelDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Check(dx, IDC_X_AUTO, m_xAuto);
    fw::DDX_Check(dx, IDC_Y_AUTO, m_yAuto);
    fw::DDX_Text(dx, IDC_X_TITLE, m_xTitle);
    fw::DDX_Text(dx, IDC_Y_TITLE, m_yTitle);
    if (dx->m_bSaveAndValidate) {
        if (auto* rich = GetDlgItemAs<CZELRichEditCtrl>(IDC_X_UNIT))
            rich->GetMarkupText(m_xUnit);
        if (auto* rich = GetDlgItemAs<CZELRichEditCtrl>(IDC_Y_UNIT))
            rich->GetMarkupText(m_yUnit);
    }
}
