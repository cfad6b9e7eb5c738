#pragma once

// The spectrum of one channel: reads the channel's samples from its tank
// (a cache tank is read in blocks, never loaded whole), removes the trend,
// windows them, transforms and writes the one-sided spectrum into the
// graph's two result tanks and finds its peak.
//
// Working memory: the padded signal as doubles plus as much again for the
// transform; the tanks keep their own bounded windows.

#include "framework/core/CString.h"
#include "graphdoc/model/objects/FftMath.h"

#include <cstdint>

class CDataTankObject;
class CCacheFltDataTank;
class CTimeDataTank;

// The four choices that shape a spectrum (the rest of the settings name the
// source). Defaults as a new spectrum graph has them.
struct SpectrumChoices {
    int32_t shift = 1;
    int32_t window = 0;
    int32_t kind = 0;
    int32_t countMode = 1;
};

// Where the samples come from: the channel's tank and the sampling of its
// document.
struct SpectrumSource {
    CDataTankObject* tank = nullptr;
    double clockMs = 1.0;
    bool externalClock = false;
};

enum class SpectrumOutcome {
    computed,      // the tanks hold the new spectrum (possibly of 0 points)
    emptied,       // no spectrum is possible: counts 0, peak -1
    badClock,      // sampling interval 0, negative or not a number: counts 0, peak -1
    noMemory,      // the working memory could not be had: counts 0, peak -1
};

// The peak index (-1 without one) is written to `peak` in every outcome.
SpectrumOutcome ComputeChannelSpectrum(const SpectrumSource& source, const SpectrumChoices& choices,
                                       CCacheFltDataTank& result, CTimeDataTank& frequency, int32_t& peak);

// The spectrum tank's name and unit from the source channel: power "(u)"
// with a raised 2 in the charting engine's markup, dB "dB", amplitude u.
void UpdateSpectrumUnitText(CDataTankObject& source, int kind, CDataTankObject& result);

// Reads count values from start of any tank into dest (calculated tanks
// through their result tank, cache tanks in blocks); false when the tank
// holds fewer values.
bool ReadTankValues(CDataTankObject& tank, int start, int count, double* dest);

// The message shown when a document's sampling interval cannot time a spectrum.
inline constexpr const char* kTextSpectrumBadClock =
    "サンプルクロックが0以下のため、スペクトルを計算できません。";

// Takes over another graph's spectrum: name, unit, count and values of the
// spectrum tank (false when they cannot be read or stored).
bool CopySpectrumValues(CDataTankObject& from, CCacheFltDataTank& to);
