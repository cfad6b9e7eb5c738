#include "graphdoc/views/ScaleDlg.h"

#include "chart/model/GrScaleRec.h"
#include "framework/core/Services.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "graphdoc/views/GraphFontChooser.h"

#include <QDialog>

FW_IMPLEMENT_DYNAMIC(CScaleDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CScaleDlg, fw::CDialog)
FW_ON_CBN_SELCHANGE(CScaleDlg::IDC_STYLE, &CScaleDlg::OnStyleChanged)
FW_ON_EN_USERCHANGE(CScaleDlg::IDC_X_MIN, &CScaleDlg::OnXChanged)
FW_ON_EN_USERCHANGE(CScaleDlg::IDC_X_MAX, &CScaleDlg::OnXChanged)
FW_ON_EN_USERCHANGE(CScaleDlg::IDC_X_STEP, &CScaleDlg::OnXChanged)
FW_ON_EN_USERCHANGE(CScaleDlg::IDC_X_SUB, &CScaleDlg::OnXChanged)
FW_ON_EN_USERCHANGE(CScaleDlg::IDC_Y_MIN, &CScaleDlg::OnYChanged)
FW_ON_EN_USERCHANGE(CScaleDlg::IDC_Y_MAX, &CScaleDlg::OnYChanged)
FW_ON_EN_USERCHANGE(CScaleDlg::IDC_Y_STEP, &CScaleDlg::OnYChanged)
FW_ON_EN_USERCHANGE(CScaleDlg::IDC_Y_SUB, &CScaleDlg::OnYChanged)
FW_ON_BN_CLICKED(CScaleDlg::IDC_X_FONT, &CScaleDlg::OnXFont)
FW_ON_BN_CLICKED(CScaleDlg::IDC_Y_FONT, &CScaleDlg::OnYFont)
FW_END_COMMANDS

namespace {

constexpr int kMaxSubdivisions = 30000;
const char* const kFormats[] = {"非表示", "FIX", "FLOT"};

} // namespace

CScaleDlg::CScaleDlg(fw::CWnd* parent) : fw::CDialog(IDD, parent)
{
}

CScaleDlg::CScaleDlg(unsigned templateId, fw::CWnd* parent) : fw::CDialog(templateId, parent)
{
}

void CScaleDlg::BuildControls(fw::DialogBuilder& b)
{
    b.Static(static_cast<int>(fw::IDC_STATIC), "グラフ様式");
    fw::CComboBox& style = b.Combo(IDC_STYLE);
    for (const char* item : {"X-Y", "Log-Log", "LogX-Y", "X-LogY"})
        style.AddString(item);
    b.Row();
    b.Group("X軸");
    b.Check(IDC_X_AUTO, "自動ｽｹｰﾙ");
    b.Static(static_cast<int>(fw::IDC_STATIC), "左端値：");
    b.Edit(IDC_X_MIN);
    b.Static(static_cast<int>(fw::IDC_STATIC), "右端値：");
    b.Edit(IDC_X_MAX);
    b.Static(static_cast<int>(fw::IDC_STATIC), "目盛間隔：");
    b.Edit(IDC_X_STEP);
    b.Static(static_cast<int>(fw::IDC_STATIC), "補助目盛間隔：目盛間隔／");
    b.Edit(IDC_X_SUB);
    b.Static(static_cast<int>(fw::IDC_STATIC), "目盛表示：");
    fw::CComboBox& xFormat = b.Combo(IDC_X_FORMAT);
    for (const char* item : kFormats)
        xFormat.AddString(item);
    b.Button(IDC_X_FONT, "X軸フォント");
    b.EndGroup();
    b.Row();
    b.Group("Y軸");
    b.Check(IDC_Y_AUTO, "自動ｽｹｰﾙ");
    b.Static(static_cast<int>(fw::IDC_STATIC), "下端値：");
    b.Edit(IDC_Y_MIN);
    b.Static(static_cast<int>(fw::IDC_STATIC), "上端値：");
    b.Edit(IDC_Y_MAX);
    b.Static(static_cast<int>(fw::IDC_STATIC), "目盛間隔：");
    b.Edit(IDC_Y_STEP);
    b.Static(static_cast<int>(fw::IDC_STATIC), "補助目盛間隔：目盛間隔／");
    b.Edit(IDC_Y_SUB);
    b.Static(static_cast<int>(fw::IDC_STATIC), "目盛表示：");
    fw::CComboBox& yFormat = b.Combo(IDC_Y_FORMAT);
    for (const char* item : kFormats)
        yFormat.AddString(item);
    b.Button(IDC_Y_FONT, "Y軸フォント");
    b.EndGroup();
    b.OkCancel();
}

void CScaleDlg::Show(int id, bool show)
{
    if (fw::CWnd* w = GetDlgItem(id))
        w->ShowWindow(show ? fw::SW_SHOW : fw::SW_HIDE);
}

bool CScaleDlg::OnInitDialog()
{
    if (QDialog* dialog = Dialog())
        dialog->setWindowTitle(QStringLiteral("座標軸の設定"));
    auto* style = GetDlgItemAs<fw::CComboBox>(IDC_STYLE);
    if (style && m_settings.graphType >= 31 && m_settings.graphType <= 34)
        style->EnableWindow(false);
    if (style && m_settings.TwoStyles()) {
        // Only "X-Y" and "X-LogY".
        style->DeleteString(2);
        style->DeleteString(1);
    }
    if (m_settings.autoScroll) {
        if (fw::CWnd* check = GetDlgItem(IDC_X_AUTO))
            check->EnableWindow(false);
        Show(IDC_X_MAX, false);
    }
    const bool result = fw::CDialog::OnInitDialog();
    ApplyStyleRule();
    return result;
}

void CScaleDlg::ApplyStyleRule()
{
    auto* style = GetDlgItemAs<fw::CComboBox>(IDC_STYLE);
    const int index = style ? style->GetCurSel() : m_settings.style;
    int type = index + 1;
    if (m_settings.TwoStyles() && type > 1)
        type = GrScaleRec::kLogY;
    const bool xLinear = type == GrScaleRec::kLinear || type == GrScaleRec::kLogY;
    const bool yLinear = type == GrScaleRec::kLinear || type == GrScaleRec::kLogX;
    Show(IDC_X_STEP, xLinear);
    Show(IDC_X_SUB, xLinear);
    Show(IDC_Y_STEP, yLinear);
    Show(IDC_Y_SUB, yLinear);
}

void CScaleDlg::OnStyleChanged()
{
    ApplyStyleRule();
}

void CScaleDlg::OnXChanged()
{
    if (m_settings.autoScroll)
        return;
    if (auto* check = GetDlgItemAs<fw::CButton>(IDC_X_AUTO))
        check->SetCheck(0);
}

void CScaleDlg::OnYChanged()
{
    if (auto* check = GetDlgItemAs<fw::CButton>(IDC_Y_AUTO))
        check->SetCheck(0);
}

void CScaleDlg::OnXFont()
{
    GraphFontChoice choice;
    choice.font = m_settings.x.font;
    choice.pointTenths = m_settings.x.font.lfHeight;
    choice.fromObject = true;
    if (GraphFontChooser().Choose(choice)) {
        m_settings.x.font = choice.font;
        m_settings.x.font.lfHeight = choice.pointTenths;
    }
}

void CScaleDlg::OnYFont()
{
    GraphFontChoice choice;
    choice.font = m_settings.y.font;
    choice.pointTenths = m_settings.y.font.lfHeight;
    choice.fromObject = true;
    if (GraphFontChooser().Choose(choice)) {
        m_settings.y.font = choice.font;
        m_settings.y.font.lfHeight = choice.pointTenths;
    }
}

void CScaleDlg::DoDataExchange(fw::CDataExchange* dx)
{
    ScaleSettings& s = m_settings;
    fw::DDX_CBIndex(dx, IDC_STYLE, s.style);
    fw::DDX_Check(dx, IDC_X_AUTO, s.x.autoScale);
    fw::DDX_Text(dx, IDC_X_MIN, s.x.minimum);
    if (dx->m_bSaveAndValidate && s.autoScroll && s.x.minimum <= 0.0) {
        fw::AfxMessageBox("0より大きい値を設定してください。", fw::MB_OK | fw::MB_ICONEXCLAMATION);
        dx->Fail();
    }
    if (!s.autoScroll)
        fw::DDX_Text(dx, IDC_X_MAX, s.x.maximum);
    fw::DDX_Text(dx, IDC_X_STEP, s.x.step);
    fw::DDX_Text(dx, IDC_X_SUB, s.x.subdivisions);
    fw::DDV_MinMaxInt(dx, s.x.subdivisions, 1, kMaxSubdivisions);
    fw::DDX_CBIndex(dx, IDC_X_FORMAT, s.x.labelFormat);
    fw::DDX_Check(dx, IDC_Y_AUTO, s.y.autoScale);
    fw::DDX_Text(dx, IDC_Y_MIN, s.y.minimum);
    fw::DDX_Text(dx, IDC_Y_MAX, s.y.maximum);
    fw::DDX_Text(dx, IDC_Y_STEP, s.y.step);
    fw::DDX_Text(dx, IDC_Y_SUB, s.y.subdivisions);
    fw::DDV_MinMaxInt(dx, s.y.subdivisions, 1, kMaxSubdivisions);
    fw::DDX_CBIndex(dx, IDC_Y_FORMAT, s.y.labelFormat);
}
