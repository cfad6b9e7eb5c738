#pragma once

// Least-squares polynomial y = c0 + c1 x + ... + cd x^d (degree 0 to 9) over
// points that arrive one by one, and the correlation between observed and
// fitted values. Only running sums are kept, so adding a point and solving
// cost the same however many points came before.
//
// The sums are taken over u = (x - centre) / scale, with the centre at the
// first point and the scale a power of two that grows with the spread of x:
// raw powers of x near 45000 lose every digit a parabola needs, while u stays
// near [-1, 1]. Growing the scale by a power of two rescales the sums
// exactly. Solve turns the coefficients back into powers of x.

#include <cstdint>

class CRegress {
public:
    static constexpr int kMaxDegree = 9;

    CRegress();
    virtual ~CRegress() = default;

    // Stores the degree (kept within 0..9) and empties the object.
    virtual void SetDegree(int degree);
    virtual void Reset();
    // Ignored when x or y is not finite.
    virtual void AddPoint(double x, double y);
    // c receives degree + 1 coefficients, c0 first. Gauss-Jordan without
    // pivot search; an exactly zero pivot stops the elimination and leaves
    // the partly reduced values (points all at one x, degree 1: the mean of
    // y and 0). The sums stay, so more points may follow.
    virtual void Solve(double* c) const;
    // Ignored when x or y is not finite; pairs y with the fitted value.
    virtual void AddFitPair(double x, double y, const double* c);
    virtual void ResetCorrelation();
    // One running (Welford) step over the pair (a, b).
    virtual void AddPair(double a, double b);
    // Pearson's r of the pairs; 0 with fewer than two pairs or a constant side.
    virtual void GetCorrelation(double& r) const;
    // Pearson's r between the points and the fit that Solve gives now,
    // from the running sums alone: the same value as pairing every point
    // with its fitted value, at a cost independent of the point count.
    void GetFitCorrelation(double& r) const;

    int GetDegree() const { return m_degree; }
    uint32_t GetPointCount() const { return m_pointCount; }
    uint32_t GetPairCount() const { return m_pairCount; }
    double GetXMin() const { return m_xMin; }
    double GetXMax() const { return m_xMax; }

private:
    // Power sums of u: m_powerSums[k] = sum u^k (k = 0..2d); m_ySums[i] =
    // sum (y - y centre) u^i, with the first point's y as the centre, so
    // that a large mean of y does not swamp its spread.
    double m_powerSums[2 * kMaxDegree + 1];
    double m_ySums[kMaxDegree + 1];
    int16_t m_degree = 1;
    double m_centre = 0.0;
    double m_yCentre = 0.0;
    double m_ySquares = 0.0; // sum (y - y centre)^2
    // The scale is 2^m_scaleExp.
    int m_scaleExp = 0;
    double m_xMin = 0.0;
    double m_xMax = 0.0;
    uint32_t m_pointCount = 0;
    uint8_t m_firstPoint = 1;

    double m_meanA = 0.0;
    double m_meanB = 0.0;
    double m_sumAA = 0.0;
    double m_sumBB = 0.0;
    double m_sumAB = 0.0;
    uint32_t m_pairCount = 0;

    // Grows the scale until |x - centre| fits within it.
    void FitScale(double x);
    // The coefficients of u for y - y centre.
    void SolveCentred(double* b) const;
};
