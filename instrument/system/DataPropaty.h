#pragma once

// The PC-side settings of one measuring channel of a box: offset, rated
// output and capacity of the transducer, the trigger level in engineering
// units with the control unit's acceptance of it, the alarm switch and
// limits, three monitor values, and the channel's data tank, which holds
// the name, display format and value count. Values are addressed by the
// data-property ids 1000-1013.

#include "framework/core/CString.h"
#include "framework/core/Object.h"

#include <cmath>
#include <cstdint>

class CDataTankObject;

class CDataPropaty : public fw::CObject {
    FW_DECLARE_DYNAMIC(CDataPropaty)
public:
    enum Id {
        kName = 1000,
        kOffset = 1001,
        kRatedOutput = 1002,
        kCapacity = 1003,
        kFormat = 1004,
        kValueCount = 1005,
        kTriggerLevel = 1006,
        kTriggerAccepted = 1007,
        kAlarm = 1008,
        kAlarmUpper = 1009,
        kAlarmLower = 1010,
        kMonitor1 = 1011,
        kMonitor2 = 1012,
        kMonitor3 = 1013,
    };
    static constexpr int kFirstId = kName;
    static constexpr int kLastId = kMonitor3;
    // Bytes of one channel's record in a project file.
    static constexpr size_t kArchiveBytes = 70;

    CDataPropaty() = default;

    virtual CDataTankObject* GetTank() const { return m_tank; }
    virtual double GetValue(int id) const;
    virtual const char* GetText(int id, fw::CString& text) const;
    virtual bool SetText(int id, const char* text);
    virtual bool SetValue(int id, double value);

    // The record without class name; the tank is not part of it.
    void Serialize(fw::CArchive& ar) override;

    void SetTank(CDataTankObject* tank) { m_tank = tank; }
    // (offset + x) * y into the current result of the channel's calculated
    // tank; HUGE_VAL there when that is not finite. Returns what was stored.
    double SetCurrentValue(double x, double y);

    // Alarm bits of a value: 0 with the switch off; 4 for a value that is
    // not finite; else 2 above a set upper limit, 1 below a set lower one.
    int CheckAlarm(double value) const;

private:
    // Ids kept in the tank need it; they are not called before the box sets it.
    CDataTankObject& Tank() const;

    double m_reserved = 1.0;
    double m_ratedOutput = HUGE_VAL;
    double m_capacity = HUGE_VAL;
    double m_offset = 0.0;
    bool m_triggerAccepted = false;
    double m_triggerLevel = HUGE_VAL;
    bool m_alarm = false;
    double m_alarmUpper = HUGE_VAL;
    double m_alarmLower = HUGE_VAL;
    float m_monitor[3] = {HUGE_VALF, HUGE_VALF, HUGE_VALF};
    CDataTankObject* m_tank = nullptr;  // not owned
};
