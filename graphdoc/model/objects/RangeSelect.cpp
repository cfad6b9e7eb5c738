#include "graphdoc/model/objects/RangeSelect.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// ceil that forgives the rounding of a division: a quotient within a few
// units in the last place above a whole number is that number.
double TolerantCeil(double x)
{
    const double whole = std::round(x);
    if (std::fabs(x - whole) <= 1e-9 * std::max(1.0, std::fabs(x)))
        return whole;
    return std::ceil(x);
}

int SampleOf(double time, double secondsPerSample)
{
    const double x = TolerantCeil(time / secondsPerSample + 1.0);
    if (!(x > std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (!(x < std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return static_cast<int>(x);
}

} // namespace

SampleRange FitSamples(int first, int last, int count)
{
    SampleRange range;
    const int top = std::max(count, 1);
    range.first = std::clamp(first, 1, top);
    range.last = std::clamp(last, range.first, top);
    range.fitted = range.first != first || range.last != last;
    return range;
}

SampleRange SamplesFromTimes(double firstTime, double lastTime, double secondsPerSample, int count)
{
    if (!(secondsPerSample > 0.0) || !std::isfinite(secondsPerSample) || !std::isfinite(firstTime) ||
        !std::isfinite(lastTime)) {
        SampleRange all = FitSamples(1, count, count);
        all.fitted = true;
        return all;
    }
    return FitSamples(SampleOf(firstTime, secondsPerSample), SampleOf(lastTime, secondsPerSample), count);
}

double TimeOfSample(int sample, double secondsPerSample)
{
    return (sample - 1) * secondsPerSample;
}
