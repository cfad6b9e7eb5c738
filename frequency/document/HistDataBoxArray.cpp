#include "frequency/document/HistDataBoxArray.h"

#include "common/base/ValueFormat.h"
#include "common/base/ValueParse.h"
#include "common/calc/DataFormat.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "frequency/model/HistCountArray.h"
#include "frequency/model/HistStrings.h"
#include "frequency/model/HistTables.h"

#include <algorithm>
#include <cmath>

FW_IMPLEMENT_SERIAL(CHistDataBoxArray, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)

namespace {

constexpr int kFirstCalcChannel = 500;
constexpr int kMaxSettableFormat = 5;

const char* const kDisplayUnits[kHistUnitCount] = {
    "μStrain", "mm", "cm", "m", "℃", "F", "deg", "gf", "kgf", "tf", "N", "kN", "MN",
    "kg/mm\\super2\\super", "kPa", "MPa", "kgm", "mV", "V", "mA", "A", "Ω", "MΩ", "Hz", "G", "%",
    "rpm", "ppm", "Tor", "", "Nm", "###", "kΩ", "m/S\\super2\\super", "kg/cm\\super2\\super", "hPa", "μ",
    "N/mm\\super2\\super", "μA", "μV", "km/h",
};

const char* const kFilterKinds[] = {"ベッセル2次", "バタワース2次", "ベッセル8次", "バタワース8次"};

bool Finite(double v) { return std::isfinite(v); }

fw::CString Formatted(double value, int16_t format)
{
    fw::CString text;
    FormatDataValue(value, format, text);
    return text;
}

fw::CString TimeText(const tHistTime& t)
{
    const fw::CString pattern = HistString(histstr::kExtremeTime);
    return fw::Format(pattern.c_str(), t.field[0], t.field[1], t.field[2], t.field[3], t.field[4], t.field[5]);
}

bool IsCalculated(const CHistCountObj& h) { return h.m_inputChannel >= kFirstCalcChannel; }

bool IsThermocouple(const CHistCountObj& h) { return h.m_sensorMode >= 20 && h.m_sensorMode <= 22; }

fw::CString WithRaw(const fw::CString& text, int raw, bool showRaw)
{
    return showRaw ? fw::Format("%s [%d]", text.c_str(), raw) : text;
}

} // namespace

const char* HistDisplayUnitText(int index) { return index >= 0 && index < kHistUnitCount ? kDisplayUnits[index] : ""; }

fw::CString HistDisplayUnit(const CHistCountObj& h)
{
    return h.m_unitIndex == -1 ? h.m_unitText : fw::CString(HistDisplayUnitText(h.m_unitIndex));
}

CHistDataBoxArray::CHistDataBoxArray() = default;

CHistDataBoxArray::~CHistDataBoxArray() { delete m_array; }

bool CHistDataBoxArray::SetHistCountArray(CHistCountArray* array)
{
    if (array != m_array)
        delete m_array;
    m_array = array;
    m_count = static_cast<int16_t>(array ? std::min(array->GetSize(), 32767) : 0);
    return true;
}

CHistCountObj* CHistDataBoxArray::AnalysisAt(int row) const
{
    if (!m_array || row < 0 || row >= m_count || row >= m_array->GetSize())
        return nullptr;
    return m_array->GetAt(row);
}

bool CHistDataBoxArray::ShowsRaw() const { return m_array && m_array->m_mode != 'E'; }

void CHistDataBoxArray::GetText(int row, int column, fw::CString& text) const
{
    if (row < 0)
        fw::ThrowInvalidArgException();
    if (!m_array || row >= m_count || row >= m_array->GetSize())
        return;
    const CHistCountObj* p = m_array->GetAt(row);
    text.Empty();
    if (!p)
        return;
    const CHistCountObj& h = *p;
    const bool raw = ShowsRaw();
    const float sf = h.m_scaleFactor;
    switch (column) {
    case kHistColName: text = h.m_name; break;
    case kHistColUnit: text = HistDisplayUnit(h); break;
    case kHistColChannel: text = fw::Format("ch%d", h.m_inputChannel); break;
    case kHistColOperation: text = h.GetOperationText(); break;
    case kHistColFullScale: text = WithRaw(Formatted(h.m_fullScale, h.m_displayFormat), h.m_rawFullScale, raw); break;
    case kHistColHysteresis:
        text = raw ? fw::Format("%g [%d]", static_cast<double>(h.m_hysteresis), h.m_rawHysteresis)
                   : fw::Format("%g", static_cast<double>(h.m_hysteresis));
        break;
    case kHistColCrossOrSample:
        if (h.m_operation == kHistMaxMin)
            text = WithRaw(Formatted(h.m_crossLevel, h.m_displayFormat), h.m_rawCrossLevel, raw);
        else if (h.m_operation == kHistTime)
            text = fw::Format("%g[msec]", static_cast<double>(h.m_sampleTime));
        break;
    case kHistColPlusSlices: text = fw::Format("%u", static_cast<unsigned>(h.m_plusSlices)); break;
    case kHistColMinusSlices: text = fw::Format("%u", static_cast<unsigned>(h.m_minusSlices)); break;
    case kHistColPlusOver: text = fw::Format("%lu", static_cast<unsigned long>(h.m_plusOver)); break;
    case kHistColMinusOver: text = fw::Format("%lu", static_cast<unsigned long>(h.m_minusOver)); break;
    case kHistColRange:
        if (!IsCalculated(h))
            text = HistSensorModeText(h.m_sensorMode);
        break;
    case kHistColAttenuation:
        if (!IsCalculated(h))
            text = fw::Format("%d", h.m_attenuation);
        break;
    case kHistColFilter:
        if (!IsCalculated(h))
            text = h.m_filter == 0 ? fw::CString("PASS(0)") : fw::Format("%d", h.m_filter);
        break;
    case kHistColFilterKind:
        if (!IsCalculated(h) && h.m_filterKind >= 0 && h.m_filterKind < 4)
            text = kFilterKinds[h.m_filterKind];
        break;
    case kHistColHighPass:
        if (Finite(h.m_highPass))
            text = h.m_highPass == 0.0f ? fw::CString("PASS") : fw::Format("%.1f", static_cast<double>(h.m_highPass));
        break;
    case kHistColDmc: text = h.m_dmc == 0 ? "有効" : "無効"; break;
    case kHistColRjc:
        if (!IsCalculated(h) && IsThermocouple(h))
            text = h.m_rjc == 0 ? "RJC OFF" : "RJC ON";
        break;
    case kHistColCoefficient: text = fw::Format("%g", static_cast<double>(h.m_coefficient)); break;
    case kHistColRatedOutput:
        if (Finite(h.m_ratedOutput))
            text = fw::Format("%g", static_cast<double>(h.m_ratedOutput));
        break;
    case kHistColCapacity:
        if (Finite(h.m_capacity))
            text = fw::Format("%g", static_cast<double>(h.m_capacity));
        break;
    case kHistColFormat: text = MainFormatTable().GetFormatText(h.m_displayFormat); break;
    case kHistColMax:
        if (Finite(h.m_max))
            text = Formatted(static_cast<double>(sf) * h.m_max, h.m_displayFormat);
        break;
    case kHistColMaxTime:
        if (Finite(h.m_max))
            text = TimeText(h.m_maxTime);
        break;
    case kHistColMin:
        if (Finite(h.m_min))
            text = Formatted(static_cast<double>(sf) * h.m_min, h.m_displayFormat);
        break;
    case kHistColMinTime:
        if (Finite(h.m_min))
            text = TimeText(h.m_minTime);
        break;
    case kHistColAverage:
        if (Finite(h.m_average))
            text = Formatted(static_cast<double>(sf) * h.m_average, h.m_displayFormat);
        break;
    case kHistColMidRange:
        if (Finite(h.m_max) && Finite(h.m_min))
            text = Formatted((static_cast<double>(h.m_max) + h.m_min) * sf * 0.5, h.m_displayFormat);
        break;
    case kHistColComment: text = h.m_comment; break;
    default: break;
    }
}

double CHistDataBoxArray::GetValue(int row, int column) const
{
    const CHistCountObj* p = AnalysisAt(row);
    if (!p)
        return HUGE_VAL;
    const CHistCountObj& h = *p;
    const double sf = h.m_scaleFactor;
    switch (column) {
    case kHistColChannel: return h.m_inputChannel;
    case kHistColOperation: return h.m_operation;
    case kHistColFullScale: return h.m_fullScale;
    case kHistColHysteresis: return h.m_hysteresis;
    case kHistColCrossOrSample:
        if (h.m_operation == kHistMaxMin)
            return h.m_crossLevel;
        return h.m_operation == kHistTime ? h.m_sampleTime : HUGE_VAL;
    case kHistColPlusSlices: return h.m_plusSlices;
    case kHistColMinusSlices: return h.m_minusSlices;
    case kHistColPlusOver: return h.m_plusOver;
    case kHistColMinusOver: return h.m_minusOver;
    case kHistColRange: return h.m_sensorMode;
    case kHistColAttenuation: return h.m_attenuation;
    case kHistColFilter: return h.m_filter;
    case kHistColFilterKind: return h.m_filterKind;
    case kHistColHighPass: return h.m_highPass;
    case kHistColDmc: return h.m_dmc;
    case kHistColRjc: return IsThermocouple(h) ? h.m_rjc : HUGE_VAL;
    case kHistColCoefficient: return h.m_coefficient;
    case kHistColRatedOutput: return h.m_ratedOutput;
    case kHistColCapacity: return h.m_capacity;
    case kHistColFormat: return h.m_displayFormat;
    case kHistColMax: return Finite(h.m_max) ? sf * h.m_max : HUGE_VAL;
    case kHistColMin: return Finite(h.m_min) ? sf * h.m_min : HUGE_VAL;
    default: return HUGE_VAL;
    }
}

bool CHistDataBoxArray::SetValue(int row, int column, double value)
{
    if (row < 0)
        fw::ThrowInvalidArgException();
    CHistCountObj* h = AnalysisAt(row);
    if (!h || column != kHistColFormat || !(value >= 0.0 && value <= kMaxSettableFormat))
        return false;
    h->m_displayFormat = static_cast<int16_t>(value);
    return true;
}

bool CHistDataBoxArray::SetText(int row, int column, const fw::CString& text)
{
    double value = 0.0;
    if (column == kHistColFormat)
        value = MainFormatTable().FindFormatCode(text);
    else if (!TextToDouble(text.c_str(), &value))
        return false;
    return SetValue(row, column, value);
}

void CHistDataBoxArray::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteObject(m_array);
        return;
    }
    auto* array = static_cast<CHistCountArray*>(ar.ReadOwnedObject(FW_RUNTIME_CLASS(CHistCountArray)));
    SetHistCountArray(array);
}
