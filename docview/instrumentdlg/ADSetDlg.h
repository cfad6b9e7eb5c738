#pragma once

// The A/D conversion settings of a project: samples per measurement,
// samples before the trigger, the sample clock and the external sample
// clock. The user enters either the counts and the clock, or a measurement
// time, a pre-trigger time and a sample frequency from which they are
// computed; every edit must be followed by a computation ("計算") before OK
// is possible.

#include "framework/ui/Dialog.h"

#include <array>
#include <cstdint>

class CBoxArray;

class CADSetDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CADSetDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 405;
    static constexpr int kIdTimeUnit = 1071;
    static constexpr int kIdMeasureTime = 1002;
    static constexpr int kIdPreTime = 1072;
    static constexpr int kIdDataCount = 1074;
    static constexpr int kIdPreCount = 1075;
    static constexpr int kIdFrequency = 1073;
    static constexpr int kIdClock = 1004;
    static constexpr int kIdFromTime = 1068;
    static constexpr int kIdCompute = 1083;
    static constexpr int kIdSpeedNote = 1435;
    static constexpr int kIdExtOff = 1417;
    static constexpr int kIdExtBelow1ms = 1418;
    static constexpr int kIdExtFrom1ms = 1419;

    static constexpr int32_t kMaxDataCount = 10000000;
    static constexpr double kMinClock = 0.01;
    static constexpr double kMaxClock = 32767.0;
    static constexpr std::array<int, 17> kFrequencies = {10,   20,    50,    100, 200,  500,  1000, 2000, 5000,
                                                          10000, 20000, 50000, 512, 1024, 2048, 4096, 8192};

    static constexpr unsigned kMsgBadClock = 416;
    static constexpr unsigned kMsgDataCountRange = 417;
    static constexpr unsigned kMsgPreCountRange = 418;
    static constexpr unsigned kMsgHighSpeedExternal = 860;
    static constexpr unsigned kMsgHighSpeedChannels = 861;

    CADSetDlg(CBoxArray* system, fw::CWnd* parent = nullptr);

    void SetSampleClock(double clockMs) { m_dClock = clockMs; }
    double GetSampleClock() const { return m_dClock; }

    // Milliseconds per time unit (0 ms, 1 s, 2 min, 3 h; others 1).
    static double UnitFactor(int unit);
    // The start-up form of a clock: a clock of one of the frequencies
    // stays, others are cut to what the control units can set.
    static double NormalizeClock(double clockMs);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnOK() override;

    // The computation step ("計算"): false when a value was refused or had
    // to be corrected.
    bool Compute();

    int32_t m_nTimeUnit = 1;
    double m_dMeasureTime = 0.0;
    double m_dPreTime = 0.0;  // negative: no pre-trigger (blank field)
    int32_t m_nDataCount = 0;
    int32_t m_nPreCount = 0;
    double m_dFrequency = 1.0;
    double m_dClock = 0.0;
    int32_t m_bFromTime = 0;
    int32_t m_bChanged = 0;
    CBoxArray* m_pSystem = nullptr;
    uint8_t m_bNoCancel = 0;
    int32_t m_nExtSample = 0;

private:
    void UpdateEnable();
    void UpdateSpeedNote();
    void RecomputeDerived();
    // Step of Compute for counts entered directly; false when the clock
    // was changed.
    bool CheckEnteredClock();
    bool ComputeFromTime();
    void FillDialog();
    void Enable(int id, bool on);

    void OnCompute();
    void OnTimeUnit();
    void OnFromTime();
    void OnEdited();
    void OnExtSample(unsigned id);

    bool m_bFilling = false;
};
