#include "graphdoc/views/objects/RegressDlg.h"

#include "chart/model/GrDraw.h"
#include "chart/model/GraphSetting.h"
#include "chart/model/RegressionSettings.h"
#include "docview/controls/ColorPickers.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "graphdoc/model/objects/DrawRegressObj.h"

#include <algorithm>

FW_IMPLEMENT_DYNAMIC(CRegressDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CRegressDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CRegressDlg::IDC_LINE, &CRegressDlg::OnKindChange)
    FW_ON_BN_CLICKED(CRegressDlg::IDC_CURVE, &CRegressDlg::OnKindChange)
    FW_ON_BN_CLICKED(CRegressDlg::IDC_DELETE, &CRegressDlg::OnDelete)
FW_END_COMMANDS

CRegressDlg::CRegressDlg(CGraphViewDoc& page, fw::CWnd* parent) : fw::CDialog(IDD, parent), m_page(page)
{
    tRegressionSettings settings;
    CGraphSetting* draw = page.GetMainGraphDraw();
    if (draw && draw->GetRegression(settings)) {
        m_nKind = settings.degree == 1 ? 0 : 1;
        if (m_nKind == 1)
            m_nDegree = settings.degree;
        m_nDivisions = settings.curvePoints;
        m_bSquare = settings.square ? 1 : 0;
        m_bToLimits = settings.plotRange ? 1 : 0;
        m_nColor = settings.color;
        m_nWidth = std::clamp(settings.lineWidth - 1, 0, 2);
        CDrawRegressObj* formula = FindFormula();
        m_bShowFormula = formula ? 1 : 0;
        if (formula) {
            m_strLeft = formula->m_strYName;
            m_strRight = formula->m_strXName;
        }
    }
}

CDrawRegressObj* CRegressDlg::FindFormula() const
{
    return dynamic_cast<CDrawRegressObj*>(m_page.FindRegressObj());
}

void CRegressDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("回帰線の設定");
    b.Radio(IDC_LINE, "回帰直線", true);
    b.Radio(IDC_CURVE, "回帰曲線");
    b.Static(static_cast<int>(fw::IDC_STATIC), "多項式次数");
    b.Edit(IDC_DEGREE);
    b.Row();
    fw::CComboBox& width = b.Combo(IDC_WIDTH);
    for (const char* text : {"1ﾎﾟｲﾝﾄ", "2ﾎﾟｲﾝﾄ", "3ﾎﾟｲﾝﾄ"})
        width.AddString(text);
    m_pColors = &static_cast<CColorCmbBox&>(b.Custom(IDC_COLOR, std::make_unique<CColorCmbBox>()));
    b.Row();
    b.Check(IDC_TO_LIMITS, "軸極限まで作図");
    b.Check(IDC_SHOW_FORMULA, "数式を表示");
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "左辺");
    b.Edit(IDC_LEFT_NAME).LimitText(kMaxNameChars);
    b.Static(static_cast<int>(fw::IDC_STATIC), "右辺");
    b.Edit(IDC_RIGHT_NAME).LimitText(kMaxNameChars);
    b.Row();
    b.Check(IDC_SQUARE, "rの代わりにr＾2を表示");
    b.Static(static_cast<int>(fw::IDC_STATIC), "回帰式の分割数");
    b.Edit(IDC_DIVISIONS);
    b.Row();
    b.Edit(IDC_FORMULA).SetReadOnly(true);
    b.Row();
    b.Button(IDC_DELETE, "削除");
    b.OkCancel("OK", "キャンセル");
}

bool CRegressDlg::OnInitDialog()
{
    // Palette order: a list index is a palette index.
    if (m_pColors)
        for (int i = 0; i < kGrPaletteSize; ++i)
            m_pColors->AddItemData(GrGetColor(i));
    fw::CDialog::OnInitDialog();
    CGraphSetting* draw = m_page.GetMainGraphDraw();
    if (fw::CWnd* del = GetDlgItem(IDC_DELETE))
        del->EnableWindow(draw && draw->HasRegression());
    CDrawRegressObj* formula = FindFormula();
    SetDlgItemText(IDC_FORMULA, formula ? formula->GetFormulaText() : fw::CString("y=f(x)"));
    ShowDegree();
    return true;
}

void CRegressDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Radio(dx, IDC_LINE, m_nKind);
    fw::DDX_CBIndex(dx, IDC_WIDTH, m_nWidth);
    fw::DDX_CBIndex(dx, IDC_COLOR, m_nColor);
    fw::DDX_Check(dx, IDC_TO_LIMITS, m_bToLimits);
    fw::DDX_Check(dx, IDC_SHOW_FORMULA, m_bShowFormula);
    fw::DDX_Text(dx, IDC_LEFT_NAME, m_strLeft);
    fw::DDX_Text(dx, IDC_RIGHT_NAME, m_strRight);
    fw::DDX_Check(dx, IDC_SQUARE, m_bSquare);
    fw::DDX_Text(dx, IDC_DIVISIONS, m_nDivisions);
    fw::DDV_MinMaxInt(dx, m_nDivisions, 1, 1000);
    if (m_nKind == 1) {
        fw::DDX_Text(dx, IDC_DEGREE, m_nDegree);
        fw::DDV_MinMaxInt(dx, m_nDegree, 2, 9);
    } else {
        fw::DDX_Text(dx, IDC_DEGREE, m_nDegree);
    }
}

void CRegressDlg::ShowDegree()
{
    if (fw::CWnd* degree = GetDlgItem(IDC_DEGREE))
        degree->ShowWindow(m_nKind == 1 ? fw::SW_SHOW : fw::SW_HIDE);
}

void CRegressDlg::OnKindChange()
{
    auto* curve = GetDlgItemAs<fw::CButton>(IDC_CURVE);
    m_nKind = curve && curve->GetCheck() ? 1 : 0;
    if (m_nKind == 1 && m_nDegree == 0) {
        m_nDegree = 2;
        SetDlgItemText(IDC_DEGREE, "2");
    }
    ShowDegree();
}

void CRegressDlg::OnDelete()
{
    if (CGraphSetting* draw = m_page.GetMainGraphDraw())
        draw->DeleteRegression();
    EndDialog(kResultDeleted);
}

CDrawRegressObj* CRegressDlg::CreateFormula()
{
    auto* formula = new CDrawRegressObj(m_page.GetPageRect());
    m_page.AddObject(formula);
    formula->SetFormulaText(CDrawRegressObj::kTextPending, true);
    const int width = m_page.GetPageSize().cx;
    fw::CRect& r = formula->m_position;
    if (r.right > width)
        r.OffsetRect(width - r.right, 0);
    if (r.left < 0)
        r.OffsetRect(-r.left, 0);
    return formula;
}

void CRegressDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    CDrawRegressObj* formula = FindFormula();
    if (m_bShowFormula) {
        if (!formula)
            formula = CreateFormula();
        formula->SetFormulaText(CDrawRegressObj::kTextPending, true);
    }
    if (CGraphSetting* draw = m_page.GetMainGraphDraw()) {
        tRegressionSettings settings;
        settings.recompute = 1;
        settings.invalid = 0;
        settings.degree = static_cast<int16_t>(m_nKind == 0 ? 1 : m_nDegree);
        settings.curvePoints = static_cast<int16_t>(m_nDivisions);
        settings.square = static_cast<int16_t>(m_bSquare);
        settings.plotRange = static_cast<int16_t>(m_bToLimits);
        settings.color = static_cast<int16_t>(m_nColor);
        settings.lineWidth = static_cast<int16_t>(m_nWidth + 1);
        settings.lineHeight = 0;
        draw->SetRegression(settings);
    }
    if (formula) {
        formula->m_strYName = m_strLeft;
        formula->m_strXName = m_strRight;
    }
    EndDialog(fw::IDOK);
}
