// Settings read back from a box's control unit, and the values it measured
// stored into the channel tanks.

#include "instrument/system/BoxPropaty.h"

#include "common/calc/CashCalcuDataTank.h"
#include "common/tank/DataTankObject.h"
#include "framework/core/Exceptions.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/DataPropaty.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

int ToIntOr(double value, int fallback)
{
    return std::isfinite(value) && std::fabs(value) < 2147483647.0 ? static_cast<int>(value) : fallback;
}

constexpr int kTankTypeFloatCode = 2;
// Rows stored together, channel by channel: small enough to stay in cache,
// large enough that each tank writes its window out in few pieces.
constexpr size_t kStoreSliceBytes = 2 * 1024 * 1024;
constexpr int kTankTypeDoubleCode = 8;

int16_t ReadInt16(const uint8_t* p)
{
    int16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

int32_t ReadInt32(const uint8_t* p)
{
    int32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

} // namespace

// ------------------------------------------------------- analysis values

void CBoxPropaty::TakeAnalysisValuesFromMeter()
{
    const CKivMeter& meter = Meter();
    for (int u = 0; u < kAnalyses; ++u) {
        const double fullScale = meter.GetValue(u, kAttrRawFullScale);
        const double hysteresis = meter.GetValue(u, kAttrRawHysteresis);
        const double crossLevel = meter.GetValue(u, kAttrRawCrossLevel);
        const int source = FindBoxChannel(ToIntOr(meter.GetValue(u, kAttrAnalysisInput), 0));
        FLG_VALUE& fs = m_fullScale.ElementAt(u);
        FLG_VALUE& hy = m_hysteresis.ElementAt(u);
        FLG_VALUE& cl = m_crossLevel.ElementAt(u);
        fs.value = source >= 0 ? ToEngValue(source, fullScale, false) : fullScale;
        // The hysteresis is kept in percent of the full scale.
        hy.value = fullScale != 0.0 && std::isfinite(fullScale) ? hysteresis / fullScale * 100.0 : 0.0;
        cl.value = source >= 0 ? ToEngValue(source, crossLevel, true) : crossLevel;
        fs.flag = hy.flag = cl.flag = 1;
    }
}

void CBoxPropaty::SyncHistogramFromMeter(int valueAttr, int flagAttr, int rawAttr, bool withOffset)
{
    for (int u = 0; u < kAnalyses; ++u) {
        const double raw = Meter().GetValue(u, rawAttr);
        const int number = ToIntOr(Meter().GetValue(u, kAttrAnalysisInput), 0);
        const double stored = AnalysisArray(valueAttr).GetAt(u).value;
        const int j = FindBoxChannel(number);
        bool flag = true;
        if (j >= 0) {
            if (ToRawValue(j, stored, withOffset, true) != raw)
                flag = SetChannelValue(u, valueAttr, ToEngValue(j, raw, withOffset));
        } else if (stored != raw) {
            flag = SetChannelValue(u, valueAttr, raw);
        }
        SetChannelValue(u, flagAttr, flag ? 1.0 : 0.0);
    }
}

bool CBoxPropaty::ReadHistogramSettings()
{
    CKivMeter& meter = Meter();
    bool ok = false;
    try {
        ok = meter.ReadFrequencySettings();
    } catch (const std::exception&) {
        ok = false;
    }
    if (!ok) {
        meter.Close();
        return false;
    }
    for (int u = 0; u < kAnalyses; ++u) {
        const double fullScale = meter.GetValue(u, kAttrRawFullScale);
        const double hysteresis = meter.GetValue(u, kAttrRawHysteresis);
        const double percent = fullScale != 0.0 ? hysteresis / fullScale * 100.0 : 0.0;
        const bool taken = SetChannelValue(u, kAttrHysteresis, percent);
        SetChannelValue(u, kAttrHysteresisOk, taken ? 1.0 : 0.0);
    }
    SyncHistogramFromMeter(kAttrFullScale, kAttrFullScaleOk, kAttrRawFullScale, false);
    SyncHistogramFromMeter(kAttrCrossLevel, kAttrCrossLevelOk, kAttrRawCrossLevel, true);
    return true;
}

// ----------------------------------------------------------- read-back

bool CBoxPropaty::ReadSettingsFromMeter()
{
    CKivMeter& meter = Meter();
    try {
        if (!meter.ReadAllSettings())
            return false;
    } catch (const std::exception&) {
        return false;
    }
    static constexpr int kPairs[][2] = {
        {kAttrRatedOutput, CDataPropaty::kRatedOutput},
        {kAttrCapacity, CDataPropaty::kCapacity},
        {kAttrUnitText, kAttrUnitText},
        {kAttrDecimals, CDataPropaty::kFormat},
    };
    const int channels = static_cast<int>(m_props.size());
    // The instrument's settings arrive one after another; re-deriving raw
    // values from a half-copied channel would send wrong values back.
    m_recalc = false;
    for (int i = 0; i < channels; ++i) {
        for (int pass = 0; pass < 4; ++pass) {
            for (const auto& pair : kPairs) {
                fw::CString text;
                GetDisplayText(pair[0], i, text);
                SetChannelText(i, pair[1], text.c_str());
            }
        }
    }
    m_recalc = true;
    for (int i = 0; i < channels; ++i) {
        const int ch = GetUnitChannel(i);
        double raw = meter.GetValue(ch, kAttrTriggerRaw);
        if (raw == meter.GetRawUpperLimit(ch) + 1.0)
            raw = HUGE_VAL;
        CDataPropaty* prop = GetDataPropaty(i);
        const double stored = prop->GetValue(CDataPropaty::kTriggerLevel);
        if (ToRawValue(i, stored, true, true) == raw) {
            prop->SetValue(CDataPropaty::kTriggerAccepted, 1.0);
        } else {
            const bool taken = prop->SetValue(CDataPropaty::kTriggerLevel, ToEngValue(i, raw, true));
            prop->SetValue(CDataPropaty::kTriggerAccepted, taken ? 1.0 : 0.0);
        }
    }
    for (int i = 0; i < channels; ++i) {
        ResetOffsetIfNoBalance(i);
        RecalcChannelTank(i);
    }
    return true;
}

// --------------------------------------------------------------- samples

void CBoxPropaty::StoreCurrentValues()
{
    const CKivMeter& meter = Meter();
    for (int i = 0; i < static_cast<int>(m_props.size()); ++i) {
        const int ch = GetUnitChannel(i);
        m_props[static_cast<size_t>(i)]->SetCurrentValue(meter.GetCurrentValue(ch), meter.GetValue(ch, kAttrCoefficient));
    }
}

int CBoxPropaty::StoreSamples(int firstRow, int count, int rowSize, std::span<const uint8_t> samples,
                              const CKivMeter* meter)
{
    const CKivMeter& own = Meter();
    const int channels = std::min<int>(meter ? meter->GetInputChannels() : own.GetInputChannels(),
                                       static_cast<int>(m_props.size()));
    if (channels <= 0 || m_props.empty() || firstRow < 0 || rowSize <= 0)
        fw::ThrowInvalidArgException();
    CDataTankObject* first = GetChannelTank(0);
    if (!first)
        fw::ThrowInvalidArgException();
    count = std::min(count, first->GetDataCount() - firstRow);
    if (count <= 0)
        return 0;
    // The row layout must fit the rows the caller hands over, or every
    // channel after the first misfit would read its neighbour's bytes.
    int width = 0;
    for (int i = 0; i < channels; ++i) {
        const int ch = GetUnitChannel(i);
        if (own.GetValue(ch, kAttrOnOff) == 1.0)
            width += own.GetValue(ch, kAttrBitsPerSample) == 16.0 ? 2 : 4;
    }
    if (width > rowSize || samples.size() < static_cast<size_t>(count) * static_cast<size_t>(rowSize))
        fw::ThrowInvalidArgException();
    struct Column {
        int channel;
        int offset;
        bool wide;
        int done;
    };
    std::vector<Column> columns;
    int offset = 0;
    for (int i = 0; i < channels; ++i) {
        const int ch = GetUnitChannel(i);
        if (own.GetValue(ch, kAttrOnOff) != 1.0)
            continue;
        const bool wide = own.GetValue(ch, kAttrBitsPerSample) != 16.0;
        columns.push_back({i, offset, wide, 0});
        offset += wide ? 4 : 2;
    }
    // Each channel reads its column down the rows; taking the rows a slice
    // at a time keeps the slice in the processor's cache for all channels
    // instead of bringing a large buffer in from memory once per channel.
    const int sliceRows = std::max(1, static_cast<int>(kStoreSliceBytes / static_cast<size_t>(rowSize)));
    for (int start = 0; start < count; start += sliceRows) {
        const int n = std::min(sliceRows, count - start);
        const auto slice = samples.subspan(static_cast<size_t>(start) * static_cast<size_t>(rowSize));
        for (Column& c : columns) {
            // A channel whose tank stopped taking values stays where it stopped.
            if (c.done == start)
                c.done += StoreChannelSamples(c.channel, firstRow + start, n, rowSize, c.offset, c.wide, slice);
        }
    }
    int stored = count;
    for (const Column& c : columns)
        stored = std::min(stored, c.done);
    return stored;
}

int CBoxPropaty::StoreChannelSamples(int boxChannel, int firstRow, int count, int rowSize, int column, bool wide,
                                     std::span<const uint8_t> samples)
{
    const CKivMeter& meter = Meter();
    const int ch = GetUnitChannel(boxChannel);
    const double scale = meter.GetScaleFactor(ch);
    const double offset = GetDataPropaty(boxChannel)->GetValue(CDataPropaty::kOffset);
    const double coefficient = meter.GetValue(ch, kAttrCoefficient);
    auto convert = [&](int row) -> double {
        const uint8_t* p = samples.data() + static_cast<size_t>(row) * static_cast<size_t>(rowSize) + column;
        if (wide) {
            const int32_t s = ReadInt32(p);
            return s == 2147483647 ? HUGE_VAL : (s * scale + offset) * coefficient;
        }
        const int16_t s = ReadInt16(p);
        return s >= 32767 || s <= -32767 ? HUGE_VAL : (s * scale + offset) * coefficient;
    };

    CDataTankObject* tank = GetChannelTank(boxChannel);
    if (!tank)
        return 0;
    auto* cache = dynamic_cast<CCashCalcuDataTank*>(tank);
    const int16_t type = tank->GetDataType();
    const bool windowed = cache && cache->IsCacheBacked() &&
                          type == (wide ? kTankTypeDoubleCode : kTankTypeFloatCode);
    if (!windowed) {
        // A tank without a window of the sample's value type takes the
        // values one by one, converted by the tank itself.
        for (int row = 0; row < count; ++row)
            tank->SetValue(firstRow + row, convert(row));
        return count;
    }
    int done = 0;
    while (done < count) {
        const int loaded = cache->LoadCacheWindow(firstRow + done, count - done, 0, false);
        void* buffer = cache->GetCacheWindowBuffer();
        if (loaded <= 0 || !buffer)
            break;
        const int n = std::min(loaded, count - done);
        for (int k = 0; k < n; ++k) {
            const double v = convert(done + k);
            if (wide)
                static_cast<double*>(buffer)[k] = v;
            else
                static_cast<float*>(buffer)[k] = static_cast<float>(v);
        }
        cache->SetCacheDirty(true);
        done += n;
    }
    return done;
}
