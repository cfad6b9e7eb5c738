#include "docview/instrumentdlg/ADSetDlg.h"

#include "framework/core/Format.h"
#include "framework/core/Numbers.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "instrument/meter/KivMeter.h"

#include <QComboBox>
#include <QLineEdit>

#include <cmath>
#include <cstdlib>

FW_IMPLEMENT_DYNAMIC(CADSetDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CADSetDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CADSetDlg::kIdCompute, &CADSetDlg::OnCompute)
    FW_ON_CBN_SELCHANGE(CADSetDlg::kIdTimeUnit, &CADSetDlg::OnTimeUnit)
    FW_ON_BN_CLICKED(CADSetDlg::kIdFromTime, &CADSetDlg::OnFromTime)
    FW_ON_EN_CHANGE(CADSetDlg::kIdMeasureTime, &CADSetDlg::OnEdited)
    FW_ON_EN_CHANGE(CADSetDlg::kIdPreTime, &CADSetDlg::OnEdited)
    FW_ON_EN_CHANGE(CADSetDlg::kIdDataCount, &CADSetDlg::OnEdited)
    FW_ON_EN_CHANGE(CADSetDlg::kIdPreCount, &CADSetDlg::OnEdited)
    FW_ON_EN_CHANGE(CADSetDlg::kIdClock, &CADSetDlg::OnEdited)
    FW_ON_CBN_SELCHANGE(CADSetDlg::kIdFrequency, &CADSetDlg::OnEdited)
    FW_ON_CONTROL_RANGE(::fw::BN_CLICKED, CADSetDlg::kIdExtOff, CADSetDlg::kIdExtFrom1ms, &CADSetDlg::OnExtSample)
FW_END_COMMANDS

namespace {

bool IsFrequencyClock(double clock)
{
    for (int f : CADSetDlg::kFrequencies) {
        if (clock == 1000.0 / f)
            return true;
    }
    return false;
}

bool HasFraction(double v)
{
    return v != std::floor(v);
}

// floor() that does not lose a whole step to the binary form of the
// product (0.3 * 10 is 2.9999... on some inputs).
double FloorSteps(double v)
{
    return std::floor(v + 1e-9);
}

} // namespace

CADSetDlg::CADSetDlg(CBoxArray* system, fw::CWnd* parent) : fw::CDialog(kTemplateId, parent), m_pSystem(system)
{
}

double CADSetDlg::UnitFactor(int unit)
{
    switch (unit) {
    case 0: return 1.0;
    case 1: return 1000.0;
    case 2: return 60000.0;
    case 3: return 3600000.0;
    default: return 1.0;
    }
}

double CADSetDlg::NormalizeClock(double clock)
{
    if (IsFrequencyClock(clock))
        return clock;
    if (clock < 1.0) {
        if (clock < kMinClock)
            return kMinClock;
        if (clock < 0.1)
            return FloorSteps(clock * 100.0) / 100.0;
        return FloorSteps(clock * 10.0) / 10.0;
    }
    if (clock > kMaxClock)
        return kMaxClock;
    return std::floor(clock);
}

void CADSetDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("A/D変換設定");
    b.Group("外部サンプル");
    b.Radio(kIdExtOff, "無効", true);
    b.Radio(kIdExtBelow1ms, "1ミリ秒未満");
    b.Radio(kIdExtFrom1ms, "1ミリ秒以上");
    b.EndGroup();
    b.Check(kIdFromTime, "計測時間から求める");
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "計測時間");
    b.Edit(kIdMeasureTime);
    fw::CComboBox& unit = b.Combo(kIdTimeUnit);
    for (const char* text : {"ミリ秒間", "秒間", "分間", "時間"})
        unit.AddString(text);
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "トリガ前時間");
    b.Edit(kIdPreTime);
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "サンプル周波数(Hz)");
    b.Combo(kIdFrequency, fw::CComboBox::Kind::dropDown);
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "データ数");
    b.Edit(kIdDataCount);
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "トリガ前データ数");
    b.Edit(kIdPreCount);
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "サンプルクロック(ミリ秒)");
    b.Edit(kIdClock);
    b.Button(kIdCompute, "計算");
    b.Row();
    b.Static(kIdSpeedNote, "");
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC),
             "最大データ数: 4ch以下 10,000,000 / 8ch以下 8,000,000 / 16ch以下 4,000,000 / "
             "32ch以下 2,000,000 / 64ch以下 1,000,000 / 80ch以下 800,000");
    b.OkCancel("OK", "キャンセル");
}

void CADSetDlg::Enable(int id, bool on)
{
    if (fw::CWnd* w = GetDlgItem(id))
        w->EnableWindow(on);
}

void CADSetDlg::UpdateEnable()
{
    for (int id : {kIdExtOff, kIdExtBelow1ms, kIdExtFrom1ms})
        Enable(id, true);
    if (m_nExtSample != 0) {
        for (int id : {kIdClock, kIdMeasureTime, kIdPreTime, kIdFromTime, kIdTimeUnit, kIdCompute})
            Enable(id, false);
        Enable(kIdDataCount, true);
        Enable(kIdPreCount, true);
        return;
    }
    for (int id : {kIdClock, kIdMeasureTime, kIdPreTime, kIdFromTime, kIdTimeUnit, kIdCompute})
        Enable(id, true);
    const bool pending = m_bChanged != 0;
    for (int id : {kIdExtOff, kIdExtBelow1ms, kIdExtFrom1ms})
        Enable(id, !pending);
    const bool fromTime = m_bFromTime != 0;
    for (int id : {kIdDataCount, kIdPreCount, kIdClock})
        Enable(id, !fromTime);
    for (int id : {kIdMeasureTime, kIdPreTime, kIdFrequency})
        Enable(id, fromTime);
    Enable(fw::IDOK, !pending);
    Enable(kIdCompute, pending);
}

void CADSetDlg::UpdateSpeedNote()
{
    fw::CString note;
    for (int n = 1; n <= 80; ++n) {
        if (SpeedClassOf(m_dClock, m_nExtSample, n) != 0) {
            note = m_nExtSample != 0 ? fw::LoadStringText(kMsgHighSpeedExternal)
                                     : fw::Format(fw::LoadStringText(kMsgHighSpeedChannels), n);
            break;
        }
    }
    SetDlgItemText(kIdSpeedNote, note);
}

void CADSetDlg::FillDialog()
{
    m_bFilling = true;
    UpdateData(false);
    m_bFilling = false;
}

bool CADSetDlg::OnInitDialog()
{
    UpdateEnable();
    m_dClock = NormalizeClock(m_dClock);
    if (m_nDataCount > kMaxDataCount)
        m_nDataCount = kMaxDataCount;
    if (auto* freq = GetDlgItemAs<fw::CComboBox>(kIdFrequency)) {
        if (freq->Combo()->lineEdit())
            freq->Combo()->lineEdit()->setReadOnly(true);
        m_bFilling = true;
        for (int f : kFrequencies)
            freq->AddString(fw::Format("%d", f));
        m_bFilling = false;
    }
    RecomputeDerived();
    FillDialog();
    UpdateSpeedNote();
    if (m_bNoCancel)
        Enable(fw::IDCANCEL, false);
    UpdateEnable();
    return true;
}

void CADSetDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_CBIndex(dx, kIdTimeUnit, m_nTimeUnit);
    fw::DDX_Text(dx, kIdMeasureTime, m_dMeasureTime);
    // The frequency travels as its "%g" text through the combo's edit.
    if (dx->m_bSaveAndValidate) {
        fw::CString text = GetDlgItemText(kIdFrequency);
        m_dFrequency = std::strtod(text.c_str(), nullptr);
    } else {
        SetDlgItemText(kIdFrequency, fw::Format("%g", m_dFrequency));
    }
    fw::DDX_Text(dx, kIdClock, m_dClock);
    fw::DDV_MinMaxDouble(dx, m_dClock, kMinClock, kMaxClock);
    // A blank pre-trigger time means no pre-trigger: kept as a negative time.
    if (dx->m_bSaveAndValidate) {
        fw::CString text = GetDlgItemText(kIdPreTime);
        text.Trim();
        if (text.IsEmpty()) {
            m_dPreTime = -(m_dClock / UnitFactor(m_nTimeUnit));
            if (!(m_dPreTime < 0.0))
                m_dPreTime = -1.0;
        } else {
            fw::DDX_Text(dx, kIdPreTime, m_dPreTime);
        }
    } else if (m_dPreTime < 0.0) {
        dx->PrepareEditCtrl(kIdPreTime);
        SetDlgItemText(kIdPreTime, "");
    } else {
        fw::DDX_Text(dx, kIdPreTime, m_dPreTime);
    }
    fw::DDX_Text(dx, kIdDataCount, m_nDataCount);
    fw::DDV_MinMaxInt(dx, m_nDataCount, 1, kMaxDataCount);
    fw::DDX_Text(dx, kIdPreCount, m_nPreCount);
    fw::DDV_MinMaxInt(dx, m_nPreCount, 0, m_nDataCount);
    int fromTime = m_bFromTime;
    fw::DDX_Check(dx, kIdFromTime, fromTime);
    m_bFromTime = fromTime;
    int ext = m_nExtSample;
    fw::DDX_Radio(dx, kIdExtOff, ext);
    m_nExtSample = ext;
}

bool CADSetDlg::ComputeFromTime()
{
    bool ok = true;
    const double factor = UnitFactor(m_nTimeUnit);
    const fw::CString freqText = GetDlgItemText(kIdFrequency);
    for (int f : kFrequencies) {
        if (freqText == fw::Format("%d", f)) {
            m_dClock = 1000.0 / f;
            break;
        }
    }
    const double count = std::ceil(factor * m_dMeasureTime / m_dClock + 1.0);
    if (count < 0.0 || count > kMaxDataCount) {
        fw::AfxMessageBox(kMsgDataCountRange, fw::MB_OK | fw::MB_ICONEXCLAMATION);
        m_nDataCount = count < 0.0 ? 1 : kMaxDataCount;
        ok = false;
    } else {
        m_nDataCount = static_cast<int32_t>(count);
    }
    if (m_dPreTime < 0.0) {
        m_nPreCount = 0;
    } else {
        const double pre = std::ceil(m_dPreTime * factor / m_dClock + 1.0);
        if (pre < 0.0 || pre > m_nDataCount) {
            fw::AfxMessageBox(kMsgPreCountRange, fw::MB_OK | fw::MB_ICONEXCLAMATION);
            m_nPreCount = pre < 0.0 ? 0 : m_nDataCount;
            ok = false;
        } else {
            m_nPreCount = static_cast<int32_t>(pre);
        }
    }
    return ok;
}

bool CADSetDlg::CheckEnteredClock()
{
    const double old = m_dClock;
    if (IsFrequencyClock(old) || !HasFraction(old))
        return true;
    double fixed = 0.0;
    if (old >= 1.0) {
        fixed = std::floor(old);
    } else {
        // Tenths of a millisecond, or hundredths when the tenths are 0.
        double multiplier = 10.0;
        double product = old * multiplier;
        if (HasFraction(product) && FloorSteps(product) == 0.0) {
            multiplier = 100.0;
            product = old * multiplier;
        }
        fixed = FloorSteps(product) / multiplier;
    }
    if (fw::Format("%f", old) != fw::Format("%f", fixed)) {
        fw::CString text = fw::Format(fw::LoadStringText(kMsgBadClock), old, fixed);
        fw::Prompt().MessageBox(text, fw::MB_OK | fw::MB_ICONEXCLAMATION, kMsgBadClock);
    }
    m_dClock = fixed;
    return fixed == old;
}

void CADSetDlg::RecomputeDerived()
{
    const double factor = UnitFactor(m_nTimeUnit);
    m_dFrequency = 1000.0 / m_dClock;
    m_dMeasureTime = m_dClock * (m_nDataCount - 1) / factor;
    m_dPreTime = m_dClock * (m_nPreCount - 1) / factor;
}

bool CADSetDlg::Compute()
{
    if (!UpdateData(true))
        return false;
    const bool ok = m_bFromTime ? ComputeFromTime() : CheckEnteredClock();
    RecomputeDerived();
    FillDialog();
    UpdateSpeedNote();
    m_bChanged = 0;
    UpdateEnable();
    return ok;
}

void CADSetDlg::OnOK()
{
    if (Compute())
        EndDialog(fw::IDOK);
}

void CADSetDlg::OnCompute()
{
    Compute();
}

void CADSetDlg::OnTimeUnit()
{
    Compute();
}

void CADSetDlg::OnFromTime()
{
    if (auto* check = GetDlgItemAs<fw::CButton>(kIdFromTime))
        m_bFromTime = check->GetCheck() == fw::BST_CHECKED ? 1 : 0;
    UpdateEnable();
}

void CADSetDlg::OnEdited()
{
    if (m_bFilling)
        return;
    m_bChanged = 1;
    UpdateEnable();
}

void CADSetDlg::OnExtSample(unsigned id)
{
    m_nExtSample = static_cast<int32_t>(id) - kIdExtOff;
    UpdateSpeedNote();
    UpdateEnable();
}
