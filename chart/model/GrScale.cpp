#include "chart/model/GrScale.h"

#include <cmath>
#include <cstdint>
#include <utility>

namespace {

// 10^exponent by repeated squaring, as the steps are built from it.
double PowerOfTen(int exponent)
{
    double base = exponent < 0 ? 0.1 : 10.0;
    unsigned n = static_cast<unsigned>(exponent < 0 ? -exponent : exponent);
    double result = 1.0;
    while (n) {
        if (n & 1u)
            result *= base;
        base *= base;
        n >>= 1;
    }
    return result;
}

// The candidate steps 1b, 2b, 5b, 10b, 20b, ...
double Candidate(double base, int i)
{
    static constexpr double kMultiples[] = {1.0, 2.0, 5.0};
    return kMultiples[i % 3] * base * PowerOfTen(i / 3);
}

void Bounds(double minimum, double maximum, double s, double& first, double& last)
{
    first = std::floor(minimum / s);
    if (minimum >= (first + 1) * s)
        first += 1;
    last = std::ceil(maximum / s);
    if (maximum <= (last - 1) * s)
        last -= 1;
}

} // namespace

bool GrAutoScale(double minimum, double maximum, int divisions, double& outMinimum, double& outMaximum,
                 double& outStep)
{
    const bool minOk = std::isfinite(minimum);
    const bool maxOk = std::isfinite(maximum);
    if (!minOk && !maxOk) {
        minimum = 0.0;
        maximum = 10.0;
    } else if (!minOk) {
        minimum = maximum;
    } else if (!maxOk) {
        maximum = minimum;
    }
    if (maximum < minimum)
        std::swap(minimum, maximum);
    int n = static_cast<int16_t>(divisions);
    if (n < 1)
        n = 1;
    const double f = (maximum - minimum) / n;
    if (f == 0.0) {
        outMinimum = maximum - 10.0;
        outMaximum = maximum + 10.0;
        outStep = 10.0;
        return true;
    }
    if (!std::isfinite(f)) {
        // The span itself overflows a double: no round step exists.
        outMinimum = minimum;
        outMaximum = maximum;
        outStep = maximum / n - minimum / n;
        return true;
    }
    double base = PowerOfTen(static_cast<int>(std::floor(std::log10(f))));
    if (f >= 10.0 * base)
        base *= 10.0;
    int i = 0;
    double s = Candidate(base, i);
    while (s < f && i < 60)
        s = Candidate(base, ++i);
    double first = 0, last = 0;
    Bounds(minimum, maximum, s, first, last);
    while (last - first > n && i < 60) {
        s = Candidate(base, ++i);
        Bounds(minimum, maximum, s, first, last);
    }
    outMinimum = s * first;
    outMaximum = s * last;
    outStep = last > first ? (outMaximum - outMinimum) / (last - first) : s;
    return true;
}

bool GrLogAutoScale(double minimum, double maximum, int divisions, double& outLow, double& outHigh,
                    double& outStep)
{
    int n = static_cast<int16_t>(divisions);
    if (n < 1)
        n = 1;
    if ((maximum - minimum) / n == 0.0) {
        outLow = 1.0;
        outHigh = 10.0;
    } else {
        const float low = static_cast<float>(std::floor(std::log10(minimum)));
        outLow = std::isfinite(low) ? std::pow(10.0, low) : 1.0;
        const float high = static_cast<float>(std::floor(std::log10(maximum)));
        if (std::isfinite(high)) {
            outHigh = std::pow(10.0, high);
            if (maximum > outHigh)
                outHigh *= 10.0;
        } else {
            outHigh = 1000.0;
        }
    }
    outStep = outLow / 10.0;
    return true;
}
