#include "project/model/MMAObject.h"

#include "common/tank/DataBoxPropaty.h"
#include "common/tank/DateDataTank.h"
#include "common/tank/DblDataTank.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/ShortDataTank.h"
#include "common/tank/StringDataTank.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/StringTable.h"
#include "instrument/MeasureModeName.h"
#include "project/model/ProjectStrings.h"

#include <cmath>

namespace {

constexpr int16_t kTypeFloat = 2;
constexpr int16_t kTypeDouble = 8;
constexpr int kTanksPerChannel = 3;
constexpr unsigned kKindCaptions[kTanksPerChannel] = {prjstr::kKindMax, prjstr::kKindMin, prjstr::kKindAverage};

struct StepColumnSpec {
    unsigned caption;
    int32_t code;
};
constexpr StepColumnSpec kStepSpecs[CMMAObject::kStepColumns] = {
    {prjstr::kCardFileName, -10}, {prjstr::kStepDate, -2},     {prjstr::kStepMethod, 0}, {prjstr::kStepTitle, -10},
    {prjstr::kStepDuration, 0},   {prjstr::kStepUnit, 0},      {prjstr::kStepCycles, 0},
};

CDataTankObject* MakeStepTank(int column)
{
    switch (column) {
    case CMMAObject::kColCardFile:
    case CMMAObject::kColTitle: return new CStringDataTank;
    case CMMAObject::kColDate: return new CDateDataTank;
    case CMMAObject::kColMethod:
    case CMMAObject::kColDurationUnit: return new CShortDataTank;
    default: return new CDblDataTank;
    }
}

CDataTankObject* MakeValueTank(bool asFloat)
{
    CDataTankObject* tank = asFloat ? static_cast<CDataTankObject*>(new CFltDataTank) : new CDblDataTank;
    tank->Init(asFloat ? kTypeFloat : kTypeDouble, 0, true);
    return tank;
}

void ThrowBadFile()
{
    fw::ThrowArchiveException(fw::CArchiveException::badIndex);
}

} // namespace

CMMAObject::CMMAObject() = default;
CMMAObject::~CMMAObject() = default;

void CMMAObject::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nLastIndex;
        ar.WriteCount(m_fileNames.size());
        for (const fw::CString& name : m_fileNames)
            ar << name;
        ar.WriteCount(m_channels.size());
        if (!m_channels.empty())
            ar.Write(m_channels.data(), m_channels.size() * sizeof(int16_t));
        m_steps.Serialize(ar);
        m_channelTanks.Serialize(ar);
        return;
    }
    int32_t last = -1;
    ar >> last;
    std::vector<fw::CString> names(ar.ReadCount(4));
    for (fw::CString& name : names)
        ar >> name;
    std::vector<int16_t> channels(ar.ReadCount(sizeof(int16_t)));
    if (!channels.empty())
        ar.ReadExact(channels.data(), channels.size() * sizeof(int16_t));
    CDataTankList steps;
    steps.Serialize(ar);
    CDataTankList tanks;
    tanks.Serialize(ar);
    // The pages index names by step and tanks by channel: a file whose
    // counts disagree would make them read past their arrays.
    if (last < -1 || last >= kMaxSteps || names.size() != static_cast<size_t>(last + 1) ||
        static_cast<size_t>(tanks.GetSize()) != channels.size() * kTanksPerChannel)
        ThrowBadFile();
    m_nLastIndex = last;
    m_fileNames = std::move(names);
    m_channels = std::move(channels);
    m_steps.DeleteAll();
    for (int i = 0; i < steps.GetSize(); ++i)
        m_steps.AddTank(steps.GetObjectAt(i), true);
    m_channelTanks.DeleteAll();
    for (int i = 0; i < tanks.GetSize(); ++i)
        m_channelTanks.AddTank(tanks.GetObjectAt(i), true);
}

void CMMAObject::InitColumns()
{
    if (m_steps.GetSize() == 0) {
        // Columns start without values, as a rebuild leaves them, so that a
        // new project and its reopened file store the same bytes.
        for (int c = 0; c < kStepColumns; ++c)
            CDataBoxPropaty::AddColumnTank(m_steps, kStepSpecs[c].caption, MakeStepTank(c), 1, kStepSpecs[c].code)
                ->SetSize(0, false);
    } else if (m_steps.GetSize() == kStepColumns - 1) {
        // Files from before the card file name: the column comes first, as
        // long as the date column.
        CDataTankObject* date = m_steps.GetObjectAt(0);
        const int length = date ? date->GetDataCount() : 0;
        CDataBoxPropaty::InsertColumnTank(kColCardFile, m_steps, kStepSpecs[kColCardFile].caption,
                                          MakeStepTank(kColCardFile), length, kStepSpecs[kColCardFile].code);
    } else if (m_steps.GetSize() != kStepColumns) {
        ThrowBadFile();
    }
    for (int c = 0; c < kStepColumns; ++c)
        if (!m_steps.GetObjectAt(c))
            ThrowBadFile();
    AttachColumns();
}

void CMMAObject::AttachColumns()
{
    // The columns are held by role through Column(); nothing else to keep.
}

void CMMAObject::Grow(int step)
{
    if (step <= m_nLastIndex)
        return;
    m_nLastIndex = step;
    for (int c = 0; c < m_steps.GetSize(); ++c)
        if (CDataTankObject* tank = m_steps.GetObjectAt(c); tank && tank->GetDataCount() < step + 1)
            tank->Grow(step + 1, true);
    for (int c = 0; c < m_channelTanks.GetSize(); ++c)
        if (CDataTankObject* tank = m_channelTanks.GetObjectAt(c); tank && tank->GetDataCount() < step + 1)
            tank->Grow(step + 1, true);
    m_fileNames.resize(static_cast<size_t>(step + 1));
}

void CMMAObject::SetLastIndex(int step)
{
    if (step > m_nLastIndex) {
        Grow(step);
        return;
    }
    if (step < -1)
        step = -1;
    m_nLastIndex = step;
    m_fileNames.resize(static_cast<size_t>(step + 1));
    for (int c = 0; c < m_channelTanks.GetSize(); ++c)
        if (CDataTankObject* tank = m_channelTanks.GetObjectAt(c))
            tank->SetSize(step + 1, true);
}

void CMMAObject::RemoveAll()
{
    m_nLastIndex = -1;
    m_fileNames.clear();
    m_channels.clear();
    for (int c = 0; c < m_steps.GetSize(); ++c)
        if (CDataTankObject* tank = m_steps.GetObjectAt(c))
            tank->SetSize(0, false);
    m_channelTanks.DeleteAll();
}

void CMMAObject::SetStepTime(int step, double date)
{
    Grow(step);
    Column(kColDate)->SetValue(step, date);
}

fw::COleDateTime CMMAObject::GetStepTime(int step) const
{
    if (step < 0 || step > m_nLastIndex || !Column(kColDate)) {
        fw::COleDateTime none;
        none.m_dt = 0;
        none.SetStatus(fw::COleDateTime::null);
        return none;
    }
    fw::COleDateTime time;
    time.m_dt = Column(kColDate)->GetValue(step);
    if (!std::isfinite(time.m_dt))
        time.SetStatus(fw::COleDateTime::invalid);
    return time;
}

void CMMAObject::SetMeasureMethod(int step, int method)
{
    Grow(step);
    Column(kColMethod)->SetValue(step, method);
}

int CMMAObject::GetMeasureMethod(int step) const
{
    const double v = Column(kColMethod)->GetValue(step);
    return std::isfinite(v) ? static_cast<int>(v) : -1;
}

void CMMAObject::GetMeasureModeText(int step, fw::CString& out) const
{
    GetMeasureModeName(static_cast<unsigned>(GetMeasureMethod(step)), out);
}

void CMMAObject::SetCycleCount(int step, double count)
{
    Grow(step);
    Column(kColCycle)->SetValue(step, count < 0 ? HUGE_VAL : count);
}

double CMMAObject::GetCycleCount(int step) const
{
    return Column(kColCycle)->GetValue(step);
}

void CMMAObject::SetTitle(int step, const fw::CString& title)
{
    Grow(step);
    Column(kColTitle)->SetValueText(step, title);
}

fw::CString CMMAObject::GetTitle(int step) const
{
    fw::CString text;
    if (step >= 0 && step <= m_nLastIndex)
        Column(kColTitle)->GetValueText(step, text, false);
    return text;
}

void CMMAObject::SetDuration(int step, double duration)
{
    Grow(step);
    Column(kColDuration)->SetValue(step, duration);
}

double CMMAObject::GetDuration(int step) const
{
    return Column(kColDuration)->GetValue(step);
}

void CMMAObject::SetDurationUnit(int step, int16_t unitId)
{
    Grow(step);
    Column(kColDurationUnit)->SetValue(step, unitId);
}

int16_t CMMAObject::GetDurationUnit(int step) const
{
    const double v = Column(kColDurationUnit)->GetValue(step);
    return std::isfinite(v) ? static_cast<int16_t>(v) : int16_t(0);
}

void CMMAObject::SetCardFileName(int step, const fw::CString& name)
{
    Grow(step);
    Column(kColCardFile)->SetValueText(step, name);
}

fw::CString CMMAObject::GetCardFileName(int step) const
{
    fw::CString text;
    if (step >= 0 && step <= m_nLastIndex)
        Column(kColCardFile)->GetValueText(step, text, false);
    return text;
}

void CMMAObject::SetDataFileName(int step, const fw::CString& name)
{
    Grow(step);
    m_fileNames[static_cast<size_t>(step)] = name;
}

fw::CString CMMAObject::GetDataFileName(int step) const
{
    if (step < 0 || step > m_nLastIndex)
        return {};
    if (static_cast<size_t>(step) >= m_fileNames.size())
        fw::ThrowInvalidArgException();
    return m_fileNames[static_cast<size_t>(step)];
}

CDataTankObject* CMMAObject::GetChannelTank(int column) const
{
    if (column < 0 || column >= m_channelTanks.GetSize())
        return nullptr;
    return m_channelTanks.GetObjectAt(column);
}

void CMMAObject::InsertChannel(int i, int channel, bool asFloat)
{
    m_channels.insert(m_channels.begin() + i, static_cast<int16_t>(channel));
    for (int k = 0; k < kTanksPerChannel; ++k) {
        CDataTankObject* tank = MakeValueTank(asFloat);
        tank->Grow(m_nLastIndex + 1, true);
        m_channelTanks.InsertTank(kTanksPerChannel * i + k, tank, false);
    }
}

void CMMAObject::ConvertToDouble(int i)
{
    for (int k = 0; k < kTanksPerChannel; ++k) {
        const int at = kTanksPerChannel * i + k;
        CDataTankObject* old = m_channelTanks.GetObjectAt(at);
        CDataTankObject* wide = MakeValueTank(false);
        old->CopyHeaderTo(wide);
        wide->SetDataType(kTypeDouble);
        // The copied header carries the old count, not values.
        wide->SetDataCount(0);
        const int count = old->GetDataCount();
        wide->Grow(count, true);
        for (int r = 0; r < count; ++r) {
            const double v = old->GetValue(r);
            if (std::isfinite(v))
                wide->SetValue(r, v);
        }
        m_channelTanks.SetTankAt(at, wide, false);
    }
}

void CMMAObject::DescribeChannel(int i, const fw::CString& name, const fw::CString& unit, int16_t format)
{
    for (int k = 0; k < kTanksPerChannel; ++k) {
        CDataTankObject* tank = m_channelTanks.GetObjectAt(kTanksPerChannel * i + k);
        tank->SetName(fw::CString(name.str() + " " + fw::LoadStringText(kKindCaptions[k]).str()));
        tank->SetUnit(unit);
        tank->SetFormat(format);
    }
}

void CMMAObject::StoreValues(int i, int step, double max, double min, double average)
{
    if (step < 0)
        return;
    const double values[kTanksPerChannel] = {max, min, average};
    for (int k = 0; k < kTanksPerChannel; ++k)
        m_channelTanks.GetObjectAt(kTanksPerChannel * i + k)->SetValue(step, values[k]);
}

void CMMAObject::SetChannelValues(int step, int channel, CDataTankObject* source)
{
    size_t i = 0;
    while (i < m_channels.size() && m_channels[i] < channel)
        ++i;
    const bool present = i < m_channels.size() && m_channels[i] == channel;
    const int at = static_cast<int>(i);
    if (!source) {
        if (!present || m_nLastIndex >= 0)
            return;
        for (int k = 0; k < kTanksPerChannel; ++k)
            if (m_channelTanks.GetObjectAt(kTanksPerChannel * at + k)->GetRefCount() > 1)
                return;
        m_channels.erase(m_channels.begin() + at);
        m_channelTanks.RemoveTanks(kTanksPerChannel * at, kTanksPerChannel);
        return;
    }
    if (!present)
        InsertChannel(at, channel, source->GetDataType() == kTypeFloat);
    else if (source->GetDataType() == kTypeDouble && m_channelTanks.GetObjectAt(kTanksPerChannel * at)->GetDataType() == kTypeFloat)
        ConvertToDouble(at);
    DescribeChannel(at, source->GetName(), source->GetUnit(), source->GetFormat());
    StoreValues(at, step, source->GetMax(), source->GetMin(), source->GetAverage());
}

int CMMAObject::MergeChannelValues(int step, const ChannelRecord& channel, const ValuesRecord& values, int start)
{
    size_t i = start < 0 ? 0 : static_cast<size_t>(start);
    if (i > m_channels.size())
        i = m_channels.size();
    while (i < m_channels.size() && m_channels[i] < channel.channel)
        ++i;
    const bool appended = i == m_channels.size();
    const int at = static_cast<int>(i);
    if (appended || m_channels[i] != channel.channel)
        InsertChannel(at, channel.channel, channel.dataType == kTypeFloat);
    else if (channel.dataType == kTypeDouble && m_channelTanks.GetObjectAt(kTanksPerChannel * at)->GetDataType() == kTypeFloat)
        ConvertToDouble(at);
    DescribeChannel(at, channel.name, values.unit, channel.format);
    StoreValues(at, step, values.max, values.min, values.average);
    return appended ? 0 : at + 1;
}

bool CMMAObject::HasStepWithoutDataFile(int first, int last) const
{
    if (m_fileNames.empty())
        return false;
    const int end = static_cast<int>(m_fileNames.size()) - 1;
    if (last < 0 || last > end)
        last = end;
    for (int s = first < 0 ? 0 : first; s <= last; ++s)
        if (m_fileNames[static_cast<size_t>(s)].IsEmpty())
            return true;
    return false;
}

void CMMAObject::DeleteStepRun(int first, int last)
{
    m_steps.DeleteRows(0, first, m_steps.GetSize() - 1, last);
    if (m_channelTanks.GetSize() > 0)
        m_channelTanks.DeleteRows(0, first, m_channelTanks.GetSize() - 1, last);
    m_fileNames.erase(m_fileNames.begin() + first, m_fileNames.begin() + last + 1);
}

void CMMAObject::RemoveStepsWithoutDataFile(int first, int last)
{
    if (m_fileNames.empty())
        return;
    const int end = static_cast<int>(m_fileNames.size()) - 1;
    if (last < 0 || last > end)
        last = end;
    if (first < 0)
        first = 0;
    if (first > last)
        return;
    int runEnd = -1;
    for (int s = last; s >= first; --s) {
        const bool empty = m_fileNames[static_cast<size_t>(s)].IsEmpty();
        if (empty && runEnd < 0)
            runEnd = s;
        if (!empty && runEnd >= 0) {
            DeleteStepRun(s + 1, runEnd);
            runEnd = -1;
        }
    }
    if (runEnd >= 0)
        DeleteStepRun(first, runEnd);
    m_nLastIndex = static_cast<int32_t>(m_fileNames.size()) - 1;
    RefreshStatistics();
}

void CMMAObject::RefreshStatistics()
{
    auto refresh = [](CDataTankObject* tank) {
        if (!tank)
            return;
        double max = HUGE_VAL, min = HUGE_VAL, sum = 0;
        int n = 0;
        for (int r = 0; r < tank->GetDataCount(); ++r) {
            const double v = tank->GetValue(r);
            if (!std::isfinite(v))
                continue;
            max = n == 0 ? v : std::max(max, v);
            min = n == 0 ? v : std::min(min, v);
            sum += v;
            ++n;
        }
        tank->SetMax(max);
        tank->SetMin(min);
        tank->SetAverage(n ? sum / n : HUGE_VAL);
    };
    refresh(Column(kColCycle));
    refresh(Column(kColDate));
    for (int c = 0; c < m_channelTanks.GetSize(); ++c)
        refresh(m_channelTanks.GetObjectAt(c));
}

int CMMAObject::FindStepByTime(const fw::COleDateTime& time, int start) const
{
    if (m_nLastIndex < 0 || start > m_nLastIndex)
        return -1;
    for (int s = start < 0 ? 0 : start; s <= m_nLastIndex; ++s) {
        const double d = Column(kColDate)->GetValue(s);
        if (!std::isfinite(d) || d > time.m_dt)
            continue;
        const double m = GetDuration(s);
        double span = m;
        switch (GetDurationUnit(s)) {
        case prjstr::kUnitMillisecond: span = m / 86400000.0; break;
        case prjstr::kUnitSecond: span = m / 86400.0; break;
        case prjstr::kUnitMinute: span = m / 1440.0; break;
        case prjstr::kUnitHour: span = m / 24.0; break;
        default: break;
        }
        if (std::isfinite(span) && time.m_dt <= d + span)
            return s;
    }
    return -1;
}
