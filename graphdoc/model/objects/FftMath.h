#pragma once

// The numeric routines of the power-spectrum graph: trend removal, windows,
// a plain radix-2 complex transform and the one-sided spectra of a real
// signal. Everything works in place on doubles; the graph stores the
// results as floats.
//
// The spectra run kissfft's transform on a real signal of N values with
// at most N more doubles of working memory (half for the transform's own
// tables, half for one quarter-length result), so a channel of 10^7 samples
// needs twice its padded length in doubles, not four or six times.

#include <cstdint>

namespace spectrum {

// Spectrum kinds of the settings.
enum Kind : int32_t { kindPower = 0, kindPowerDb = 1, kindAmplitude = 2 };
// Shift (trend) choices and window choices of the settings.
enum Shift : int32_t { shiftNone = 0, shiftMean = 1, shiftTrend = 2 };
enum Window : int32_t { windowRect = 0, windowHamming = 1, windowHanning = 2 };
// How the sample count becomes a power of two.
enum CountMode : int32_t { countTruncate = 0, countZeroPad = 1 };

} // namespace spectrum

// floor(log2 a) for a >= 1; -1 for 0 (and for negative a).
int IntLog2(int a);

// The transform length for n samples: truncate mode the largest power of two
// not above n, zero-pad mode the smallest not below it (n = 1 gives 2); 0
// when there is nothing to transform (n = 0, or n = 1 when truncating).
int SpectrumLength(int n, int countMode);

// Subtracts the mean of the n values; n = 0 leaves the array alone.
void RemoveMean(double* v, int n);
// Subtracts the least-squares line through (i, v[i]); non-finite values
// take no part in the fit.
void RemoveLinearTrend(double* v, int n);
// v[i] *= 0.54 - 0.46 cos(2 pi i / n) and 0.5 - 0.5 cos(2 pi i / n): the
// denominator is n, so the window does not return to its start at n - 1.
void ApplyHammingWindow(double* v, int n);
void ApplyHanningWindow(double* v, int n);

// In-place radix-2 transform of n complex values (n a power of two);
// sign -1 forward and scaled by 1/n, +1 inverse and unscaled. The plain
// textbook form: the reference the library transform is checked against.
void ComplexFft(double* re, double* im, int n, double sign);

// The one-sided power of a real signal of n values (n a power of two, at
// least 2) into v[0 .. n/2 - 1]: bin 0 is (X0/n)^2, bin k is (2|Xk|/n)^2, so
// a sine of amplitude A on bin k gives A^2. The Nyquist bin is not produced.
// False (v untouched) when the working memory cannot be had.
bool PowerSpectrum(double* v, int n);
// The same, then 10 log10 of each value (zero power gives minus infinity).
bool PowerSpectrumDb(double* v, int n);
// The same, then the square root of each value (a sine of amplitude A gives A).
bool AmplitudeSpectrum(double* v, int n);
// One of the three by kind (0 power, 1 dB, 2 amplitude; others: power).
bool SpectrumOfKind(double* v, int n, int kind);

// Index of the first value above 0 that no later value exceeds; -1 when no
// value is above 0.
int FindSpectrumPeak(const double* v, int count);
