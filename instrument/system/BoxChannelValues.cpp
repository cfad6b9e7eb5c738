// Channel values and texts of a box by attribute code: where each attribute
// lives (control unit, channel data, frequency-analysis arrays) and the
// raw values derived from engineering values.

#include "instrument/system/BoxPropaty.h"

#include "common/base/ValueParse.h"
#include "common/tank/DataTankObject.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/DataPropaty.h"
#include "instrument/system/SystemTables.h"

#include <cmath>

using systables::FindFormatCode;

namespace {

bool ParseNumber(const fw::CString& text, double& value)
{
    return !text.IsEmpty() && TextToDouble(text.c_str(), &value);
}

fw::CString NumberText(double value)
{
    return value == HUGE_VAL ? fw::CString() : fw::Format("%g", value);
}

// "value [raw]" as the display texts show it: the part before the bracket.
fw::CString CutBracket(fw::CString text)
{
    const int p = text.Find('[');
    if (p > 0)
        text = text.Left(p - 1);
    return text;
}

int ToIntOr(double value, int fallback)
{
    return std::isfinite(value) && std::fabs(value) < 2147483647.0 ? static_cast<int>(value) : fallback;
}

} // namespace

// ------------------------------------------------------------- addressing

int CBoxPropaty::MeterChannelOf(int ref, int attr) const
{
    if (IsAnalysisCode(attr))
        return ref;
    return GetChannelRef(Index(ref)).ch;
}

bool CBoxPropaty::HasNoTransducer(int boxChannel) const
{
    const int mode = ToIntOr(Meter().GetValue(GetUnitChannel(boxChannel), kAttrSensorMode), 0);
    return mode >= 20 && mode <= 22;
}

fw::CArray<FLG_VALUE>& CBoxPropaty::AnalysisArray(int attr)
{
    switch (attr) {
    case kAttrFullScale:
    case kAttrFullScaleOk:
        return m_fullScale;
    case kAttrHysteresis:
    case kAttrHysteresisOk:
        return m_hysteresis;
    case kAttrCrossLevel:
    case kAttrCrossLevelOk:
        return m_crossLevel;
    default:
        fw::ThrowInvalidArgException();
    }
}

const fw::CArray<FLG_VALUE>& CBoxPropaty::AnalysisArray(int attr) const
{
    return const_cast<CBoxPropaty*>(this)->AnalysisArray(attr);
}

const FLG_VALUE& CBoxPropaty::GetAnalysisEntry(int code, int analysis) const
{
    return AnalysisArray(code).GetAt(analysis);
}

// ------------------------------------------------------------ conversion

double CBoxPropaty::ToRawValue(int boxChannel, double x, bool withOffset, bool absolute) const
{
    const int ch = GetUnitChannel(boxChannel);
    const double k = Meter().GetScaleFactor(ch) * Meter().GetValue(ch, kAttrCoefficient);
    // An unset or zero coefficient has no raw equivalent.
    if (x == HUGE_VAL || !std::isfinite(k) || k == 0.0)
        return HUGE_VAL;
    if (withOffset)
        return x / k - GetDataPropaty(boxChannel)->GetValue(CDataPropaty::kOffset);
    return x / (absolute ? std::fabs(k) : k);
}

double CBoxPropaty::ToEngValue(int boxChannel, double raw, bool withOffset) const
{
    const int ch = GetUnitChannel(boxChannel);
    const double k = Meter().GetScaleFactor(ch) * Meter().GetValue(ch, kAttrCoefficient);
    if (raw == HUGE_VAL || !std::isfinite(k))
        return HUGE_VAL;
    if (withOffset)
        return k * (raw + GetDataPropaty(boxChannel)->GetValue(CDataPropaty::kOffset));
    return raw * std::fabs(k);
}

// ----------------------------------------------------------------- reading

double CBoxPropaty::GetChannelValue(int ref, int attr) const
{
    if (IsAnalysisCode(attr))
        return Meter().GetValue(ref, attr);
    switch (attr) {
    case kAttrFullScale:
    case kAttrHysteresis:
    case kAttrCrossLevel:
        return AnalysisArray(attr).GetAt(Index(ref)).value;
    case kAttrFullScaleOk:
    case kAttrHysteresisOk:
    case kAttrCrossLevelOk:
        return AnalysisArray(attr).GetAt(Index(ref)).flag ? 1.0 : 0.0;
    case CDataPropaty::kRatedOutput:
    case CDataPropaty::kCapacity:
        if (HasNoTransducer(Index(ref)))
            return HUGE_VAL;
        break;
    default:
        break;
    }
    if (attr >= CDataPropaty::kFirstId)
        return GetDataPropaty(Index(ref))->GetValue(attr);
    return Meter().GetValue(MeterChannelOf(ref, attr), attr);
}

const char* CBoxPropaty::GetChannelText(int ref, int attr, fw::CString& text) const
{
    switch (attr) {
    case kAttrHighPass: {
        const double v = GetChannelValue(ref, attr);
        text = v == HUGE_VAL ? fw::CString() : fw::Format("%.1f", v / 100.0);
        return text.c_str();
    }
    case CDataPropaty::kRatedOutput:
    case CDataPropaty::kCapacity:
    case kAttrFullScale:
    case kAttrHysteresis:
    case kAttrCrossLevel:
        text = NumberText(GetChannelValue(ref, attr));
        return text.c_str();
    case kAttrFullScaleOk:
    case kAttrHysteresisOk:
    case kAttrCrossLevelOk:
        // Flags of analysis numbers, which no channel data stands behind.
        text.Empty();
        return text.c_str();
    default:
        break;
    }
    if (attr >= CDataPropaty::kFirstId)
        return GetDataPropaty(Index(ref))->GetText(attr, text);
    return Meter().GetText(MeterChannelOf(ref, attr), attr, text);
}

const char* CBoxPropaty::GetChannelName(int number, fw::CString& text) const
{
    const int boxChannel = FindBoxChannel(number);
    const CDataPropaty* prop = boxChannel >= 0 ? GetDataPropaty(boxChannel) : nullptr;
    if (prop && prop->GetTank())
        return prop->GetText(CDataPropaty::kName, text);
    text.Format("ch%d", number);
    return text.c_str();
}

// ----------------------------------------------------------------- writing

bool CBoxPropaty::SetUnitValue(int ref, int attr, double value)
{
    return Meter().SetValue(MeterChannelOf(ref, attr), attr, value, true);
}

bool CBoxPropaty::SetUnitText(int ref, int attr, const char* text)
{
    return Meter().SetText(MeterChannelOf(ref, attr), attr, text, true);
}

bool CBoxPropaty::SetAnalysisValue(int ref, int attr, double value)
{
    const int u = Index(ref);
    const int rawAttr = attr == kAttrFullScale ? kAttrRawFullScale
                      : attr == kAttrHysteresis ? kAttrRawHysteresis : kAttrRawCrossLevel;
    if (attr != kAttrCrossLevel && value < 0.0)
        return false;
    AnalysisArray(attr).ElementAt(u).value = value;
    double engineering = value;
    if (attr == kAttrHysteresis)
        engineering = value * 0.01 * m_fullScale.GetAt(u).value;
    const int source = FindBoxChannel(ToIntOr(Meter().GetValue(ref, kAttrAnalysisInput), 0));
    const double raw = source >= 0 ? ToRawValue(source, engineering, attr == kAttrCrossLevel, true) : engineering;
    const bool accepted = Meter().SetValue(ref, rawAttr, raw, true);
    SetChannelValue(ref, attr + 1, accepted ? 1.0 : 0.0);
    if (attr == kAttrFullScale && accepted)
        SetChannelValue(ref, kAttrHysteresis, m_hysteresis.GetAt(u).value);
    return true;
}

bool CBoxPropaty::SetChannelValue(int ref, int attr, double value)
{
    const int bc = Index(ref);
    switch (attr) {
    case kAttrSensorMode:
    case kAttrAttenuation:
    case kAttrCoefficient:
        if (!SetUnitValue(ref, attr, value))
            return false;
        RecalcChannelTank(bc);
        return true;
    case kAttrDataCount:
    case CDataPropaty::kValueCount:
        if (!SetUnitValue(ref, kAttrDataCount, value))
            return false;
        return GetDataPropaty(bc)->SetValue(CDataPropaty::kValueCount, value);
    case kAttrTriggerOffset:
        if (!SetUnitValue(ref, attr, value))
            return false;
        return SetChannelValue(ref, CDataPropaty::kTriggerLevel,
                               GetDataPropaty(bc)->GetValue(CDataPropaty::kTriggerLevel));
    case kAttrAnalysisInput:
        if (!SetUnitValue(ref, attr, value))
            return false;
        // The raw values follow the new source channel's scaling.
        SetChannelValue(ref, kAttrFullScale, m_fullScale.GetAt(bc).value);
        SetChannelValue(ref, kAttrHysteresis, m_hysteresis.GetAt(bc).value);
        SetChannelValue(ref, kAttrCrossLevel, m_crossLevel.GetAt(bc).value);
        return true;
    case CDataPropaty::kOffset: {
        const int ch = GetUnitChannel(bc);
        const int type = ToIntOr(Meter().GetValue(ch, kAttrUnitType), 0);
        if ((type == 9 && ch % 8 >= 4) || (type == 7 && ch % 8 == 7))
            return false;
        if (!GetDataPropaty(bc)->SetValue(attr, value))
            return false;
        RecalcChannelTank(bc);
        return true;
    }
    case CDataPropaty::kRatedOutput:
    case CDataPropaty::kCapacity:
        if (HasNoTransducer(bc))
            return false;
        if (!SetUnitValue(ref, attr == CDataPropaty::kRatedOutput ? kAttrRatedOutput : kAttrCapacity, value))
            return false;
        return GetDataPropaty(bc)->SetValue(attr, value);
    case CDataPropaty::kFormat:
        if (!SetUnitValue(ref, kAttrDecimals, value))
            return false;
        return GetDataPropaty(bc)->SetValue(attr, value);
    case CDataPropaty::kTriggerLevel: {
        if (!IsAttrEditable(ref, attr))
            return false;
        CDataPropaty* prop = GetDataPropaty(bc);
        prop->SetValue(attr, value);
        const bool withOffset = Meter().GetValue(GetUnitChannel(bc), kAttrTriggerOffset) != 0.0;
        const bool accepted = SetUnitValue(ref, kAttrTriggerRaw, ToRawValue(bc, value, withOffset, true));
        prop->SetValue(CDataPropaty::kTriggerAccepted, accepted ? 1.0 : 0.0);
        return true;
    }
    case kAttrFullScale:
    case kAttrHysteresis:
    case kAttrCrossLevel:
        return SetAnalysisValue(ref, attr, value);
    case kAttrFullScaleOk:
    case kAttrHysteresisOk:
    case kAttrCrossLevelOk:
        AnalysisArray(attr).ElementAt(bc).flag = value != 0.0 ? 1 : 0;
        return true;
    default:
        break;
    }
    if (attr >= CDataPropaty::kFirstId)
        return GetDataPropaty(bc)->SetValue(attr, value);
    return SetUnitValue(ref, attr, value);
}

bool CBoxPropaty::SetRatedOrCapacityText(int ref, int attr, const fw::CString& text)
{
    const int bc = Index(ref);
    CDataPropaty* prop = GetDataPropaty(bc);
    const double remembered = prop->GetValue(attr);
    double value = HUGE_VAL;
    if (!text.IsEmpty() && !ParseNumber(text, value))
        return false;
    if (!SetChannelValue(ref, attr, value))
        return false;
    const double rated = GetChannelValue(ref, CDataPropaty::kRatedOutput);
    const double capacity = GetChannelValue(ref, CDataPropaty::kCapacity);
    if (rated == HUGE_VAL || capacity == HUGE_VAL)
        return true;
    if (SetChannelValue(ref, kAttrCoefficient, capacity / rated))
        return true;
    // The pair must not stay with a coefficient the unit refused.
    if (!SetChannelValue(ref, attr, remembered))
        prop->SetValue(attr, remembered);
    return false;
}

bool CBoxPropaty::SetChannelText(int ref, int attr, const char* rawText)
{
    const fw::CString original(rawText ? rawText : "");
    fw::CString text = original;
    double value = 0.0;
    const int bc = Index(ref);
    switch (attr) {
    case kAttrLowPass:
        if (text == "PASS(0)")
            return SetChannelValue(ref, attr, 0.0);
        return SetUnitText(ref, attr, text.c_str());
    case kAttrSensorMode:
        if (!SetUnitText(ref, attr, text.c_str()))
            return false;
        RecalcChannelTank(bc);
        return true;
    case kAttrClock:
    case kAttrCoefficient:
        if (text.IsEmpty())
            return false;
        if (ParseNumber(text, value) && !SetChannelValue(ref, attr, value))
            return false;
        SetChannelValue(ref, CDataPropaty::kRatedOutput, HUGE_VAL);
        SetChannelValue(ref, CDataPropaty::kCapacity, HUGE_VAL);
        return true;
    case kAttrDataCount:
    case CDataPropaty::kValueCount:
        if (!SetUnitText(ref, kAttrDataCount, text.c_str()))
            return false;
        return GetDataPropaty(bc)->SetText(CDataPropaty::kValueCount, text.c_str());
    case kAttrTriggerOffset:
        if (!SetUnitText(ref, attr, text.c_str()))
            return false;
        return SetChannelValue(ref, CDataPropaty::kTriggerLevel,
                               GetDataPropaty(bc)->GetValue(CDataPropaty::kTriggerLevel));
    case kAttrUnitText: {
        if (!SetUnitText(ref, attr, text.c_str()))
            return false;
        if (CDataTankObject* tank = GetChannelTank(bc))
            tank->SetUnit(text == " " ? fw::CString() : text);
        return true;
    }
    case kAttrFilterKind: {
        const int position = systables::FindFilterCaption(text);
        if (position >= 0)
            return SetChannelValue(ref, attr, position);
        return SetUnitText(ref, attr, text.c_str());
    }
    case kAttrOutputValue:
    case kAttrOutputLevel:
    case CDataPropaty::kTriggerLevel:
    case CDataPropaty::kAlarmUpper:
    case CDataPropaty::kAlarmLower:
        text.Trim();
        if (text.IsEmpty())
            return SetChannelValue(ref, attr, attr == kAttrOutputValue ? 0.0 : HUGE_VAL);
        return ParseNumber(CutBracket(text), value) && SetChannelValue(ref, attr, value);
    case kAttrHighPass:
        if (text == "PASS")
            return SetChannelValue(ref, attr, 0.0);
        if (text.IsEmpty())
            return false;
        if (ParseNumber(text, value))
            return SetChannelValue(ref, attr, value * 100.0);
        return SetUnitText(ref, attr, text.c_str());
    case CDataPropaty::kOffset:
        if (text.IsEmpty())
            return SetChannelValue(ref, attr, HUGE_VAL);
        return ParseNumber(text, value) && SetChannelValue(ref, attr, value);
    case CDataPropaty::kRatedOutput:
    case CDataPropaty::kCapacity:
        return SetRatedOrCapacityText(ref, attr, text);
    case CDataPropaty::kFormat:
        return SetChannelValue(ref, attr, FindFormatCode(text));
    case CDataPropaty::kMonitor1:
    case CDataPropaty::kMonitor2:
    case CDataPropaty::kMonitor3:
        text.Trim();
        if (text.IsEmpty())
            return SetChannelValue(ref, attr, HUGE_VAL);
        return ParseNumber(text, value) && SetChannelValue(ref, attr, value);
    case kAttrFullScale:
    case kAttrHysteresis:
    case kAttrCrossLevel:
        text.Trim();
        if (text.IsEmpty())
            return false;
        return ParseNumber(CutBracket(text), value) && SetChannelValue(ref, attr, value);
    case kAttrFullScaleOk:
    case kAttrHysteresisOk:
    case kAttrCrossLevelOk:
        return ParseNumber(text, value) && SetChannelValue(ref, attr, value);
    default:
        break;
    }
    if (attr >= CDataPropaty::kFirstId && !IsBoxAnalysisCode(attr))
        return GetDataPropaty(bc)->SetText(attr, original.c_str());
    return SetUnitText(ref, attr, original.c_str());
}

// -------------------------------------------------------- re-derivations

void CBoxPropaty::RecalcChannelTank(int boxChannel)
{
    if (!m_recalc)
        return;
    SetChannelValue(boxChannel, CDataPropaty::kTriggerLevel,
                    GetDataPropaty(boxChannel)->GetValue(CDataPropaty::kTriggerLevel));
    const int number = GetUnitChannel(boxChannel) + 1;
    for (int u = 0; u < kAnalyses; ++u) {
        if (ToIntOr(Meter().GetValue(u, kAttrAnalysisInput), 0) != number)
            continue;
        SetChannelValue(u, kAttrFullScale, m_fullScale.GetAt(u).value);
        SetChannelValue(u, kAttrHysteresis, m_hysteresis.GetAt(u).value);
        SetChannelValue(u, kAttrCrossLevel, m_crossLevel.GetAt(u).value);
    }
}

bool CBoxPropaty::ResetOffsetIfNoBalance(int boxChannel)
{
    if (Meter().IsAttrEditable(GetUnitChannel(boxChannel), kAttrBalance))
        return true;
    return SetChannelValue(boxChannel, CDataPropaty::kOffset, 0.0);
}
