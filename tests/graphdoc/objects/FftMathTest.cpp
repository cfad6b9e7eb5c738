#include "graphdoc/model/objects/FftMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(SpectrumMath, IntLog2CountsHalvings)
{
    const struct {
        int a, expected;
    } rows[] = {{0, -1}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {1000, 9}, {1024, 10}, {1025, 10}};
    for (const auto& row : rows)
        EXPECT_EQ(IntLog2(row.a), row.expected) << row.a;
}

TEST(SpectrumMath, LengthTruncatesOrPadsToPowerOfTwo)
{
    const struct {
        const char* name;
        int n, mode, expected;
    } rows[] = {
        {"1000 padded", 1000, spectrum::countZeroPad, 1024},
        {"1000 truncated", 1000, spectrum::countTruncate, 512},
        {"1024 padded", 1024, spectrum::countZeroPad, 1024},
        {"1024 truncated", 1024, spectrum::countTruncate, 1024},
        {"one padded", 1, spectrum::countZeroPad, 2},
        {"one truncated", 1, spectrum::countTruncate, 0},
        {"none padded", 0, spectrum::countZeroPad, 0},
        {"none truncated", 0, spectrum::countTruncate, 0},
        {"ten million padded", 10000000, spectrum::countZeroPad, 16777216},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SpectrumLength(row.n, row.mode), row.expected) << row.name;
}

TEST(SpectrumMath, FourSamplesGiveDcAndOneBin)
{
    std::vector<double> v{1, 2, 3, 4};
    ASSERT_TRUE(PowerSpectrum(v.data(), 4));
    EXPECT_NEAR(v[0], 6.25, 1e-12);
    EXPECT_NEAR(v[1], 2.0, 1e-12);
}

TEST(SpectrumMath, SineOnABinGivesItsAmplitudeInEveryKind)
{
    const int n = 1024;
    std::vector<double> sine(n);
    for (int i = 0; i < n; ++i)
        sine[i] = 2.0 * std::sin(2.0 * kPi * 131 * i / n);
    const struct {
        const char* name;
        int kind;
        double expected;
    } rows[] = {
        {"power", spectrum::kindPower, 4.0},
        {"amplitude", spectrum::kindAmplitude, 2.0},
        {"dB", spectrum::kindPowerDb, 6.0206},
    };
    for (const auto& row : rows) {
        std::vector<double> v = sine;
        ASSERT_TRUE(SpectrumOfKind(v.data(), n, row.kind)) << row.name;
        EXPECT_NEAR(v[131], row.expected, 1e-4) << row.name;
        EXPECT_EQ(FindSpectrumPeak(v.data(), n / 2), 131) << row.name;
        if (row.kind != spectrum::kindPowerDb) {
            EXPECT_NEAR(v[130], 0.0, 1e-9) << row.name;
        }
    }
}

// The library transform against the textbook one over random signals of
// every length the split handles differently.
TEST(SpectrumMath, PowerMatchesTheRadix2Transform)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-5.0, 5.0);
    for (int n : {2, 4, 8, 16, 32, 64, 1024, 8192}) {
        std::vector<double> v(n), re(n), im(n, 0.0);
        for (int i = 0; i < n; ++i)
            v[i] = re[i] = value(random);
        ComplexFft(re.data(), im.data(), n, -1.0);
        ASSERT_TRUE(PowerSpectrum(v.data(), n));
        for (int k = 0; k < n / 2; ++k) {
            const double factor = k == 0 ? 1.0 : 4.0;
            const double expected = factor * (re[k] * re[k] + im[k] * im[k]);
            EXPECT_NEAR(v[k], expected, 1e-9 * (1.0 + expected)) << "n " << n << " bin " << k;
        }
    }
}

TEST(SpectrumMath, ComplexTransformRoundTrips)
{
    const int n = 64;
    std::vector<double> re(n), im(n);
    for (int i = 0; i < n; ++i) {
        re[i] = std::cos(i * 0.3) + i;
        im[i] = std::sin(i * 0.7);
    }
    std::vector<double> re0 = re, im0 = im;
    ComplexFft(re.data(), im.data(), n, -1.0);
    ComplexFft(re.data(), im.data(), n, 1.0);
    for (int i = 0; i < n; ++i) {
        EXPECT_NEAR(re[i], re0[i], 1e-9);
        EXPECT_NEAR(im[i], im0[i], 1e-9);
    }
}

TEST(SpectrumMath, WindowsUseTheLengthAsDenominator)
{
    const int n = 10;
    std::vector<double> hanning(n, 1.0), hamming(n, 1.0);
    ApplyHanningWindow(hanning.data(), n);
    ApplyHammingWindow(hamming.data(), n);
    EXPECT_DOUBLE_EQ(hanning[0], 0.0);
    EXPECT_NEAR(hanning[n - 1], 0.5 - 0.5 * std::cos(2 * kPi * (n - 1) / n), 1e-12);
    EXPECT_NEAR(hanning[5], 1.0, 1e-12);
    EXPECT_NEAR(hamming[0], 0.08, 1e-12);
}

TEST(SpectrumMath, ShiftsRemoveMeanAndLine)
{
    std::vector<double> line(100);
    for (int i = 0; i < 100; ++i)
        line[i] = 3.0 + 0.25 * i;
    std::vector<double> centred = line;
    RemoveMean(centred.data(), 100);
    EXPECT_NEAR(centred[0], 3.0 - (3.0 + 0.25 * 49.5), 1e-9);
    RemoveLinearTrend(line.data(), 100);
    for (double x : line)
        EXPECT_NEAR(x, 0.0, 1e-9);
    RemoveMean(nullptr, 0);
}

TEST(SpectrumMath, PeakNeedsAValueAboveZero)
{
    const std::vector<double> db{-3.0, -1.0, -2.0};
    EXPECT_EQ(FindSpectrumPeak(db.data(), 3), -1);
    const std::vector<double> ties{0.0, 2.0, 2.0, 1.0};
    EXPECT_EQ(FindSpectrumPeak(ties.data(), 4), 1);
}

} // namespace
