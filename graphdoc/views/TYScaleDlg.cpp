#include "graphdoc/views/TYScaleDlg.h"

#include "framework/core/Format.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"

FW_IMPLEMENT_DYNAMIC(CTYScaleDlg, CScaleDlg)

FW_BEGIN_COMMANDS(CTYScaleDlg, CScaleDlg)
    FW_ON_BN_CLICKED(CTYScaleDlg::IDC_BEST_REFERENCE, &CTYScaleDlg::OnBestReference)
FW_END_COMMANDS

namespace {

const char* const kTimeFormats[] = {"y/m/d H:M:S", "y/m/d", "H:M:S", "m/d", "m/d H", "H:M"};
const char* const kUnits[] = {"(sec)", "(min)", "(hr)", "(day)"};

struct FieldRange {
    int id;
    int TimeScaleSettings::Fields::*field;
    int minimum;
    int maximum;
};

const FieldRange kFields[] = {
    {CTYScaleDlg::IDC_YEAR, &TimeScaleSettings::Fields::year, 1899, 9999},
    {CTYScaleDlg::IDC_MONTH, &TimeScaleSettings::Fields::month, 1, 12},
    {CTYScaleDlg::IDC_DAY, &TimeScaleSettings::Fields::day, 1, 31},
    {CTYScaleDlg::IDC_HOUR, &TimeScaleSettings::Fields::hour, 0, 23},
    {CTYScaleDlg::IDC_MINUTE, &TimeScaleSettings::Fields::minute, 0, 59},
    {CTYScaleDlg::IDC_SECOND, &TimeScaleSettings::Fields::second, 0, 59},
};

} // namespace

CTYScaleDlg::CTYScaleDlg(fw::CWnd* parent) : CScaleDlg(IDD, parent)
{
}

void CTYScaleDlg::LoadTimeScales(CKivGraphDraw& draw)
{
    m_pDraw = &draw;
    m_time.Load(draw);
    m_settings = m_time;
}

void CTYScaleDlg::StoreTimeScales(CKivGraphDraw& draw)
{
    static_cast<ScaleSettings&>(m_time) = m_settings;
    m_time.Store(draw);
}

void CTYScaleDlg::BuildControls(fw::DialogBuilder& b)
{
    CScaleDlg::BuildControls(b);
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "経過図（単位）");
    fw::CComboBox& unit = b.Combo(IDC_TIME_UNIT);
    for (const char* text : kUnits)
        unit.AddString(text);
    b.Row();
    b.Group("基準時刻");
    const char* const labels[] = {"年", "月", "日", "時", "分", "秒"};
    for (size_t i = 0; i < std::size(kFields); ++i) {
        b.Edit(kFields[i].id);
        b.Static(static_cast<int>(fw::IDC_STATIC), labels[i]);
    }
    b.Button(IDC_BEST_REFERENCE, "最適基準時刻");
    b.EndGroup();
}

bool CTYScaleDlg::OnInitDialog()
{
    if (auto* format = GetDlgItemAs<fw::CComboBox>(IDC_X_FORMAT))
        for (const char* text : kTimeFormats)
            format->AddString(text);
    return CScaleDlg::OnInitDialog();
}

void CTYScaleDlg::DoDataExchange(fw::CDataExchange* dx)
{
    CScaleDlg::DoDataExchange(dx);
    fw::DDX_CBIndex(dx, IDC_TIME_UNIT, m_time.timeUnit);
    for (const FieldRange& f : kFields) {
        int& value = m_time.reference.*f.field;
        fw::DDX_Text(dx, f.id, value);
        fw::DDV_MinMaxInt(dx, value, f.minimum, f.maximum);
    }
}

void CTYScaleDlg::OnBestReference()
{
    if (!m_pDraw || !m_time.TakeEarliestStart(*m_pDraw))
        return;
    for (const FieldRange& f : kFields)
        SetDlgItemText(f.id, fw::Format("%d", m_time.reference.*f.field));
}
