#pragma once

// One control unit of a measuring system: the control unit with a working
// copy, the numbering of its channels in box order (measuring channels
// first, then outputs), one CDataPropaty per measuring channel, the
// engineering values of its 80 frequency analyses, and the lists of the
// files it recorded. Every channel setting the project tables read or write
// for this control unit passes through here, which keeps the PC-side
// engineering values and the control unit's raw values in step.
//
// Sources: BoxPropaty.cpp (the box as a whole), BoxChannelValues.cpp
// (values and texts by attribute), BoxChannelTexts.cpp (display texts and
// editability), BoxSamples.cpp (read-back and storing samples).

#include "common/tank/BoxChannel.h"
#include "framework/core/Collections.h"
#include "framework/core/CString.h"
#include "framework/core/Object.h"
#include "instrument/meter/Kiv406FileInfo.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class CDataPropaty;
class CDataTankObject;
class CKivMeter;

// A frequency-analysis value with the control unit's acceptance of it.
struct FLG_VALUE {
    uint8_t flag = 1;
    uint8_t reserved[7] = {};
    double value = 0.0;
};
static_assert(sizeof(FLG_VALUE) == 16);

class CBoxPropaty : public fw::CObject {
    FW_DECLARE_SERIAL(CBoxPropaty)
public:
    static constexpr int kAnalyses = 80;
    static constexpr int kUnitPorts = 10;
    // Flag words choosing the recorded-file lists.
    static constexpr int kWaveList = 1;
    static constexpr int kHistList = 2;
    static constexpr int kVoiceList = 4;
    static constexpr const char* kHistTag = "<HISTSET>";
    static constexpr const char* kCalTag = "<CAL>";

    // Attribute codes the box treats itself.
    enum Attr {
        kAttrUnitType = -2,
        kAttrOnOff = 0,
        kAttrLowPass = 2,
        kAttrCalibration = 5,
        kAttrSensorMode = 7,
        kAttrClock = 8,
        kAttrDataCount = 9,
        kAttrTriggerRaw = 12,
        kAttrTriggerOffset = 13,
        kAttrBalance = 15,
        kAttrAttenuation = 20,
        kAttrSource = 23,
        kAttrCoefficient = 24,
        kAttrUnitText = 25,
        kAttrCapacity = 31,
        kAttrRatedOutput = 32,
        kAttrDecimals = 33,
        kAttrFilterKind = 34,
        kAttrOutputValue = 35,
        kAttrAddSource1 = 44,
        kAttrAddSource2 = 45,
        kAttrAddSource3 = 46,
        kAttrOutputLevel = 47,
        kAttrHighPass = 49,
        kAttrAnalysisFirst = 100,
        kAttrAnalysisInput = 103,
        kAttrRawFullScale = 104,
        kAttrRawHysteresis = 105,
        kAttrRawCrossLevel = 108,
        kAttrAnalysisLast = 122,
        kAttrBitsPerSample = 200,
        kAttrFullScale = 2003,
        kAttrFullScaleOk = 2004,
        kAttrHysteresis = 2005,
        kAttrHysteresisOk = 2006,
        kAttrCrossLevel = 2007,
        kAttrCrossLevelOk = 2008,
    };

    CBoxPropaty();
    ~CBoxPropaty() override;
    CBoxPropaty(const CBoxPropaty&) = delete;
    CBoxPropaty& operator=(const CBoxPropaty&) = delete;

    // ---- the box as a whole
    // Takes the control unit over; new channel data, map, analysis values
    // and an empty working copy of the same class.
    void AttachMeter(std::unique_ptr<CKivMeter> meter);
    void BuildChannelMap();
    // The measuring box channel on unit channel `number` (from 1); -1.
    int FindBoxChannel(int number) const;
    CDataPropaty* GetDataPropaty(int boxChannel) const;
    CDataTankObject* GetChannelTank(int boxChannel) const;
    void SetChannelTank(int boxChannel, CDataTankObject* tank);
    // The map entry (unit port, unit channel from 0) of a box channel.
    tagBOXCH GetChannelRef(int boxChannel) const;
    int GetUnitChannel(int boxChannel) const { return GetChannelRef(boxChannel).ch; }
    int GetUnitChannelValue(int boxChannel) const;
    void LatchUnitChannelValues();

    void CopyToWorkMeter();
    void SwapWorkMeter();
    void ApplyWorkMeter();

    void RefreshFileLists();
    void ClearFileLists();
    void SelectLastFiles(int flags);
    void AdvanceCurrentFiles(int flags);
    void DropCurrentFiles(int flags);

    void PollStatus();
    int GetStatusChange() const { return m_statusChange; }

    void Serialize(fw::CArchive& ar) override;

    CKivMeter* GetMeter() const { return m_meter.get(); }
    CKivMeter* GetWorkMeter() const { return m_work.get(); }
    const fw::CString& GetName() const { return m_name; }
    void SetName(const fw::CString& name) { m_name = name; }
    // Measuring (N) and output (M) channels of the control unit.
    int GetInputCount() const;
    int GetOutputCount() const;
    int GetMapSize() const { return m_map.GetSize(); }
    std::vector<CKiv406FileInfo>& FileList(int which);
    CKiv406FileInfo& CurrentFile(int which);
    const FLG_VALUE& GetAnalysisEntry(int code, int analysis) const;

    // ---- channel attributes (reference: analysis number or box channel)
    double GetChannelValue(int ref, int attr) const;
    const char* GetChannelText(int ref, int attr, fw::CString& text) const;
    const char* GetDisplayText(int attr, int ref, fw::CString& text) const;
    bool SetChannelValue(int ref, int attr, double value);
    bool SetChannelText(int ref, int attr, const char* text);
    bool IsAttrEditable(int ref, int attr) const;
    bool IsValueAllowed(int ref, int attr, int value) const;
    bool ResetOffsetIfNoBalance(int boxChannel);
    const char* GetChannelName(int number, fw::CString& text) const;
    double ToRawValue(int boxChannel, double x, bool withOffset, bool absolute) const;
    double ToEngValue(int boxChannel, double raw, bool withOffset) const;
    void RecalcChannelTank(int boxChannel);
    void SyncHistogramFromMeter(int valueAttr, int flagAttr, int rawAttr, bool withOffset);
    bool ReadHistogramSettings();
    bool ReadSettingsFromMeter();
    void StoreCurrentValues();
    // Rows of `rowSize` bytes; within a row the channels that are on, 2
    // bytes (16 bits per sample) or 4 each. Returns the rows stored. Raises
    // the invalid-argument exception when the channels that are on need more
    // than a row, or `samples` holds fewer than `count` rows.
    int StoreSamples(int firstRow, int count, int rowSize, std::span<const uint8_t> samples,
                     const CKivMeter* meter = nullptr);

private:
    CKivMeter& Meter() const;
    static bool IsAnalysisCode(int attr) { return attr >= kAttrAnalysisFirst && attr <= kAttrAnalysisLast; }
    static bool IsBoxAnalysisCode(int attr) { return attr >= kAttrFullScale && attr <= kAttrCrossLevelOk; }
    static int Index(int ref) { return static_cast<int16_t>(ref & 0xFFFF); }
    // The control unit's channel a reference means for an attribute.
    int MeterChannelOf(int ref, int attr) const;
    // Sensor modes 20-22 have no rated output and capacity.
    bool HasNoTransducer(int boxChannel) const;
    fw::CArray<FLG_VALUE>& AnalysisArray(int attr);
    const fw::CArray<FLG_VALUE>& AnalysisArray(int attr) const;
    bool SetAnalysisValue(int ref, int attr, double value);
    bool SetUnitValue(int ref, int attr, double value);
    bool SetUnitText(int ref, int attr, const char* text);
    bool SetRatedOrCapacityText(int ref, int attr, const fw::CString& text);
    // The engineering values of the control unit's raw analysis settings,
    // without writing anything back to it.
    void TakeAnalysisValuesFromMeter();
    void SerializeAnalysisArrays(fw::CArchive& ar);
    void LoadOldCalibration(fw::CArchive& ar);
    int StoreChannelSamples(int boxChannel, int firstRow, int count, int rowSize, int column, bool wide,
                            std::span<const uint8_t> samples);

    std::vector<CKiv406FileInfo> m_waveFiles;
    CKiv406FileInfo m_currentWave;
    fw::CString m_name;
    std::vector<std::unique_ptr<CDataPropaty>> m_props;
    std::unique_ptr<CKivMeter> m_meter;
    std::unique_ptr<CKivMeter> m_work;
    fw::CArray<tagBOXCH> m_map;
    std::vector<CKiv406FileInfo> m_histFiles;
    CKiv406FileInfo m_currentHist;
    fw::CArray<FLG_VALUE> m_fullScale;
    fw::CArray<FLG_VALUE> m_hysteresis;
    fw::CArray<FLG_VALUE> m_crossLevel;
    int32_t m_statusChange = 0;
    bool m_recalc = true;
    std::vector<CKiv406FileInfo> m_voiceFiles;
    CKiv406FileInfo m_currentVoice;
};
