#include "frequency/model/HistCountObj.h"

#include "common/base/ArchiveTags.h"
#include "common/tank/DblDataTank.h"
#include "frequency/model/HistTables.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"

#include <algorithm>
#include <atomic>
#include <span>

FW_IMPLEMENT_SERIAL(CHistCountObj, fw::CObject, 0)

namespace {

// Extremes of records before "<MAXFLOAT>" were 16-bit with this as none.
constexpr int16_t kNoExtreme = 32767;

float ExtremeOf(int16_t v) { return v == kNoExtreme ? static_cast<float>(HUGE_VAL) : static_cast<float>(v); }

// Old records kept the TIME sample time as a code into the sample-time
// table; the table's texts read as numbers ("" is 0). A code beyond the
// table had no text, so it gets the 1 ms of a code of 0 or less.
float SampleTimeOfCode(int16_t code)
{
    static constexpr float kMs[] = {1000.0f, 100.0f, 0.0f, 10.0f};
    return code >= 1 && code <= 4 ? kMs[code - 1] : 1.0f;
}

// Columns 0 and 1 hold the positive and the negative side, `rows` values
// each; the derived columns start at `at`.

// The one-sided column: the negative side's count below zero, the
// positive side's above.
void FillOneSided(std::span<double> v, size_t rows, size_t at, int minusSlices)
{
    for (size_t i = 0; i < rows; ++i)
        v[at + i] = static_cast<int>(i) < minusSlices ? v[rows + i] : v[i];
}

void FillSum(std::span<double> v, size_t rows, size_t at)
{
    for (size_t i = 0; i < rows; ++i)
        v[at + i] = v[i] + v[rows + i];
}

// Largest, smallest and mean of the valid values into the tank's scale.
void StoreExtremes(CDblDataTank& tank)
{
    double high = HUGE_VAL;
    double low = HUGE_VAL;
    double sum = 0.0;
    int n = 0;
    const double empty = tank.GetEmptyMarker();
    for (double x : tank.Values()) {
        if (x == empty)
            continue;
        high = n == 0 ? x : std::max(high, x);
        low = n == 0 ? x : std::min(low, x);
        sum += x;
        ++n;
    }
    tank.SetMax(high);
    tank.SetMin(low);
    tank.SetAverage(n > 0 ? sum / n : HUGE_VAL);
}

void ReverseRange(std::span<double> v, size_t first, size_t count)
{
    if (first >= v.size())
        return;
    count = std::min(count, v.size() - first);
    std::reverse(v.begin() + static_cast<std::ptrdiff_t>(first), v.begin() + static_cast<std::ptrdiff_t>(first + count));
}

std::atomic<uint64_t> g_loadStamps{0};

void ReadTime(fw::CArchive& ar, tHistTime& t) { fw::SerializeElements(ar, t.field, 6); }
void WriteTime(fw::CArchive& ar, tHistTime& t) { fw::SerializeElements(ar, t.field, 6); }

} // namespace

CHistCountObj::CHistCountObj() = default;

CHistCountObj::~CHistCountObj() = default;

int CHistCountObj::GetSliceCount() const { return std::max(0, m_plusSlices + m_minusSlices); }

int CHistCountObj::GetWordCount() const
{
    const int s = GetSliceCount();
    return m_operation == kHistTime || m_operation == kHistRain ? s : 2 * s;
}

int CHistCountObj::GetTableSize() const
{
    const int s = GetSliceCount();
    switch (m_operation) {
    case kHistPeakValley:
        return 4 * s;
    case kHistMaxMin:
    case kHistAmp:
    case kHistLevel:
        return 3 * s;
    case kHistNoneOp:
    case kHistFromTo:
        return 2 * s;
    default:
        return s;
    }
}

void CHistCountObj::CreateCountTank()
{
    m_countTanks.DeleteAll();
    auto* tank = new CDblDataTank;
    tank->SetFillMarker(0.0);
    tank->SetSize(GetTableSize(), true);
    m_countTanks.AddTank(tank, false);
}

CDblDataTank* CHistCountObj::GetCountTank() const
{
    return dynamic_cast<CDblDataTank*>(m_countTanks.GetObjectAt(0));
}

const char* CHistCountObj::GetOperationText() const { return HistOperationText(m_operation); }

bool CHistCountObj::SetCounts(int tankIndex, const uint32_t* counts, int n)
{
    auto* tank = dynamic_cast<CDblDataTank*>(m_countTanks.GetAt(tankIndex));
    if (!tank)
        fw::ThrowInvalidArgException();
    if (n < 0 || (n > 0 && !counts))
        return false;
    int extra = 0;
    if (m_operation == kHistPeakValley)
        extra = n;
    else if (m_operation == kHistMaxMin || m_operation == kHistAmp || m_operation == kHistLevel)
        extra = n / 2;
    tank->SetSize(n + extra, true);
    const std::span<double> v = tank->Values();
    std::fill(v.begin(), v.end(), 0.0);
    auto count = [counts](int i) { return static_cast<double>(counts[i]); };
    if (extra == 0) {
        for (int i = 0; i < n; ++i)
            v[static_cast<size_t>(i)] = count(n - 1 - i);
        StoreExtremes(*tank);
        return true;
    }
    const int h = n / 2;
    for (int i = 0; i < h; ++i) {
        v[static_cast<size_t>(i)] = count(h - 1 - i);
        v[static_cast<size_t>(h + i)] = count(2 * h - 1 - i);
    }
    const size_t rows = static_cast<size_t>(h);
    if (m_operation == kHistPeakValley) {
        FillSum(v, rows, 2 * rows);
        FillOneSided(v, rows, 3 * rows, m_minusSlices);
    } else if (m_operation == kHistLevel) {
        FillOneSided(v, rows, static_cast<size_t>(n), m_minusSlices);
    } else {
        FillSum(v, rows, static_cast<size_t>(n));
    }
    StoreExtremes(*tank);
    return true;
}

void CHistCountObj::ReverseSides()
{
    std::swap(m_plusOver, m_minusOver);
    std::swap(m_max, m_min);
    std::swap(m_maxTime, m_minTime);
    if (m_operation == kHistRain)
        return;
    const size_t s = static_cast<size_t>(GetSliceCount());
    for (int t = 0; t < m_countTanks.GetSize(); ++t) {
        auto* tank = dynamic_cast<CDblDataTank*>(m_countTanks.GetObjectAt(t));
        if (!tank)
            continue;
        // A table smaller than its slices say (a damaged record) is
        // re-ordered only as far as it goes.
        const std::span<double> v = tank->Values();
        switch (m_operation) {
        case kHistAmp:
            for (size_t i = 0; i < s && s + i < v.size(); ++i)
                std::swap(v[i], v[s + i]);
            break;
        case kHistPeakValley:
        case kHistMaxMin:
        case kHistLevel:
            ReverseRange(v, 0, 2 * s);
            ReverseRange(v, 2 * s, s);
            if (m_operation == kHistPeakValley)
                ReverseRange(v, 3 * s, s);
            break;
        case kHistNoneOp:
        case kHistFromTo:
            // One column of both sides, the negative one first: reversing
            // only its first half would mix the sides.
            ReverseRange(v, 0, 2 * s);
            break;
        default:
            ReverseRange(v, 0, s);
            break;
        }
        StoreExtremes(*tank);
    }
}

void ReleaseHistCount(CHistCountObj* entry)
{
    if (entry && entry->Release())
        delete entry;
}

// ------------------------------------------------------------------ archive

void CHistCountObj::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring())
        SerializeStore(ar);
    else
        SerializeLoad(ar);
}

void CHistCountObj::SerializeStore(fw::CArchive& ar)
{
    WriteArchiveTag(ar, "<VER>");
    ar << kArchiveVersion;
    ar << m_name;
    ar << m_fullScale << m_hysteresis;
    ar << m_inputChannel << m_operation;
    ar << m_sampleTime;
    ar << m_crossLevel;
    ar << m_plusSlices << m_minusSlices;
    ar << m_plusOver << m_minusOver;
    WriteArchiveTag(ar, "<MAXFLOAT>");
    ar << m_max << m_min << m_average;
    WriteTime(ar, m_maxTime);
    WriteTime(ar, m_minTime);
    ar << m_comment;
    ar << m_sensorMode << m_rawFullScale << m_rawHysteresis << m_rawCrossLevel << m_attenuation << m_filter
       << m_filterKind;
    ar << m_coefficient << m_capacity << m_ratedOutput;
    ar << m_displayFormat << m_unitIndex;
    WriteArchiveTag(ar, "<UNITSTR>");
    ar << m_unitText;
    ar << m_rjc;
    WriteArchiveTag(ar, "<INT_RES>");
    ar << m_intResolution;
    WriteArchiveTag(ar, "<HPF>");
    ar << m_highPass;
    WriteArchiveTag(ar, "<DMC>");
    ar << m_dmc;
    m_countTanks.Serialize(ar);
}

uint64_t CHistCountObj::LoadStampNow() { return g_loadStamps.load(); }

void CHistCountObj::SerializeLoad(fw::CArchive& ar)
{
    m_loadStamp = ++g_loadStamps;
    int32_t version = 0;
    if (PeekArchiveTag(ar, "<VER>"))
        ar >> version;
    ar >> m_name;
    ar >> m_fullScale >> m_hysteresis;
    ar >> m_inputChannel >> m_operation;
    if (version >= 4) {
        ar >> m_sampleTime;
    } else {
        int16_t code = 0;
        ar >> code;
        m_sampleTime = SampleTimeOfCode(code);
    }
    ar >> m_crossLevel;
    ar >> m_plusSlices >> m_minusSlices;
    ar >> m_plusOver >> m_minusOver;
    if (PeekArchiveTag(ar, "<MAXFLOAT>")) {
        ar >> m_max >> m_min >> m_average;
    } else {
        int16_t high = 0, low = 0, mean = 0;
        ar >> high >> low >> mean;
        m_max = ExtremeOf(high);
        m_min = ExtremeOf(low);
        m_average = ExtremeOf(mean);
    }
    ReadTime(ar, m_maxTime);
    ReadTime(ar, m_minTime);
    ar >> m_comment;
    ar >> m_sensorMode >> m_rawFullScale >> m_rawHysteresis >> m_rawCrossLevel >> m_attenuation >> m_filter
        >> m_filterKind;
    ar >> m_coefficient >> m_capacity >> m_ratedOutput;
    ar >> m_displayFormat >> m_unitIndex;
    m_unitText.Empty();
    if (PeekArchiveTag(ar, "<UNITSTR>"))
        ar >> m_unitText;
    ar >> m_rjc;
    m_intResolution = 1.0f;
    if (PeekArchiveTag(ar, "<INT_RES>"))
        ar >> m_intResolution;
    m_highPass = static_cast<float>(HUGE_VAL);
    if (PeekArchiveTag(ar, "<HPF>"))
        ar >> m_highPass;
    m_dmc = 0;
    if (PeekArchiveTag(ar, "<DMC>"))
        ar >> m_dmc;
    m_countTanks.Serialize(ar);
    if (version <= 1)
        UpgradeOldTable();
}

// Tables of the first versions had no derived PEAK/V columns and a LEVEL
// column 2 that was not one-sided yet.
void CHistCountObj::UpgradeOldTable()
{
    CDblDataTank* tank = GetCountTank();
    const size_t s = static_cast<size_t>(GetSliceCount());
    if (!tank || (m_operation != kHistPeakValley && m_operation != kHistLevel))
        return;
    if (m_operation == kHistPeakValley) {
        tank->SetSize(static_cast<int>(4 * s), true);
        const std::span<double> v = tank->Values();
        FillSum(v, s, 2 * s);
        FillOneSided(v, s, 3 * s, m_minusSlices);
    } else {
        if (tank->Values().size() < 3 * s)
            tank->SetSize(static_cast<int>(3 * s), true);
        FillOneSided(tank->Values(), s, 2 * s, m_minusSlices);
    }
    StoreExtremes(*tank);
}
