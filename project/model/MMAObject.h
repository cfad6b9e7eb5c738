#pragma once

// The measurement history of a project: one step per measurement taken into
// the project, with the step's card file, time, method, title, measuring
// time and unit, cycle count and data-file name, and for every channel the
// maximum, minimum and average of that measurement. Every column is a tank,
// so the pages format the values themselves and the file holds the tank
// lists' own form.

#include "common/tank/DataTankList.h"
#include "framework/core/CString.h"
#include "framework/core/DateTime.h"

#include <cstdint>
#include <vector>

namespace fw {
class CArchive;
}

class CMMAObject {
public:
    // Step columns in list order.
    enum StepColumn : int {
        kColCardFile = 0,
        kColDate = 1,
        kColMethod = 2,
        kColTitle = 3,
        kColDuration = 4,
        kColDurationUnit = 5,
        kColCycle = 6,
        kStepColumns = 7,
    };
    // Steps the project keeps at most (indexes 0 .. kMaxSteps - 1).
    static constexpr int kMaxSteps = 50000;

    // A channel as a data header describes it.
    struct ChannelRecord {
        int16_t dataType = 8;
        int16_t format = 0;
        fw::CString name;
        int32_t channel = 0;
    };
    struct ValuesRecord {
        double max = 0;
        double min = 0;
        double average = 0;
        fw::CString unit;
    };

    CMMAObject();
    virtual ~CMMAObject();
    CMMAObject(const CMMAObject&) = delete;
    CMMAObject& operator=(const CMMAObject&) = delete;

    // Last index, data-file names, channel numbers, step columns, channel
    // tanks. A read whose counts contradict each other is refused as a bad
    // file before anything of it is kept.
    virtual void Serialize(fw::CArchive& ar);

    void InitColumns();
    void Grow(int step);
    void SetLastIndex(int step);
    int GetLastIndex() const { return m_nLastIndex; }
    void RemoveAll();

    void SetStepTime(int step, double date);
    fw::COleDateTime GetStepTime(int step) const;
    void SetMeasureMethod(int step, int method);
    int GetMeasureMethod(int step) const;
    void GetMeasureModeText(int step, fw::CString& out) const;
    void SetCycleCount(int step, double count);
    double GetCycleCount(int step) const;
    void SetTitle(int step, const fw::CString& title);
    fw::CString GetTitle(int step) const;
    void SetDuration(int step, double duration);
    double GetDuration(int step) const;
    void SetDurationUnit(int step, int16_t unitId);
    int16_t GetDurationUnit(int step) const;
    void SetCardFileName(int step, const fw::CString& name);
    fw::CString GetCardFileName(int step) const;
    void SetDataFileName(int step, const fw::CString& name);
    fw::CString GetDataFileName(int step) const;

    int GetChannelTankCount() const { return m_channelTanks.GetSize(); }
    CDataTankObject* GetChannelTank(int column) const;
    const std::vector<int16_t>& GetChannelNumbers() const { return m_channels; }
    CDataTankList& GetStepColumns() { return m_steps; }

    void SetChannelValues(int step, int channel, CDataTankObject* source);
    int MergeChannelValues(int step, const ChannelRecord& channel, const ValuesRecord& values, int start);

    bool HasStepWithoutDataFile(int first, int last) const;
    void RemoveStepsWithoutDataFile(int first, int last);
    int FindStepByTime(const fw::COleDateTime& time, int start) const;

private:
    CDataTankObject* Column(StepColumn column) const { return m_steps.GetObjectAt(column); }
    void AttachColumns();
    // The three tanks of entry i, made anew (float or double), grown to the
    // history's length and named after the channel.
    void InsertChannel(int i, int channel, bool asFloat);
    void ConvertToDouble(int i);
    void DescribeChannel(int i, const fw::CString& name, const fw::CString& unit, int16_t format);
    void StoreValues(int i, int step, double max, double min, double average);
    void DeleteStepRun(int first, int last);
    void RefreshStatistics();

    int32_t m_nLastIndex = -1;
    CDataTankList m_steps;
    std::vector<fw::CString> m_fileNames;
    std::vector<int16_t> m_channels;
    CDataTankList m_channelTanks;
};
