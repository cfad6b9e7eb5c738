#include "graphdoc/views/objects/PlotLineDlgs.h"

#include "chart/model/GrDraw.h"
#include "docview/controls/ColorPickers.h"
#include "docview/controls/LineListBox.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "graphdoc/model/GraphPrf.h"

FW_IMPLEMENT_DYNAMIC(CPlotLineDlgBase, fw::CDialog)
FW_IMPLEMENT_DYNAMIC(CLineSymbleDlg, CPlotLineDlgBase)
FW_IMPLEMENT_DYNAMIC(CBarLineDlg, CPlotLineDlgBase)

FW_BEGIN_COMMANDS(CPlotLineDlgBase, fw::CDialog)
    FW_ON_LBN_SELCHANGE(CPlotLineDlgBase::IDC_LINES, &CPlotLineDlgBase::OnSelectLine)
FW_END_COMMANDS

namespace {

constexpr int kPaletteColors = 16;
const char* const kWidthsBar[] = {"なし", "1ﾎﾟｲﾝﾄ", "2ﾎﾟｲﾝﾄ", "3ﾎﾟｲﾝﾄ"};
const char* const kWidthsLine[] = {"細線", "1ﾎﾟｲﾝﾄ", "2ﾎﾟｲﾝﾄ", "3ﾎﾟｲﾝﾄ"};

int IndexOfData(const fw::CComboBox& combo, uintptr_t data)
{
    for (int i = 0; i < combo.GetCount(); ++i)
        if (combo.GetItemData(i) == data)
            return i;
    return -1;
}

int ChosenIndex(const fw::CComboBox* combo)
{
    return combo ? std::max(combo->GetCurSel(), 0) : 0;
}

} // namespace

// --- the shared part -------------------------------------------------------------------

CPlotLineDlgBase::CPlotLineDlgBase(unsigned templateId, CGraphPrfList& list, fw::CWnd* parent)
    : fw::CDialog(templateId, parent), m_list(list)
{
}

CLineListBox* CPlotLineDlgBase::Lines() const
{
    return GetDlgItemAs<CLineListBox>(IDC_LINES);
}

CGraphPrf& CPlotLineDlgBase::Profile() const
{
    return *m_list.GetAt(m_nCurrent + 1);
}

void CPlotLineDlgBase::FillPalette(int id)
{
    auto* combo = GetDlgItemAs<CColorCmbBox>(id);
    for (int i = 0; i < kPaletteColors; ++i)
        combo->AddItemData(GrGetColor(i));
}

bool CPlotLineDlgBase::OnInitDialog()
{
    CLineListBox& lines = *Lines();
    lines.m_bNewLineFirst = 0;
    for (int i = 1; i < m_list.GetSize(); ++i)
        lines.AddString("");
    lines.SetCurSel(m_nCurrent);
    UpdateData(false);
    return true;
}

void CPlotLineDlgBase::OnSelectLine()
{
    const int previous = m_nCurrent;
    const int caret = Lines()->GetCurSel();
    if (caret < 0 || caret == previous)
        return;
    if (!UpdateData(true)) {
        Lines()->SetCurSel(previous);
        return;
    }
    m_nCurrent = caret;
    UpdateData(false);
}

// --- line and symbol -------------------------------------------------------------------

CLineSymbleDlg::CLineSymbleDlg(CGraphPrfList& list, fw::CWnd* parent) : CPlotLineDlgBase(IDD, list, parent)
{
}

void CLineSymbleDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("作図線の設定");
    b.Custom(IDC_LINES, std::make_unique<CLineListBox>());
    b.Group("線種");
    b.Custom(IDC_STYLE, std::make_unique<CLineCmbBox>());
    b.Combo(IDC_WIDTH);
    b.Custom(IDC_LINE_COLOR, std::make_unique<CColorCmbBox>());
    b.EndGroup();
    b.Group("マーク");
    b.Custom(IDC_SYMBOL, std::make_unique<CSymbolCmbbox>());
    b.Custom(IDC_SECOND_COLOR, std::make_unique<CColorCmbBox>());
    b.Static(static_cast<int>(fw::IDC_STATIC), "サイズ");
    b.Edit(IDC_SIZE);
    b.EndGroup();
    b.Row();
    b.Static(IDC_INTERVAL_LABEL, "表示間隔");
    b.Edit(IDC_INTERVAL);
    b.OkCancel("OK", "キャンセル");
}

bool CLineSymbleDlg::OnInitDialog()
{
    auto* style = GetDlgItemAs<CLineCmbBox>(IDC_STYLE);
    for (uint16_t pattern : kLineStylePatterns)
        style->AddItemData(pattern);
    auto* width = GetDlgItemAs<fw::CComboBox>(IDC_WIDTH);
    for (const char* text : kWidthsLine)
        width->AddString(text);
    auto* symbol = GetDlgItemAs<CSymbolCmbbox>(IDC_SYMBOL);
    for (int i = 0; i < kSymbols; ++i)
        symbol->AddItemData(static_cast<uintptr_t>(i));
    FillPalette(IDC_LINE_COLOR);
    FillPalette(IDC_SECOND_COLOR);
    if (!m_bShowInterval) {
        GetDlgItem(IDC_INTERVAL)->ShowWindow(fw::SW_HIDE);
        GetDlgItem(IDC_INTERVAL_LABEL)->ShowWindow(fw::SW_HIDE);
    }
    return CPlotLineDlgBase::OnInitDialog();
}

void CLineSymbleDlg::DoDataExchange(fw::CDataExchange* dx)
{
    if (m_nCurrent + 1 >= m_list.GetSize())
        return;
    CGraphPrf& p = Profile();
    auto* style = GetDlgItemAs<fw::CComboBox>(IDC_STYLE);
    auto* symbol = GetDlgItemAs<fw::CComboBox>(IDC_SYMBOL);
    auto* width = GetDlgItemAs<fw::CComboBox>(IDC_WIDTH);
    auto* lineColor = GetDlgItemAs<fw::CComboBox>(IDC_LINE_COLOR);
    auto* symbolColor = GetDlgItemAs<fw::CComboBox>(IDC_SECOND_COLOR);
    if (!dx->m_bSaveAndValidate) {
        symbol->SetCurSel(IndexOfData(*symbol, static_cast<uintptr_t>(p.m_symbol)));
        style->SetCurSel(IndexOfData(*style, static_cast<uint16_t>(p.m_lineStyle)));
        lineColor->SetCurSel(p.m_lineColor);
        symbolColor->SetCurSel(p.m_symbolColor);
        width->SetCurSel(p.m_lineWidthCopy);
    }
    fw::DDX_Text(dx, IDC_SIZE, p.m_size);
    fw::DDV_MinMaxShort(dx, p.m_size, kMinSize, kMaxSize);
    fw::DDX_Text(dx, IDC_INTERVAL, p.m_symbolInterval);
    fw::DDV_MinMaxShort(dx, p.m_symbolInterval, 1, kMaxInterval);
    if (!dx->m_bSaveAndValidate)
        return;
    p.m_symbol = static_cast<int16_t>(symbol->GetItemData(ChosenIndex(symbol)));
    p.m_symbolColor = p.m_fillColor = static_cast<int16_t>(ChosenIndex(symbolColor));
    p.m_lineStyle = static_cast<int16_t>(style->GetItemData(ChosenIndex(style)));
    p.m_lineColor = static_cast<int16_t>(ChosenIndex(lineColor));
    p.m_lineWidth = p.m_lineWidthCopy = static_cast<int16_t>(ChosenIndex(width));
}

// --- bars ------------------------------------------------------------------------------------

CBarLineDlg::CBarLineDlg(CGraphPrfList& list, fw::CWnd* parent) : CPlotLineDlgBase(IDD, list, parent)
{
}

void CBarLineDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("作図線の設定");
    b.Custom(IDC_LINES, std::make_unique<CLineListBox>());
    b.Group("線種");
    b.Combo(IDC_WIDTH);
    b.Custom(IDC_LINE_COLOR, std::make_unique<CColorCmbBox>());
    b.EndGroup();
    b.Group("塗りパターン");
    b.Custom(IDC_PATTERN, std::make_unique<CHatchBox>());
    b.Custom(IDC_SECOND_COLOR, std::make_unique<CColorCmbBox>());
    b.EndGroup();
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "サイズ");
    b.Edit(IDC_SIZE);
    b.OkCancel("OK", "キャンセル");
}

bool CBarLineDlg::OnInitDialog()
{
    auto* width = GetDlgItemAs<fw::CComboBox>(IDC_WIDTH);
    for (const char* text : kWidthsBar)
        width->AddString(text);
    auto* pattern = GetDlgItemAs<CHatchBox>(IDC_PATTERN);
    for (int i = 1; i <= kPatterns; ++i)
        pattern->AddHatch(static_cast<int16_t>(i));
    FillPalette(IDC_LINE_COLOR);
    FillPalette(IDC_SECOND_COLOR);
    return CPlotLineDlgBase::OnInitDialog();
}

void CBarLineDlg::DoDataExchange(fw::CDataExchange* dx)
{
    if (m_nCurrent + 1 >= m_list.GetSize())
        return;
    CGraphPrf& p = Profile();
    auto* width = GetDlgItemAs<fw::CComboBox>(IDC_WIDTH);
    auto* pattern = GetDlgItemAs<fw::CComboBox>(IDC_PATTERN);
    auto* lineColor = GetDlgItemAs<fw::CComboBox>(IDC_LINE_COLOR);
    auto* fillColor = GetDlgItemAs<fw::CComboBox>(IDC_SECOND_COLOR);
    if (!dx->m_bSaveAndValidate) {
        fillColor->SetCurSel(p.m_fillColor);
        lineColor->SetCurSel(p.m_lineColor);
        pattern->SetCurSel(p.m_fillPattern - 1);
        width->SetCurSel(p.m_lineWidthCopy);
    }
    fw::DDX_Text(dx, IDC_SIZE, p.m_size);
    fw::DDV_MinMaxShort(dx, p.m_size, kMinSize, kMaxSize);
    if (!dx->m_bSaveAndValidate)
        return;
    p.m_fillColor = static_cast<int16_t>(ChosenIndex(fillColor));
    p.m_lineColor = static_cast<int16_t>(ChosenIndex(lineColor));
    p.m_fillPattern = static_cast<int16_t>(ChosenIndex(pattern) + 1);
    p.m_lineWidth = p.m_lineWidthCopy = static_cast<int16_t>(ChosenIndex(width));
}
