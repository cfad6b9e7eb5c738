#include "chart/model/Regress.h"

#include <algorithm>
#include <iterator>
#include <cmath>

CRegress::CRegress()
{
    Reset();
}

void CRegress::SetDegree(int degree)
{
    m_degree = static_cast<int16_t>(std::clamp(degree, 0, kMaxDegree));
    Reset();
}

void CRegress::Reset()
{
    std::fill(std::begin(m_powerSums), std::end(m_powerSums), 0.0);
    std::fill(std::begin(m_ySums), std::end(m_ySums), 0.0);
    m_centre = 0.0;
    m_yCentre = 0.0;
    m_ySquares = 0.0;
    m_scaleExp = 0;
    m_xMin = 0.0;
    m_xMax = 0.0;
    m_pointCount = 0;
    m_firstPoint = 1;
    ResetCorrelation();
}

void CRegress::FitScale(double x)
{
    const double spread = std::fabs(x - m_centre);
    int exp = m_scaleExp;
    while (std::ldexp(1.0, exp) < spread)
        ++exp;
    if (exp == m_scaleExp)
        return;
    // u shrinks by 2^-(exp - old): each power k by 2^-k(exp - old), exactly.
    const int shift = exp - m_scaleExp;
    for (int k = 0; k <= 2 * m_degree; ++k)
        m_powerSums[k] = std::ldexp(m_powerSums[k], -shift * k);
    for (int k = 0; k <= m_degree; ++k)
        m_ySums[k] = std::ldexp(m_ySums[k], -shift * k);
    m_scaleExp = exp;
}

void CRegress::AddPoint(double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return;
    ++m_pointCount;
    if (m_firstPoint) {
        m_xMin = m_xMax = x;
        m_firstPoint = 0;
        m_centre = x;
        m_yCentre = y;
        // Start at the size of x itself, so that a second point near the
        // first does not blow the powers up.
        m_scaleExp = std::ilogb(std::max(std::fabs(x), 1.0)) - 20;
    }
    m_xMin = std::min(m_xMin, x);
    m_xMax = std::max(m_xMax, x);
    FitScale(x);

    const double u = std::ldexp(x - m_centre, -m_scaleExp);
    const double dy = y - m_yCentre;
    m_ySquares += dy * dy;
    double p = 1.0;
    for (int k = 0; k <= 2 * m_degree; ++k) {
        m_powerSums[k] += p;
        if (k <= m_degree)
            m_ySums[k] += dy * p;
        p *= u;
    }
}

void CRegress::SolveCentred(double* b) const
{
    const int n = m_degree + 1;
    double a[kMaxDegree + 1][kMaxDegree + 2];
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            a[i][j] = m_powerSums[i + j];
        a[i][n] = m_ySums[i];
    }
    for (int i = 0; i < n; ++i) {
        const double pivot = a[i][i];
        if (pivot == 0.0)
            break;
        for (int col = i; col <= n; ++col)
            a[i][col] /= pivot;
        for (int j = 0; j < n; ++j) {
            if (j == i)
                continue;
            const double f = a[j][i];
            for (int col = i; col <= n; ++col)
                a[j][col] -= f * a[i][col];
        }
    }
    for (int k = 0; k < n; ++k)
        b[k] = a[k][n];
}

void CRegress::Solve(double* c) const
{
    const int n = m_degree + 1;
    SolveCentred(c);
    // p(x) = y centre + sum b_k ((x - centre) / s)^k: expand each term
    // binomially.
    double b[kMaxDegree + 1];
    for (int k = 0; k < n; ++k)
        b[k] = std::ldexp(c[k], -m_scaleExp * k);
    b[0] += m_yCentre;
    for (int m = 0; m < n; ++m)
        c[m] = 0.0;
    for (int k = 0; k < n; ++k) {
        double binom = 1.0; // C(k, m) walked down from m = k
        double centrePow = 1.0; // (-centre)^(k - m)
        for (int m = k; m >= 0; --m) {
            c[m] += b[k] * binom * centrePow;
            binom = binom * m / (k - m + 1);
            centrePow *= -m_centre;
        }
    }
}

void CRegress::AddFitPair(double x, double y, const double* c)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return;
    double f = c[0];
    for (int k = 1; k <= m_degree; ++k)
        f += c[k] * std::pow(x, k);
    AddPair(y, f);
}

void CRegress::ResetCorrelation()
{
    m_meanA = m_meanB = 0.0;
    m_sumAA = m_sumBB = m_sumAB = 0.0;
    m_pairCount = 0;
}

void CRegress::AddPair(double a, double b)
{
    const double n = m_pairCount;
    ++m_pairCount;
    const double da = a - m_meanA;
    m_meanA += da / (n + 1);
    const double db = b - m_meanB;
    m_meanB += db / (n + 1);
    const double w = n / (n + 1);
    m_sumAA += da * da * w;
    m_sumBB += db * db * w;
    m_sumAB += da * db * w;
}

void CRegress::GetCorrelation(double& r) const
{
    r = 0.0;
    if (m_pairCount <= 1)
        return;
    const double n = m_pairCount;
    const double sa = std::sqrt(m_sumAA / n);
    const double sb = std::sqrt(m_sumBB / n);
    if (sa == 0.0 || sb == 0.0)
        return;
    r = m_sumAB / (n * sa * sb);
}

void CRegress::GetFitCorrelation(double& r) const
{
    r = 0.0;
    const double n = m_powerSums[0];
    if (m_pointCount <= 1 || n <= 1.0)
        return;
    double b[kMaxDegree + 1];
    SolveCentred(b);
    // With f the fitted value less the y centre, all in u.
    double sumF = 0.0, sumFF = 0.0, sumYF = 0.0;
    for (int j = 0; j <= m_degree; ++j) {
        sumF += b[j] * m_powerSums[j];
        sumYF += b[j] * m_ySums[j];
        for (int k = 0; k <= m_degree; ++k)
            sumFF += b[j] * b[k] * m_powerSums[j + k];
    }
    const double sumY = m_ySums[0];
    const double varY = m_ySquares - sumY * sumY / n;
    const double varF = sumFF - sumF * sumF / n;
    const double cov = sumYF - sumY * sumF / n;
    // A constant side (a fit of degree 0) leaves only rounding in its
    // variance; the pair pass answers 0 there.
    constexpr double kRoundoff = 1e-12;
    if (!(varY > kRoundoff * m_ySquares) || !(varF > kRoundoff * sumFF))
        return;
    r = std::clamp(cov / std::sqrt(varY * varF), -1.0, 1.0);
}
