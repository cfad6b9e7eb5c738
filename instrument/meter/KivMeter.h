#pragma once

// One KIV-406 control unit: its place on the link, its firmware, the units
// in its ten ports, its own per-channel values, the frequency-analysis and
// program settings, the command words of every setting and the reading of
// its recorded files. Channels are numbered 0-79 here; port p holds channels
// 8p to 8p + 7. Settings are addressed by attribute code; codes the control
// unit does not keep itself go to the unit of the channel's port.
//
// Sources: KivMeter.cpp (identity, units, attributes), KivMeterCommands.cpp
// (setting words, send and read-back), KivMeterStatus.cpp (status and block
// transfers), KivMeterFiles.cpp (recorded files), KivMeterFrequency.cpp
// (frequency and program settings), KivMeterArchive.cpp (archive form).

#include "framework/core/Collections.h"
#include "framework/core/CString.h"
#include "instrument/ZELMeter.h"
#include "instrument/meter/Kiv406FileInfo.h"
#include "instrument/unit/UnitFactory.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

class CKivUnitTypes;

// The speed class of a sampling setup: 2 when the internal clock cannot
// keep the interval for that many channels (or the first external clock
// input is used), else 0.
int SpeedClassOf(double intervalMs, int clockSource, int channelsOn);

// Index of an operation name among the eight (searched from the last); -1.
int FindOperationIndex(const char* text);

class CKivMeter : public CZELMeter {
    FW_DECLARE_SERIAL(CKivMeter)
public:
    static constexpr int kPorts = 10;
    static constexpr int kChannelsPerPort = 8;
    static constexpr int kChannels = 80;
    static constexpr int kAnalyses = 80;
    static constexpr double kMinInterval = 0.01;
    static constexpr double kMaxInterval = 32767.0;
    static constexpr int kMaxDataCount = 10000000;
    static constexpr int kIdentifyTimeoutS = 1;
    static constexpr int kDefaultTimeoutS = 30;

    // Attribute codes the control unit keeps itself.
    enum Attr {
        kAttrClock = -1,
        kAttrUnitType = -2,
        kAttrOnOff = 0,
        kAttrInterval = 8,
        kAttrDataCount = 9,
        kAttrPreTrigger = 10,
        kAttrLastSample = 14,
        kAttrClockSource = 43,
        kAttrChannelName = 101,
        kAttrMemoryMode = 102,
        kAttrAnalysisInput = 103,
        kAttrFullScale = 104,
        kAttrHysteresis = 105,
        kAttrOperation = 106,
        kAttrTimeBase = 107,
        kAttrOffset = 108,
        kAttrPlusSlice = 109,
        kAttrMinusSlice = 110,
        kAttrStartMonth = 111,
        kAttrStartDay = 112,
        kAttrStartHour = 113,
        kAttrStartMinute = 114,
        kAttrIntervalHours = 115,
        kAttrIntervalMinutes = 116,
        kAttrIntervalSeconds = 117,
        kAttrCycleCount = 118,
        kAttrMeasureHours = 119,
        kAttrMeasureMinutes = 120,
        kAttrMeasureSeconds = 121,
        kAttrBitsPerSample = 200,
        kAttrCanKind = 201,
    };

    // Messages.
    static constexpr unsigned kMsgWrongInstrument = 3003;
    static constexpr unsigned kMsgInvalidSettings = 3007;
    static constexpr unsigned kMsgInvalidReply = 3009;
    static constexpr unsigned kMsgNotFound = 3011;
    static constexpr unsigned kMsgSerialNotFound = 3020;
    static constexpr unsigned kMsgOldFirmware = 3113;
    static constexpr int kErrWrongInstrument = 1300;
    static constexpr int kErrOldFirmware = 13;
    static constexpr int kErrInvalid = -1;

    CKivMeter();
    ~CKivMeter() override;
    CKivMeter(const CKivMeter&) = delete;
    CKivMeter& operator=(const CKivMeter&) = delete;

    // ---- generic instrument
    void SetInterface(CMeterInterface* link) override;
    bool Open(bool raise) override;
    void Identify() override;
    void CheckVersion() override;
    void InitArrays() override;
    void Disconnect() override;
    void CheckPresent() override;
    void Serialize(fw::CArchive& ar) override;

    // ---- identity and units
    virtual void InstallUnits(const CKivUnitTypes& types);
    virtual void SetIpPort(uint32_t ipAddress, int port);
    virtual uint32_t GetIpAddress() const { return m_ipAddress; }
    virtual void ReadHeader(const char* header, bool withScales);
    virtual void ParseVersion();
    virtual bool IsIntervalValid(double ms) const;
    virtual bool AcceptAny(int, int) const { return true; }
    virtual double RoundInterval(double ms) const;
    virtual double GetMinInterval() const { return kMinInterval; }
    virtual double GetMaxInterval() const { return kMaxInterval; }
    virtual int GetMaxDataCount() const { return kMaxDataCount; }
    virtual int GetRawUpperLimit(int ch) const;
    virtual int GetOutputLimit(int ch) const;
    virtual bool HasChannelsOn() const { return m_channelsOn > 0; }
    virtual int16_t FindFirstChannelOn() const;
    virtual int16_t GetLowestChannelOn() const { return m_lowestChannelOn; }
    virtual double GetInterval() const { return m_interval; }
    virtual bool SetText(int ch, int code, const char* text, bool notify);
    virtual bool SetValue(int ch, int code, double value, bool notify);
    virtual double GetValue(int ch, int code) const;
    virtual const char* GetText(int ch, int code, fw::CString& text) const;
    virtual int ValueOfIndex(int code, int index) const;
    virtual int GetSpeedClass() const;
    virtual void ClearLastSampleIndexes();
    virtual bool IsAttrEditable(int ch, int code) const;
    virtual bool AcceptAny1(int) const { return true; }
    virtual bool IsValueAllowed(int ch, int code, double value) const;
    virtual void WriteCheckSetting(int code);
    virtual void ReservedHook() {}
    virtual bool ReadAllSettings();
    virtual void SendExternalTrigger();
    virtual void WriteTriggerLevels();
    virtual bool RejectAny(int) const { return false; }
    virtual bool SendAllSettings();
    virtual bool GetSettingText(int code, int ch, fw::CString& text) const;
    virtual void SetUnitTotals(int first, int second);
    virtual void QueryUnitTotals(int selector);
    virtual double GetScaleFactor(int ch) const;
    virtual double GetCurrentValue(int ch) const;
    virtual void FillValueRows(double* values, int row, int count, double value);
    virtual int GetLastSampleIndex(int ch) const;
    virtual void SetLastSampleIndex(int ch, int value);
    virtual int GetIntB(int ch) const;
    virtual void SetIntB(int ch, int value);
    virtual void ReadBackSetting(int code, bool keepErrors);
    virtual bool WriteSettingText(int code, const fw::CString& text);
    virtual bool QuerySetting(int code, fw::CString& reply);
    virtual bool ParseSettingText(int code, int ch, const fw::CString& text);
    virtual void CommandWithText(const char* word, const fw::CString& text);
    virtual void SelectChannels(int first, int last);
    virtual void ResetChannels();
    virtual void CalibrationCommand(char ch, const fw::CString& text);
    virtual void RefreshHook() {}
    virtual void RefreshUnitInfo();
    virtual void TrackLowestChannel(int ch, bool on);
    virtual int ReadDataBlock(std::span<uint8_t> buffer, int count, int size);
    virtual int ReadBlock(std::span<uint8_t> buffer, int bytes);
    virtual int ReadMoreBlock(std::span<uint8_t> buffer, int count, int size);
    virtual bool QueryFileCount();
    virtual void ReadHeaderFile(const char* name, int size, fw::CString& text);
    virtual void ReadMemoryFileList(std::vector<CKiv406FileInfo>& waveforms, std::vector<CKiv406FileInfo>& frequencies,
                                    std::vector<CKiv406FileInfo>& voices);
    virtual void SendDataFileCommand(const char* name, const char* extension);
    virtual void SetCardMode(char mode);
    virtual char QueryCardMode();
    virtual void QueryAnalysisSupport();
    virtual void ResetFrequencySettings();

    // ---- units and channels
    CKivUnit* GetUnit(int port) const;
    int GetUnitType(int port) const;
    CKivUnit* FindUnitOfChannel(int channelNumber) const;
    int GetTotalChannels() const { return m_inputChannels + m_outputChannels; }
    int GetSampleBytes() const;
    void ReadCurrentValues(bool wide);
    std::vector<uint32_t> GetUnitVersions() const;
    void SetUnitsOutputMode(bool on);
    void RecountChannelsOn();
    void RecountUnitTotals();

    // ---- commands
    void WriteSetting(int code);
    bool WriteSettingGuarded(int code);
    bool WriteCalibrationOutput(int code);
    void SendChannelSet();
    void SelectAllChannels();
    bool SelectChannelsGuarded(int channel, bool report);
    void ReadBackChannelOnOff();
    void QueryStatus();
    int QueryRecordingState();
    void SendTrigger();
    void ReadLastSampleIndex();
    // "HDB" with the number of the frequency entry, then its count block of
    // `words` 32-bit words, never swapped; returns the words read.
    int ReadHistogramBlock(std::span<uint8_t> buffer, int number, int words);
    void ReadTextList(const char* command, std::vector<fw::CString>& list, bool flag);
    int GetUnitTotal(int which) const;
    void SendUnit465Settings();
    // The CAN/voice/GPS unit's exchanges, through its hooks; nothing
    // happens while no hook is installed.
    void SendUnit463Settings();
    void ReceiveUnit463Settings();
    void ClearCanDuplicateFlags();
    void QueryUnit465Settings();
    void ReadDataFile(const char* name, int size, std::vector<uint8_t>& data);

    // ---- frequency and program settings
    void SendProgram();
    void WriteAnalysisSetting(int code);
    bool WriteFrequencySettings();
    bool ReadFrequencySettings();
    int GetLoadClass() const;
    void DefaultOutputSettings();

    // ---- plain state
    uint32_t GetFirmwareVersion() const { return m_firmware; }
    void SetFirmwareVersion(uint32_t version) { m_firmware = version; }
    int GetPort() const { return m_port; }
    int GetState() const { return m_state; }
    int GetCardStatus() const { return m_cardStatus; }
    int GetProgramValue() const { return m_programValue; }
    int16_t GetChannelSpan() const { return m_channelSpan; }
    int16_t GetInputChannels() const { return m_inputChannels; }
    int16_t GetOutputChannels() const { return m_outputChannels; }
    int16_t GetChannelsOn() const { return m_channelsOn; }
    int GetFileCount() const { return m_fileCount; }
    int GetFileNumber() const { return m_fileNumber; }
    bool IsAnalysisAvailable() const { return m_analysisAvailable; }
    void SetAnalysisAvailable(bool available) { m_analysisAvailable = available; }
    int GetSerialNumber() const { return m_serialNumber; }
    void SetSerialNumber(int serial) { m_serialNumber = serial; }
    int GetDataCount() const { return m_dataCount; }
    int GetPreTriggerCount() const { return m_preTrigger; }
    int16_t GetClockSource() const { return m_clockSource; }

    // Texts of the frequency settings.
    static const char* OperationName(int operation);
    static const char* TimeBaseName(int timeBase);

private:
    // Attribute helpers.
    bool IsMeterCode(int code) const;
    bool SetMeterValue(int ch, int code, double value, bool notify);
    bool SetFrequencyValue(int index, int code, double value);
    bool SetProgramValue(int code, double value);
    double GetFrequencyValue(int index, int code) const;
    double GetProgramValue(int code) const;
    const char* GetFrequencyText(int index, int code, fw::CString& text) const;
    bool ConvertText(int ch, int code, const char* text, double& value) const;
    CKivUnit* UnitOfChannel(int ch) const;
    bool IsSourceChannelAllowed(int ch, int code, int value) const;
    fw::CArray<int16_t>& AnalysisArray(int code);
    const fw::CArray<int16_t>& AnalysisArray(int code) const;
    bool StartFieldsConsistent() const;

    // Command helpers.
    const char* WriteWord(int code) const;
    const char* QueryWord(int code) const;
    void QueryTolerant(const fw::CString& command, fw::CString& reply);
    void SendRuns(const std::vector<bool>& member, int span, void (CKivMeter::*select)(int, int));
    void SelectAnalyses(int first, int last);
    void ReportFailure(const std::exception& e);
    void RaiseInvalidReply(unsigned messageId = kMsgInvalidReply) const;
    void CheckBlockError(const uint8_t* data, int size) const;
    int ReadExactBlock(std::span<uint8_t> buffer, bool swap);
    void ReadFileListEntries(std::vector<CKiv406FileInfo>& waveforms, std::vector<CKiv406FileInfo>& frequencies,
                             std::vector<CKiv406FileInfo>& voices);
    void ReadListedHeaders(std::vector<CKiv406FileInfo>& waveforms, std::vector<CKiv406FileInfo>& frequencies);
    bool ReadOneHeader(CKiv406FileInfo& info, bool& isFrequency);
    void ApplyHeaderScales(const char* header, const std::vector<int>& channels);
    void ApplyHeaderSettings(const char* header, const std::vector<int>& channels);
    void ReadAnalysisLists();
    void ReadProgramList();
    void LoadOldProgramBlock(fw::CArchive& ar);
    void SerializeUnits(fw::CArchive& ar);

    uint32_t m_ipAddress = 0;
    int m_port = 0;
    int m_state = 0;
    int m_cardStatus = 0;
    int16_t m_channelSpan = kChannels;
    int16_t m_inputChannels = 0;
    int16_t m_outputChannels = 0;
    int16_t m_channelsOn = 0;
    UnitPorts m_units;
    std::vector<double> m_currentValues;
    std::vector<int> m_lastSampleIndexes;
    std::vector<int> m_intB;
    int16_t m_lowestChannelOn = kChannels;
    int m_reserved1 = 0;
    int m_reserved2 = 0;
    int m_unitTotals[2] = {-1, -1};
    int m_swap = 0;
    double m_interval = 1.0;
    int m_dataCount = 16383;
    int m_preTrigger = 0;
    uint32_t m_firmware = 0;
    int m_fileCount = 0;
    int m_fileNumber = 0;
    bool m_analysisAvailable = false;

    // Frequency analyses: memory mode and the arrays of codes 103-110.
    int16_t m_memoryMode = 1;
    std::array<fw::CArray<int16_t>, 8> m_analysis;
    // Program measurement, codes 111-121 in order.
    std::array<int16_t, 11> m_program{};

    int m_programValue = 0;
    int m_serialNumber = 0;
    int16_t m_clockSource = 0;
};
