#include "instrument/system/DataPropaty.h"

#include "common/base/ValueParse.h"
#include "common/calc/CalcuDataTank.h"
#include "common/formula/DataCalcuOrder.h"
#include "common/tank/DataTankObject.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "instrument/system/SystemTables.h"

using systables::FindFormatCode;
using systables::FormatCodeText;

FW_IMPLEMENT_DYNAMIC(CDataPropaty, fw::CObject)

namespace {

fw::CString NumberText(double value)
{
    if (value == HUGE_VAL)
        return {};
    return fw::Format("%g", value);
}

bool ParseNumber(const fw::CString& text, double& value)
{
    return !text.IsEmpty() && TextToDouble(text.c_str(), &value);
}

} // namespace

CDataTankObject& CDataPropaty::Tank() const
{
    if (!m_tank)
        fw::ThrowInvalidArgException();
    return *m_tank;
}

double CDataPropaty::GetValue(int id) const
{
    switch (id) {
    case kOffset:
        return m_offset;
    case kRatedOutput:
        return m_ratedOutput;
    case kCapacity:
        return m_capacity;
    case kFormat:
        return Tank().GetFormat();
    case kValueCount:
        return Tank().GetDataCount();
    case kTriggerLevel:
        return m_triggerLevel;
    case kTriggerAccepted:
        return m_triggerAccepted ? 1.0 : 0.0;
    case kAlarm:
        return m_alarm ? 1.0 : 0.0;
    case kAlarmUpper:
        return m_alarmUpper;
    case kAlarmLower:
        return m_alarmLower;
    case kMonitor1:
    case kMonitor2:
    case kMonitor3:
        return m_monitor[id - kMonitor1];
    default:
        return HUGE_VAL;
    }
}

const char* CDataPropaty::GetText(int id, fw::CString& text) const
{
    switch (id) {
    case kName:
        text = Tank().GetName();
        break;
    case kOffset:
    case kRatedOutput:
    case kCapacity:
    case kTriggerLevel:
    case kAlarmUpper:
    case kAlarmLower:
    case kMonitor1:
    case kMonitor2:
    case kMonitor3:
        text = NumberText(GetValue(id));
        break;
    case kFormat:
        text = FormatCodeText(Tank().GetFormat());
        break;
    case kValueCount:
        text = fw::Format("%d", Tank().GetDataCount());
        break;
    case kAlarm:
        text = m_alarm ? "ON" : "OFF";
        break;
    default:
        text.Empty();
        break;
    }
    return text.c_str();
}

bool CDataPropaty::SetValue(int id, double value)
{
    switch (id) {
    case kName:
    case kValueCount:
        return true;
    case kOffset:
        if (value == HUGE_VAL)
            return false;
        m_offset = value;
        return true;
    case kRatedOutput:
    case kCapacity:
        if (value == 0.0)
            return false;
        (id == kRatedOutput ? m_ratedOutput : m_capacity) = value;
        return true;
    case kFormat:
        // A value that is no number has no 16-bit code to cut to.
        if (!std::isfinite(value))
            return false;
        Tank().SetFormat(static_cast<int16_t>(static_cast<int64_t>(value)));
        return true;
    case kTriggerLevel:
        m_triggerLevel = value;
        return true;
    case kAlarmUpper:
        m_alarmUpper = value;
        return true;
    case kAlarmLower:
        m_alarmLower = value;
        return true;
    case kTriggerAccepted:
        m_triggerAccepted = value != 0.0;
        return true;
    case kAlarm:
        m_alarm = value != 0.0;
        return true;
    case kMonitor1:
    case kMonitor2:
    case kMonitor3:
        m_monitor[id - kMonitor1] = static_cast<float>(value);
        return true;
    default:
        return false;
    }
}

bool CDataPropaty::SetText(int id, const char* text)
{
    fw::CString t(text ? text : "");
    double value = 0.0;
    switch (id) {
    case kName:
        Tank().SetName(t);
        return true;
    case kRatedOutput:
    case kCapacity:
        t.Trim();
        if (t.IsEmpty())
            return SetValue(id, HUGE_VAL);
        if (!ParseNumber(t, value))
            return true;
        return SetValue(id, value);
    case kFormat:
        return SetValue(id, FindFormatCode(t));
    case kAlarm:
        return SetValue(id, t == "ON" ? 1.0 : 0.0);
    default:
        if (!ParseNumber(t, value))
            return true;
        return SetValue(id, value);
    }
}

double CDataPropaty::SetCurrentValue(double x, double y)
{
    double value = (m_offset + x) * y;
    if (!std::isfinite(value))
        value = HUGE_VAL;
    if (auto* calc = dynamic_cast<CCalcuDataTank*>(m_tank)) {
        if (CDataCalcuOrder* order = calc->GetOrder())
            order->SetResult(value);
    }
    return value;
}

int CDataPropaty::CheckAlarm(double value) const
{
    if (!m_alarm)
        return 0;
    if (!std::isfinite(value))
        return 4;
    int bits = 0;
    if (m_alarmUpper != HUGE_VAL && value > m_alarmUpper)
        bits |= 2;
    if (m_alarmLower != HUGE_VAL && value < m_alarmLower)
        bits |= 1;
    return bits;
}

void CDataPropaty::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_reserved << m_offset << m_ratedOutput << m_capacity << m_triggerLevel;
        ar << static_cast<uint8_t>(m_triggerAccepted ? 1 : 0) << static_cast<uint8_t>(m_alarm ? 1 : 0);
        ar << m_alarmUpper << m_alarmLower << m_monitor[0] << m_monitor[1] << m_monitor[2];
        return;
    }
    uint8_t accepted = 0;
    uint8_t alarm = 0;
    ar >> m_reserved >> m_offset >> m_ratedOutput >> m_capacity >> m_triggerLevel;
    ar >> accepted >> alarm;
    ar >> m_alarmUpper >> m_alarmLower >> m_monitor[0] >> m_monitor[1] >> m_monitor[2];
    m_triggerAccepted = accepted != 0;
    m_alarm = alarm != 0;
}
