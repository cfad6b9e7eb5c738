// What the project tables show for each attribute of a box channel, and
// which attributes and values a channel accepts.

#include "instrument/system/BoxPropaty.h"

#include "framework/core/Format.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/CanUnitClass.h"
#include "instrument/system/DataPropaty.h"
#include "instrument/system/SystemTables.h"
#include "instrument/unit/KivUnit.h"

#include <cmath>
#include <cstdlib>

using systables::FormatCodeText;
using systables::kNoFormat;

namespace {

int ToIntOr(double value, int fallback)
{
    return std::isfinite(value) && std::fabs(value) < 2147483647.0 ? static_cast<int>(value) : fallback;
}

} // namespace

const char* CBoxPropaty::GetDisplayText(int attr, int ref, fw::CString& text) const
{
    const CKivMeter& meter = Meter();
    switch (attr) {
    case kAttrLowPass:
        meter.GetText(MeterChannelOf(ref, attr), attr, text);
        if (text == "0")
            text = "PASS(0)";
        return text.c_str();
    case kAttrSource:
    case kAttrAnalysisInput: {
        const int v = ToIntOr(GetChannelValue(ref, attr), 0);
        if (v == 0)
            return meter.GetText(MeterChannelOf(ref, attr), attr, text);
        return GetChannelName(v, text);
    }
    case kAttrDecimals:
        text = FormatCodeText(ToIntOr(GetChannelValue(ref, attr), kNoFormat));
        return text.c_str();
    case kAttrFilterKind: {
        const double v = GetChannelValue(ref, attr);
        text = v == HUGE_VAL ? fw::CString() : systables::FilterCaption(ToIntOr(v, -1));
        return text.c_str();
    }
    case kAttrOutputValue:
    case kAttrOutputLevel: {
        const int ch = MeterChannelOf(ref, attr);
        const int source = ToIntOr(meter.GetValue(ch, kAttrSource), 0);
        const bool plain = meter.GetValue(ch, kAttrAddSource1) == 0.0 && meter.GetValue(ch, kAttrAddSource2) == 0.0 &&
                           meter.GetValue(ch, kAttrAddSource3) == 0.0;
        if (source == 0 || !plain)
            return meter.GetText(ch, attr, text);
        const float x = static_cast<float>(meter.GetValue(ch, attr));
        const float s = static_cast<float>(meter.GetScaleFactor(source - 1));
        const float c = static_cast<float>(meter.GetValue(source - 1, kAttrCoefficient));
        text.Format("%g [%.0f]", x, x / (s * std::fabs(c)));
        return text.c_str();
    }
    case kAttrAddSource1:
    case kAttrAddSource2:
    case kAttrAddSource3: {
        const int ch = MeterChannelOf(ref, attr);
        const int v = ToIntOr(meter.GetValue(ch, attr), 0);
        if (v == 0)
            return meter.GetText(ch, attr, text);
        fw::CString name;
        GetChannelName(std::abs(v), name);
        text.Format("%c %s", v > 0 ? '+' : '-', name);
        return text.c_str();
    }
    case kAttrHighPass: {
        const double v = GetChannelValue(ref, attr);
        if (v == HUGE_VAL)
            text.Empty();
        else if (v == 0.0)
            text = "PASS";
        else
            text.Format("%.1f", v / 100.0);
        return text.c_str();
    }
    case CDataPropaty::kFormat:
        text = FormatCodeText(ToIntOr(GetChannelValue(ref, attr), kNoFormat));
        return text.c_str();
    case CDataPropaty::kTriggerLevel: {
        fw::CString value;
        GetChannelText(ref, attr, value);
        if (value.IsEmpty()) {
            text.Empty();
            return text.c_str();
        }
        fw::CString raw;
        meter.GetText(MeterChannelOf(ref, kAttrTriggerRaw), kAttrTriggerRaw, raw);
        text.Format("%s [%s]", value, raw);
        return text.c_str();
    }
    case kAttrFullScale:
    case kAttrHysteresis:
    case kAttrCrossLevel: {
        fw::CString value;
        GetChannelText(ref, attr, value);
        if (value.IsEmpty()) {
            text.Empty();
            return text.c_str();
        }
        const int rawAttr = attr == kAttrFullScale ? kAttrRawFullScale
                          : attr == kAttrHysteresis ? kAttrRawHysteresis : kAttrRawCrossLevel;
        fw::CString raw;
        meter.GetText(ref, rawAttr, raw);
        text.Format("%s [%s]", value, raw);
        return text.c_str();
    }
    default:
        break;
    }
    const bool dataText = (attr >= CDataPropaty::kName && attr <= CDataPropaty::kCapacity) ||
                          (attr >= CDataPropaty::kAlarm && attr <= CDataPropaty::kMonitor3);
    if (dataText)
        return GetChannelText(ref, attr, text);
    return meter.GetText(MeterChannelOf(ref, attr), attr, text);
}

bool CBoxPropaty::IsAttrEditable(int ref, int attr) const
{
    const CKivMeter& meter = Meter();
    switch (attr) {
    case CDataPropaty::kName:
    case CDataPropaty::kAlarm:
    case CDataPropaty::kAlarmUpper:
    case CDataPropaty::kAlarmLower:
    case CDataPropaty::kMonitor1:
    case CDataPropaty::kMonitor2:
    case CDataPropaty::kMonitor3:
    case kAttrFullScale:
    case kAttrHysteresis:
    case kAttrCrossLevel:
        return true;
    case CDataPropaty::kOffset:
    case CDataPropaty::kRatedOutput:
    case CDataPropaty::kCapacity:
    case CDataPropaty::kFormat:
    case CDataPropaty::kTriggerLevel: {
        const int ch = GetUnitChannel(Index(ref));
        if (IsCanVoiceGpsUnit(meter.FindUnitOfChannel(ch + 1)))
            return attr == CDataPropaty::kOffset && meter.IsAttrEditable(ch, kAttrBalance);
        const int type = ToIntOr(meter.GetValue(ch, kAttrUnitType), 0);
        if (type == 7) {
            if (ch % 8 == 7)
                return false;
            if (attr == CDataPropaty::kOffset)
                return meter.IsAttrEditable(ch, kAttrBalance);
        }
        if (type == 9 && ch % 8 >= 4)
            return false;
        return true;
    }
    default:
        break;
    }
    return meter.IsAttrEditable(MeterChannelOf(ref, attr), attr);
}

bool CBoxPropaty::IsValueAllowed(int ref, int attr, int value) const
{
    const CKivMeter& meter = Meter();
    switch (attr) {
    case CDataPropaty::kName:
    case CDataPropaty::kOffset:
    case CDataPropaty::kRatedOutput:
    case CDataPropaty::kCapacity:
    case CDataPropaty::kAlarmUpper:
    case CDataPropaty::kAlarmLower:
    case CDataPropaty::kMonitor1:
    case CDataPropaty::kMonitor2:
    case CDataPropaty::kMonitor3:
        return true;
    case CDataPropaty::kFormat:
        return meter.IsValueAllowed(MeterChannelOf(ref, kAttrDecimals), kAttrDecimals, value);
    case CDataPropaty::kTriggerLevel:
        return GetDataPropaty(Index(ref))->GetValue(CDataPropaty::kTriggerAccepted) == 1.0;
    case kAttrFullScale:
    case kAttrHysteresis:
    case kAttrCrossLevel: {
        const int rawAttr = attr == kAttrFullScale ? kAttrRawFullScale
                          : attr == kAttrHysteresis ? kAttrRawHysteresis : kAttrRawCrossLevel;
        return meter.IsValueAllowed(ref, rawAttr, value) && AnalysisArray(attr).GetAt(Index(ref)).flag == 1;
    }
    default:
        break;
    }
    return meter.IsValueAllowed(MeterChannelOf(ref, attr), attr, value);
}
