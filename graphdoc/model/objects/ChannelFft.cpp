#include "graphdoc/model/objects/ChannelFft.h"

#include "common/cache/CacheTanks.h"
#include "common/calc/CalcuDataTank.h"
#include "common/tank/TimeDataTank.h"
#include "graphdoc/model/objects/FftMath.h"

#include <algorithm>
#include <cstring>
#include <cmath>
#include <memory>
#include <new>

namespace {

constexpr int kBlock = 0x10000;
constexpr int16_t kFloatType = 2;

void EmptyResults(CCacheFltDataTank& result, CTimeDataTank& frequency, int32_t& peak)
{
    peak = -1;
    frequency.SetDataCount(0);
    result.ReleaseWindow();
    result.ResizeArray(0);
    result.SetDataCount(0);
}

template <class T> bool ReadCacheBlocks(CCacheDataTank<T>& tank, int start, int count, double* dest)
{
    std::unique_ptr<T[]> block(new T[std::min(count, kBlock)]);
    for (int done = 0; done < count;) {
        const int n = std::min(kBlock, count - done);
        if (!tank.ReadValues(int64_t(start) + done, n, block.get()))
            return false;
        std::copy(block.get(), block.get() + n, dest + done);
        done += n;
    }
    return true;
}

// Float values are read into the front half of the doubles they become and
// widened from the back, so that no buffer beyond the signal is needed.
bool ReadFloatCache(CCacheDataTank<float>& tank, int start, int count, double* dest)
{
    unsigned char* bytes = reinterpret_cast<unsigned char*>(dest);
    for (int done = 0; done < count;) {
        const int n = std::min(kBlock, count - done);
        unsigned char* block = bytes + size_t(done) * sizeof(double);
        if (!tank.ReadValues(int64_t(start) + done, n, reinterpret_cast<float*>(block)))
            return false;
        for (int i = n - 1; i >= 0; --i) {
            float f;
            std::memcpy(&f, block + size_t(i) * sizeof(float), sizeof f);
            const double d = f;
            std::memcpy(block + size_t(i) * sizeof(double), &d, sizeof d);
        }
        done += n;
    }
    return true;
}

// The result goes straight into the tank's file in blocks, so that a
// spectrum longer than any window never needs one. The values are narrowed
// to floats in place, front to back (float k never overlaps a double not
// yet read).
bool WriteSpectrum(CCacheFltDataTank& result, double* v, int count)
{
    result.ReleaseWindow();
    if (!result.ResizeArray(count))
        return false;
    result.SetDataCount(count);
    unsigned char* bytes = reinterpret_cast<unsigned char*>(v);
    for (int k = 0; k < count; ++k) {
        double d;
        std::memcpy(&d, bytes + size_t(k) * sizeof(double), sizeof d);
        const float f = static_cast<float>(d);
        std::memcpy(bytes + size_t(k) * sizeof(float), &f, sizeof f);
    }
    const float* floats = reinterpret_cast<const float*>(bytes);
    for (int done = 0; done < count;) {
        const int n = std::min(kBlock, count - done);
        if (!result.WriteValues(done, n, floats + done))
            return false;
        done += n;
    }
    return true;
}

void Shift(double* v, int n, int shift)
{
    if (shift == spectrum::shiftMean)
        RemoveMean(v, n);
    else if (shift == spectrum::shiftTrend)
        RemoveLinearTrend(v, n);
}

void Window(double* v, int n, int window)
{
    if (window == spectrum::windowHamming)
        ApplyHammingWindow(v, n);
    else if (window == spectrum::windowHanning)
        ApplyHanningWindow(v, n);
}

} // namespace

bool ReadTankValues(CDataTankObject& tank, int start, int count, double* dest)
{
    if (count <= 0)
        return true;
    if (auto* calc = dynamic_cast<CCalcuDataTank*>(&tank); calc && calc->GetResultTank())
        return ReadTankValues(*calc->GetResultTank(), start, count, dest);
    if (start < 0 || int64_t(start) + count > tank.GetDataCount())
        return false;
    if (auto* cache = dynamic_cast<CCacheDataTank<float>*>(&tank))
        return ReadFloatCache(*cache, start, count, dest);
    if (auto* cache = dynamic_cast<CCacheDataTank<double>*>(&tank))
        return ReadCacheBlocks(*cache, start, count, dest);
    for (int i = 0; i < count; ++i)
        dest[i] = tank.GetValue(start + i);
    return true;
}

void UpdateSpectrumUnitText(CDataTankObject& source, int kind, CDataTankObject& result)
{
    result.SetName(source.GetName());
    const fw::CString unit = source.GetUnit();
    switch (kind) {
    case spectrum::kindPower:
        result.SetUnit(unit.IsEmpty() ? fw::CString() : fw::CString("(") + unit + ")\\super2\\super");
        break;
    case spectrum::kindPowerDb:
        result.SetUnit("dB");
        break;
    default:
        result.SetUnit(unit);
        break;
    }
}

SpectrumOutcome ComputeChannelSpectrum(const SpectrumSource& source, const SpectrumChoices& choices,
                                       CCacheFltDataTank& result, CTimeDataTank& frequency, int32_t& peak)
{
    CDataTankObject& tank = *source.tank;
    UpdateSpectrumUnitText(tank, choices.kind, result);
    if (tank.GetDataType() != kFloatType || source.externalClock) {
        EmptyResults(result, frequency, peak);
        return SpectrumOutcome::emptied;
    }
    if (!(source.clockMs > 0.0) || !std::isfinite(source.clockMs)) {
        EmptyResults(result, frequency, peak);
        return SpectrumOutcome::badClock;
    }
    int n = std::max(tank.GetDataCount(), 0);
    const int length = SpectrumLength(n, choices.countMode);
    n = std::min(n, length);
    frequency.SetInterval(length < 1 ? 1.0 : 1.0 / (source.clockMs / 1000.0 * length));
    if (length < 2) {
        EmptyResults(result, frequency, peak);
        return SpectrumOutcome::computed;
    }

    std::unique_ptr<double[]> v;
    try {
        v.reset(new double[length]);
    } catch (const std::bad_alloc&) {
        EmptyResults(result, frequency, peak);
        return SpectrumOutcome::noMemory;
    }
    if (!ReadTankValues(tank, 0, n, v.get())) {
        EmptyResults(result, frequency, peak);
        return SpectrumOutcome::emptied;
    }
    std::fill(v.get() + n, v.get() + length, 0.0);
    Shift(v.get(), n, choices.shift);
    Window(v.get(), n, choices.window);
    if (!SpectrumOfKind(v.get(), length, choices.kind)) {
        EmptyResults(result, frequency, peak);
        return SpectrumOutcome::noMemory;
    }

    const int points = length / 2;
    peak = FindSpectrumPeak(v.get(), points);
    const double peakValue = peak < 0 ? 0.0 : static_cast<double>(static_cast<float>(v[peak]));
    if (!WriteSpectrum(result, v.get(), points)) {
        EmptyResults(result, frequency, peak);
        return SpectrumOutcome::noMemory;
    }
    frequency.SetDataCount(points);
    result.SetMax(peakValue);
    result.SetMin(0.0);
    return SpectrumOutcome::computed;
}

bool CopySpectrumValues(CDataTankObject& from, CCacheFltDataTank& to)
{
    to.SetName(from.GetName());
    to.SetUnit(from.GetUnit());
    const int n = std::max(from.GetDataCount(), 0);
    std::unique_ptr<double[]> values;
    try {
        values.reset(new double[std::max(n, 1)]);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!ReadTankValues(from, 0, n, values.get()))
        return false;
    return WriteSpectrum(to, values.get(), n);
}
