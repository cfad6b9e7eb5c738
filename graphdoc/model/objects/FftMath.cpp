#include "graphdoc/model/objects/FftMath.h"

#include "chart/model/Regress.h"

#include <kissfft.hh>

#include <cmath>
#include <complex>
#include <memory>
#include <new>

namespace {

using Complex = std::complex<double>;

constexpr double kPi = 3.14159265358979323846;

// exp(-2 pi i k / length) for k = 0, 1, 2, ...: a rotation per step,
// recomputed exactly every few steps so that rounding cannot build up over
// millions of bins.
class Rotor {
public:
    explicit Rotor(double length) : m_angle(-2.0 * kPi / length), m_step(std::polar(1.0, m_angle)) {}
    Complex Next()
    {
        if (m_k % kExactEvery == 0)
            m_w = std::polar(1.0, m_angle * static_cast<double>(m_k));
        else
            m_w *= m_step;
        ++m_k;
        return m_w;
    }

private:
    static constexpr int64_t kExactEvery = 32;
    double m_angle;
    Complex m_step;
    Complex m_w{1.0, 0.0};
    int64_t m_k = 0;
};

// Short signals: the sums themselves.
void SmallPower(double* v, int n)
{
    const int half = n / 2;
    double power[8] = {};
    for (int k = 0; k < half; ++k) {
        Complex x;
        for (int m = 0; m < n; ++m)
            x += v[m] * std::polar(1.0, -2.0 * kPi * k * m / n);
        const double mag = std::norm(x) / (double(n) * n);
        power[k] = k == 0 ? mag : 4.0 * mag;
    }
    for (int k = 0; k < half; ++k)
        v[k] = power[k];
}

// The spectrum of N real values as the transform of N/2 complex values z
// (even samples real, odd imaginary), itself split into two quarter-length
// transforms so that only one quarter-length result needs memory of its own.
bool LargePower(double* v, int n)
{
    const int half = n / 2;       // M: length of the complex transform
    const int quarter = half / 2; // Q
    Complex* z = reinterpret_cast<Complex*>(v);
    std::unique_ptr<Complex[]> even;
    std::unique_ptr<kissfft<double>> fft;
    try {
        fft = std::make_unique<kissfft<double>>(quarter, false);
        even.reset(new Complex[quarter]);
    } catch (const std::bad_alloc&) {
        return false;
    }
    fft->transform(z, even.get(), 0, 1, 2);
    // The odd values move to the front; the back half receives their transform.
    for (int q = 0; q < quarter; ++q)
        z[q] = z[2 * q + 1];
    fft->transform(z, z + quarter);
    fft.reset();

    Rotor halfTurn(half);
    for (int k = 0; k < quarter; ++k) {
        const Complex t = halfTurn.Next() * z[quarter + k];
        z[k] = even[k] + t;
        z[quarter + k] = even[k] - t;
    }
    even.reset();

    // z now holds the transform of the complex signal; unpack the real one.
    const double z0re = z[0].real();
    const double z0im = z[0].imag();
    Rotor fullTurn(n);
    fullTurn.Next();
    for (int k = 1; k < quarter; ++k) {
        const Complex a = z[k];
        const Complex b = std::conj(z[half - k]);
        const Complex fe = 0.5 * (a + b);
        const Complex fo = Complex(0.0, -0.5) * (a - b);
        const Complex t = fullTurn.Next() * fo;
        z[k] = fe + t;
        z[half - k] = std::conj(fe - t);
    }
    // Bin M/2 is the conjugate of z[M/2]: its power is unchanged.
    const double scale = 1.0 / (double(n) * n);
    const double dc = z0re + z0im;
    v[0] = dc * dc * scale;
    for (int k = 1; k < half; ++k)
        v[k] = 4.0 * std::norm(z[k]) * scale;
    return true;
}

} // namespace

int IntLog2(int a)
{
    int halvings = 0;
    while (a > 0) {
        a /= 2;
        ++halvings;
    }
    return halvings - 1;
}

int SpectrumLength(int n, int countMode)
{
    const int k = IntLog2(n);
    int length = k > 0 ? (1 << k) : 0;
    if (countMode == spectrum::countZeroPad && n != length && n > 0) {
        if (k + 1 > 30)
            return 0;
        length = 1 << (k + 1);
    }
    return length;
}

void RemoveMean(double* v, int n)
{
    if (n <= 0)
        return;
    long double sum = 0.0L;
    for (int i = 0; i < n; ++i)
        sum += v[i];
    const double mean = static_cast<double>(sum / n);
    for (int i = 0; i < n; ++i)
        v[i] -= mean;
}

void RemoveLinearTrend(double* v, int n)
{
    if (n <= 0)
        return;
    CRegress fit;
    fit.SetDegree(1);
    for (int i = 0; i < n; ++i)
        fit.AddPoint(i, v[i]);
    double c[2] = {0.0, 0.0};
    fit.Solve(c);
    for (int i = 0; i < n; ++i)
        v[i] -= c[0] + c[1] * i;
}

namespace {

void ApplyCosineWindow(double* v, int n, double a, double b)
{
    if (n <= 0)
        return;
    const double step = 2.0 * kPi / n;
    for (int i = 0; i < n; ++i)
        v[i] *= a - b * std::cos(step * i);
}

} // namespace

void ApplyHammingWindow(double* v, int n)
{
    ApplyCosineWindow(v, n, 0.54, 0.46);
}

void ApplyHanningWindow(double* v, int n)
{
    ApplyCosineWindow(v, n, 0.5, 0.5);
}

void ComplexFft(double* re, double* im, int n, double sign)
{
    int j = 0;
    for (int i = 0; i < n - 1; ++i) {
        if (i <= j) {
            std::swap(re[i], re[j]);
            std::swap(im[i], im[j]);
        }
        int k = n / 2;
        while (k <= j) {
            j -= k;
            k /= 2;
        }
        j += k;
    }
    double angle = kPi;
    for (int le = 1; le <= n / 2; le *= 2) {
        const double c = std::cos(angle);
        const double s = std::sin(sign * angle);
        double ur = 1.0;
        double ui = 0.0;
        for (int jj = 0; jj < le; ++jj) {
            for (int k = jj; k < n; k += 2 * le) {
                const double tr = re[k + le] * ur - im[k + le] * ui;
                const double ti = re[k + le] * ui + im[k + le] * ur;
                re[k + le] = re[k] - tr;
                im[k + le] = im[k] - ti;
                re[k] += tr;
                im[k] += ti;
            }
            const double next = ur * c - ui * s;
            ui = ur * s + ui * c;
            ur = next;
        }
        angle *= 0.5;
    }
    if (sign < 0) {
        for (int k = 0; k < n; ++k) {
            re[k] /= n;
            im[k] /= n;
        }
    }
}

bool PowerSpectrum(double* v, int n)
{
    if (n < 2)
        return true;
    if (n < 16) {
        SmallPower(v, n);
        return true;
    }
    return LargePower(v, n);
}

bool PowerSpectrumDb(double* v, int n)
{
    if (!PowerSpectrum(v, n))
        return false;
    for (int k = 0; k < n / 2; ++k)
        v[k] = 10.0 * std::log10(v[k]);
    return true;
}

bool AmplitudeSpectrum(double* v, int n)
{
    if (!PowerSpectrum(v, n))
        return false;
    for (int k = 0; k < n / 2; ++k)
        v[k] = std::sqrt(v[k]);
    return true;
}

bool SpectrumOfKind(double* v, int n, int kind)
{
    switch (kind) {
    case spectrum::kindPowerDb:
        return PowerSpectrumDb(v, n);
    case spectrum::kindAmplitude:
        return AmplitudeSpectrum(v, n);
    default:
        return PowerSpectrum(v, n);
    }
}

int FindSpectrumPeak(const double* v, int count)
{
    double maximum = 0.0;
    int peak = -1;
    for (int i = 0; i < count; ++i) {
        if (v[i] > maximum) {
            maximum = v[i];
            peak = i;
        }
    }
    return peak;
}
