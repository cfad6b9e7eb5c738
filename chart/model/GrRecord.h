#pragma once

// The Gr primitives that work on a plot record: setting it up, the range
// and rectangle checks that record an error code instead of throwing, and
// the rounding and decade arithmetic that every axis shares.

#include <cstdint>

class OGPRecord;

// Error codes of the plot record.
enum GrError : int16_t {
    kGrNoError = 0,
    kGrErrEmptyXRange = 1,
    kGrErrEmptyYRange = 2,
    kGrErrNegativeValue = 5,
    kGrErrLabelCoord = 6,
    kGrErrCoord = 8,
    kGrErrNoReference = 11,
    kGrErrPlotRect = 12,
    kGrErrNoXRange = 14,
    kGrErrNoYRange = 15,
};

// A range narrower than this is empty.
inline constexpr double kGrEmptyRange = 1e-31;
// Device coordinates must stay within the 16-bit range.
inline constexpr double kGrCoordLimit = 32767.0;

// Inverted plot and frame rectangles (so that GrCheckPlotRect fails until
// real ones are set), no ranges, white background, no error. The clip
// rectangle stays.
void GrInitRecord(OGPRecord* rec);
// Plot, frame and clip rectangles all become the rectangle, its sides
// taken as 16-bit numbers.
void GrSetPlotRect(int left, int top, int right, int bottom, OGPRecord* rec);
void GrSetXRange(double minimum, double maximum, OGPRecord* rec);
void GrSetYRange(double minimum, double maximum, OGPRecord* rec);
// The range of the finite values among `count`; nothing is stored when
// there is none.
void GrSetXRangeFromData(int count, const float* values, OGPRecord* rec);
void GrSetYRangeFromData(int count, const float* values, OGPRecord* rec);

void GrClearError(OGPRecord* rec);
bool GrHasError(const OGPRecord* rec);
// Each records its error (index 0 unless said otherwise) and returns true
// when it finds one.
bool GrCheckXRange(double minimum, double maximum, OGPRecord* rec);
bool GrCheckYRange(double minimum, double maximum, OGPRecord* rec);
// Error 5 at the index of the first value below 0.
bool GrCheckNonNegative(int count, const float* values, OGPRecord* rec);
// Error 8 for a coordinate that is not finite or beyond +-32767.
bool GrCheckCoord(double value, OGPRecord* rec);
// The other way round: true when the plot and frame rectangles are usable,
// else error 12 and false.
bool GrCheckPlotRect(OGPRecord* rec);

// The integer part, plus one when the fraction is above 0.49999999;
// negative numbers are truncated toward zero.
int GrRound(double x);
// Logarithms with the program's own ln 10 (2.302585092994).
double GrLog10(double x);
double GrPow10(double x);
// True when x lies within 0.001 (in log10) of a power of ten.
bool GrIsDecade(double x);
// The step with which a logarithmic axis starting at x counts to its first
// decade: the power of ten at or below x, a tenth of it when x is itself a
// decade (so that the walk lands on it).
double GrLogStartValue(double x);
