#pragma once

// The A/D setting of a project: samples per measurement, samples before
// the trigger, the sampling interval, the time unit durations are shown in,
// and the external sample clock. Profile section "ADSET"; stored with the
// measuring system in project files.

namespace fw {
class CArchive;
class CProfile;
}

class CADSetPrf {
public:
    static constexpr const char* kSection = "ADSET";
    static constexpr const char* kExtClkTag = "<EXT_CLK>";
    static constexpr unsigned kCaptionMs = 154;       // 155 s, 156 min, 157 h
    static constexpr unsigned kCaptionSamples = 837;

    enum Unit : int { unitMs = 0, unitS = 1, unitMin = 2, unitH = 3 };

    void WriteProfile(fw::CProfile& profile) const;
    // Missing or unreadable keys keep the current values.
    void ReadProfile(fw::CProfile& profile);

    bool IsEqual(const CADSetPrf& other) const;
    // Milliseconds per unit; a negative unit means UNIT; 1 with the
    // external clock (durations are then sample counts).
    double GetUnitFactor(int unit) const;
    // The caption string of durations; 0 for a UNIT outside 0-3.
    unsigned GetUnitCaptionId() const;
    double GetMeasureTime(int unit) const;
    double GetPreTriggerTime(int unit) const;
    double GetMeasureHours() const;

    void Serialize(fw::CArchive& ar);

    bool UsesExternalClock() const { return m_nExtClk > 0; }

    int m_nNum = 1001;       // "NUM"
    int m_nPreNum = 0;       // "PRENUM"
    double m_dClk = 1.0;     // "CLK", milliseconds
    int m_nUnit = unitS;     // "UNIT"
    int m_nExtClk = 0;       // "EXT_CLK"
};
