#include "chart/model/Regress.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

struct Point {
    double x, y;
};

// Fits, then feeds the points again for the correlation.
struct Fit {
    std::vector<double> c;
    double r = 0.0;
};

Fit FitPoints(CRegress& reg, int degree, const std::vector<Point>& points)
{
    reg.SetDegree(degree);
    for (const auto& p : points)
        reg.AddPoint(p.x, p.y);
    Fit fit;
    fit.c.assign(CRegress::kMaxDegree + 1, 0.0);
    reg.Solve(fit.c.data());
    reg.ResetCorrelation();
    for (const auto& p : points)
        reg.AddFitPair(p.x, p.y, fit.c.data());
    reg.GetCorrelation(fit.r);
    return fit;
}

struct FitCase {
    const char* name;
    int degree;
    std::vector<Point> points;
    std::vector<double> coefficients;
};

TEST(Regress, FitsTheTableOfSmallCases)
{
    const FitCase cases[] = {
        {"line", 1, {{0, 1}, {1, 3}, {2, 5}}, {1, 2}},
        {"parabola", 2, {{-1, 1}, {0, 0}, {1, 1}, {2, 4}}, {0, 0, 1}},
        {"degree 0 is the mean", 0, {{0, 1}, {5, 2}, {9, 6}}, {3}},
        {"one x only", 1, {{2, 1}, {2, 2}, {2, 6}}, {3, 0}},
        {"cubic", 3, {{-2, -8}, {-1, -1}, {0, 0}, {1, 1}, {2, 8}, {3, 27}}, {0, 0, 0, 1}},
    };
    for (const auto& tc : cases) {
        CRegress reg;
        const Fit fit = FitPoints(reg, tc.degree, tc.points);
        for (size_t k = 0; k < tc.coefficients.size(); ++k)
            EXPECT_NEAR(fit.c[k], tc.coefficients[k], 1e-9) << tc.name << " c" << k;
    }
}

TEST(Regress, ExactLineHasCorrelationOne)
{
    CRegress reg;
    EXPECT_NEAR(FitPoints(reg, 1, {{0, 1}, {1, 3}, {2, 5}}).r, 1.0, 1e-12);
}

// Raw powers of x near 45000 (x^4 ~ 4e18) swamp a parabola's curvature.
TEST(Regress, ParabolaFarFromZeroFitsExactly)
{
    std::vector<Point> points;
    for (int i = 0; i <= 200; ++i) {
        const double x = 45000.0 + i * 0.05;
        const double d = x - 45005.0;
        points.push_back({x, 3.0 + 0.5 * d * d});
    }
    CRegress reg;
    const Fit fit = FitPoints(reg, 2, points);
    EXPECT_NEAR(fit.r, 1.0, 1e-9);
    // y = 0.5 x^2 - 45005 x + (3 + 0.5 * 45005^2)
    EXPECT_NEAR(fit.c[2], 0.5, 1e-9);
    EXPECT_NEAR(fit.c[1], -45005.0, 1e-4);
    EXPECT_DOUBLE_EQ(reg.GetXMin(), 45000.0);
    EXPECT_DOUBLE_EQ(reg.GetXMax(), 45010.0);
}

TEST(Regress, HighDegreeRecoversItsPolynomial)
{
    // A degree 9 polynomial sampled over [0, 1000].
    const double coeffs[10] = {1, -2, 0.5, 0, 0, 0, 0, 0, 0, 1e-24};
    std::vector<Point> points;
    for (int i = 0; i <= 2000; ++i) {
        const double x = i * 0.5;
        double y = 0.0;
        for (int k = 9; k >= 0; --k)
            y = y * x + coeffs[k];
        points.push_back({x, y});
    }
    CRegress reg;
    EXPECT_NEAR(FitPoints(reg, 9, points).r, 1.0, 1e-9);
}

TEST(Regress, NonFiniteValuesAreIgnored)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    CRegress reg;
    reg.AddPoint(1, 2);
    reg.AddPoint(3, 4);
    double before[2];
    reg.Solve(before);
    reg.AddPoint(100, nan);
    reg.AddPoint(inf, 1);
    reg.AddPoint(nan, 1);
    EXPECT_EQ(reg.GetPointCount(), 2u);
    EXPECT_EQ(reg.GetXMax(), 3.0);
    double after[2];
    reg.Solve(after);
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[1], before[1]);

    reg.ResetCorrelation();
    reg.AddFitPair(1, nan, after);
    EXPECT_EQ(reg.GetPairCount(), 0u);
}

TEST(Regress, SolveKeepsTheSumsForMorePoints)
{
    CRegress reg;
    reg.AddPoint(0, 0);
    reg.AddPoint(1, 1);
    double c[2];
    reg.Solve(c);
    EXPECT_NEAR(c[1], 1.0, 1e-12);
    reg.AddPoint(2, 4);
    reg.Solve(c);
    // Least squares through (0,0), (1,1), (2,4): y = -1/3 + 2x.
    EXPECT_NEAR(c[0], -1.0 / 3.0, 1e-12);
    EXPECT_NEAR(c[1], 2.0, 1e-12);
    reg.SetDegree(1);
    EXPECT_EQ(reg.GetPointCount(), 0u);
}

TEST(Regress, CorrelationFromTheSumsEqualsThePairPass)
{
    struct Row {
        const char* name;
        int degree;
        double xStart, yMean;
    };
    const Row rows[] = {
        {"line near zero", 1, 0, 0},
        {"parabola far from zero", 2, 45000, 300},
        {"degree 5", 5, -3, 1e4},
        {"degree 0", 0, 10, 5},
    };
    for (const auto& row : rows) {
        std::vector<Point> points;
        for (int i = 0; i < 400; ++i) {
            const double x = row.xStart + i * 0.01;
            const double noise = ((i * 7919) % 101 - 50) * 0.002;
            points.push_back({x, row.yMean + std::sin(i * 0.05) + noise});
        }
        CRegress reg;
        const Fit fit = FitPoints(reg, row.degree, points);
        double fromSums = 0.0;
        reg.GetFitCorrelation(fromSums);
        EXPECT_NEAR(fromSums, fit.r, 1e-7) << row.name;
    }
    CRegress one;
    one.AddPoint(1, 1);
    double r = 5;
    one.GetFitCorrelation(r);
    EXPECT_EQ(r, 0.0);
}

TEST(Regress, CorrelationOfPairs)
{
    struct Row {
        const char* name;
        std::vector<Point> pairs;
        double r;
    };
    const Row rows[] = {
        {"rising", {{1, 1}, {2, 2}}, 1.0},
        {"falling", {{1, 2}, {2, 1}}, -1.0},
        {"single pair", {{1, 1}}, 0.0},
        {"constant side", {{1, 5}, {2, 5}, {3, 5}}, 0.0},
    };
    for (const auto& row : rows) {
        CRegress reg;
        for (const auto& p : row.pairs)
            reg.AddPair(p.x, p.y);
        double r = 99;
        reg.GetCorrelation(r);
        EXPECT_NEAR(r, row.r, 1e-12) << row.name;
    }
}

} // namespace
