// The control unit's frequency files: the keyword header (".HED") that
// describes the analyses of a record and the count file that holds their
// results.

#include "frequency/model/HistCountArray.h"

#include "common/base/HeaderKeyValue.h"
#include "common/base/ValueParse.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "frequency/model/HistTables.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr int kSeriesPerUnit = 80;
// Extremes the unit did not see.
constexpr int16_t kNoExtreme = 32767;

// The key's value split at "," into one entry per series; a value with
// fewer entries starts again from its beginning, so that one entry applies
// to every series.
std::vector<fw::CString> ListEntries(const char* header, const char* key, int series)
{
    fw::CString value;
    GetHeaderKeyValue(header, key, value);
    std::vector<fw::CString> entries;
    entries.reserve(static_cast<size_t>(series));
    int pos = 0;
    for (int i = 0; i < series; ++i) {
        const int comma = value.Find(',', pos);
        if (comma >= 0) {
            entries.push_back(value.Mid(pos, comma - pos));
            pos = comma + 1;
        } else {
            entries.push_back(value.Mid(pos));
            pos = 0;
        }
    }
    return entries;
}

bool ParseShort(const fw::CString& text, int16_t& out) { return TextToShort(text.c_str(), &out, 10); }
bool ParseFloat(const fw::CString& text, float& out) { return TextToFloat(text.c_str(), &out); }

// Every entry of the key's list as a short into `field` of the analysis of
// the same position.
bool ReadShorts(CHistCountArray& a, int first, const char* header, const char* key, int16_t CHistCountObj::*field)
{
    const auto entries = ListEntries(header, key, a.GetSize() - first);
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!ParseShort(entries[i], a.GetAt(first + static_cast<int>(i))->*field))
            return false;
    }
    return true;
}

bool ReadFloats(CHistCountArray& a, int first, const char* header, const char* key, float CHistCountObj::*field,
                bool emptyIsNone)
{
    const auto entries = ListEntries(header, key, a.GetSize() - first);
    for (size_t i = 0; i < entries.size(); ++i) {
        float& out = a.GetAt(first + static_cast<int>(i))->*field;
        if (emptyIsNone && entries[i].IsEmpty())
            out = static_cast<float>(HUGE_VAL);
        else if (!ParseFloat(entries[i], out))
            return false;
    }
    return true;
}

// Analyses of the control unit are numbered on from 80 per unit before it.
bool ReadNames(CHistCountArray& a, int first, const char* header, int block)
{
    const auto entries = ListEntries(header, "SERIES", a.GetSize() - first);
    for (size_t i = 0; i < entries.size(); ++i) {
        fw::CString text = entries[i];
        text.Replace("DN_", "");
        int16_t number = 0;
        if (!ParseShort(text, number))
            return false;
        a.GetAt(first + static_cast<int>(i))->m_name = fw::Format("DN_%d", number + kSeriesPerUnit * block);
    }
    return true;
}

void ReadOperations(CHistCountArray& a, int first, const char* header)
{
    const auto entries = ListEntries(header, "OPERATION", a.GetSize() - first);
    for (size_t i = 0; i < entries.size(); ++i)
        a.GetAt(first + static_cast<int>(i))->m_operation = static_cast<int16_t>(FindHistOperation(entries[i].c_str()));
}

// A sample time the table does not know leaves the analysis' own.
void ReadSampleTimes(CHistCountArray& a, int first, const char* header)
{
    static constexpr float kMs[kHistSampleTimeCount] = {1000.0f, 100.0f, 0.0f, 10.0f};
    const auto entries = ListEntries(header, "TIME_SAMPLE", a.GetSize() - first);
    for (size_t i = 0; i < entries.size(); ++i) {
        const fw::CString text = entries[i] + "msec";
        for (int k = 0; k < kHistSampleTimeCount; ++k) {
            if (text == HistSampleTimeText(k))
                a.GetAt(first + static_cast<int>(i))->m_sampleTime = kMs[k];
        }
    }
}

void ReadUnits(CHistCountArray& a, int first, const char* header)
{
    const auto entries = ListEntries(header, "PHY_UNITS", a.GetSize() - first);
    for (size_t i = 0; i < entries.size(); ++i) {
        const fw::CString text = entries[i].IsEmpty() ? fw::CString(" ") : entries[i];
        a.GetAt(first + static_cast<int>(i))->m_unitIndex = static_cast<int16_t>(FindHistUnitIndex(text.c_str()));
    }
}

bool HasValue(const char* header, const char* key)
{
    fw::CString value;
    GetHeaderKeyValue(header, key, value);
    return !value.IsEmpty();
}

void DeriveScaledValues(CHistCountObj& h)
{
    h.m_scaleFactor = h.m_intResolution * h.m_coefficient;
    h.m_fullScale = static_cast<float>(h.m_rawFullScale) * std::fabs(h.m_scaleFactor);
    // A raw full scale of 0 would make the percentage infinite or NaN.
    h.m_hysteresis = h.m_rawFullScale != 0
                         ? static_cast<float>(h.m_rawHysteresis) / static_cast<float>(h.m_rawFullScale) * 100.0f
                         : 0.0f;
    h.m_crossLevel = static_cast<float>(h.m_rawCrossLevel) * h.m_scaleFactor;
}

// ------------------------------------------------------------ count file

class CountReader {
public:
    explicit CountReader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

    void Seek(size_t at) { m_at = at; }
    void Skip(size_t n) { m_at += n; }
    uint8_t Byte() { return m_bytes[m_at++]; }
    template <class T> T Get()
    {
        T v;
        std::memcpy(&v, m_bytes.data() + m_at, sizeof v); // little-endian, as the files
        m_at += sizeof v;
        return v;
    }
    void Time(tHistTime& t)
    {
        for (int16_t& f : t.field)
            f = Byte();
    }
    const uint8_t* Here() const { return m_bytes.data() + m_at; }

private:
    std::span<const uint8_t> m_bytes;
    size_t m_at = 0;
};

float Extreme(int16_t v) { return v == kNoExtreme ? static_cast<float>(HUGE_VAL) : static_cast<float>(v); }

} // namespace

bool CHistCountArray::ReadHedHeader(const char* header, int block)
{
    if (!header)
        return false;
    fw::CString value;
    GetHeaderKeyValue(header, "NUM_SERIES", value);
    int32_t series = 0;
    if (!TextToInt(value.c_str(), &series) || series < 1 || series > kMaxSeries)
        return false;
    const int first = GetSize();
    for (int i = 0; i < series; ++i)
        Add(new CHistCountObj);

    if (!ReadNames(*this, first, header, block))
        return false;
    GetHeaderKeyValue(header, "RATE", value);
    if (!TextToFloat(value.c_str(), &m_rate))
        return false;
    ReadOperations(*this, first, header);
    if (!ReadShorts(*this, first, header, "INPUT_CH", &CHistCountObj::m_inputChannel) ||
        !ReadShorts(*this, first, header, "FULLSCALE", &CHistCountObj::m_rawFullScale) ||
        !ReadShorts(*this, first, header, "HYSTERISYS", &CHistCountObj::m_rawHysteresis) ||
        !ReadShorts(*this, first, header, "SLICE_XP", &CHistCountObj::m_plusSlices) ||
        !ReadShorts(*this, first, header, "SLICE_XM", &CHistCountObj::m_minusSlices) ||
        !ReadShorts(*this, first, header, "MCL", &CHistCountObj::m_rawCrossLevel))
        return false;
    ReadSampleTimes(*this, first, header);
    if (!ReadShorts(*this, first, header, "SENSOR_MODE", &CHistCountObj::m_sensorMode) ||
        !ReadShorts(*this, first, header, "ATTENATE", &CHistCountObj::m_attenuation) ||
        !ReadShorts(*this, first, header, "FILTER", &CHistCountObj::m_filter) ||
        !ReadShorts(*this, first, header, "F_PROPERTY", &CHistCountObj::m_filterKind))
        return false;
    if (HasValue(header, "AC_COUPLE") &&
        !ReadFloats(*this, first, header, "AC_COUPLE", &CHistCountObj::m_highPass, false))
        return false;
    if (HasValue(header, "DMC") && !ReadShorts(*this, first, header, "DMC", &CHistCountObj::m_dmc))
        return false;
    if (!ReadShorts(*this, first, header, "RJC", &CHistCountObj::m_rjc) ||
        !ReadFloats(*this, first, header, "CAPACITY", &CHistCountObj::m_capacity, true) ||
        !ReadFloats(*this, first, header, "RATED_OUT", &CHistCountObj::m_ratedOutput, true) ||
        !ReadFloats(*this, first, header, "COEFFICIENT", &CHistCountObj::m_coefficient, false) ||
        !ReadShorts(*this, first, header, "POINT", &CHistCountObj::m_displayFormat))
        return false;
    ReadUnits(*this, first, header);
    if (HasValue(header, "INT_RESOLUTION")) {
        if (!ReadFloats(*this, first, header, "INT_RESOLUTION", &CHistCountObj::m_intResolution, false))
            return false;
    } else {
        for (int i = first; i < GetSize(); ++i)
            GetAt(i)->m_intResolution = 1.0f;
    }
    for (int i = first; i < GetSize(); ++i)
        DeriveScaledValues(*GetAt(i));
    return true;
}

size_t CHistCountArray::GetCountFileSize(int first) const
{
    if (first < 0 || first > GetSize())
        fw::ThrowInvalidArgException();
    const size_t n = static_cast<size_t>(GetSize() - first);
    size_t size = kCountFileHead + (kOverBytes + kExtremeBytes) * n;
    for (int i = first; i < GetSize(); ++i) {
        const CHistCountObj* h = GetAt(i);
        if (h)
            size += static_cast<size_t>(h->GetWordCount()) * sizeof(uint32_t);
    }
    return size;
}

bool CHistCountArray::ReadDatCounts(std::span<const uint8_t> bytes, int first)
{
    const size_t need = GetCountFileSize(first);
    for (int i = first; i < GetSize(); ++i) {
        if (!GetAt(i) || GetAt(i)->m_plusSlices + GetAt(i)->m_minusSlices < 0)
            return false;
    }
    // The unit's file is trusted no further than its length.
    if (bytes.size() < need)
        return false;
    CountReader in(bytes);
    in.Time(m_startTime);
    in.Seek(8);
    in.Time(m_endTime);
    in.Seek(16);
    m_measuringTime = in.Get<int32_t>();
    in.Seek(kCountFileHead);
    for (int i = first; i < GetSize(); ++i) {
        CHistCountObj* h = GetAt(i);
        h->m_plusOver = in.Get<uint32_t>();
        h->m_minusOver = in.Get<uint32_t>();
    }
    for (int i = first; i < GetSize(); ++i) {
        CHistCountObj* h = GetAt(i);
        h->m_max = Extreme(in.Get<int16_t>());
        h->m_min = Extreme(in.Get<int16_t>());
        h->m_average = Extreme(in.Get<int16_t>());
        in.Skip(2);
        in.Time(h->m_maxTime);
        in.Skip(2);
        in.Time(h->m_minTime);
        in.Skip(10);
    }
    std::vector<uint32_t> counts;
    for (int i = first; i < GetSize(); ++i) {
        CHistCountObj* h = GetAt(i);
        const int c = h->GetWordCount();
        counts.resize(static_cast<size_t>(c));
        if (c > 0)
            std::memcpy(counts.data(), in.Here(), counts.size() * sizeof(uint32_t));
        in.Skip(counts.size() * sizeof(uint32_t));
        h->CreateCountTank();
        h->SetCounts(0, counts.data(), c);
        if (h->m_scaleFactor < 0.0f) {
            h->ReverseSides();
            if (h->m_operation != kHistRain && h->m_operation != kHistAmp)
                std::swap(h->m_plusSlices, h->m_minusSlices);
        }
    }
    return true;
}
