#pragma once

// Automatic scaling: a range that covers the data in round steps.

// Linear: steps of 1, 2 or 5 times a power of ten, at most `divisions`
// of them (divisions taken as 16 bits, at least 1). A single value v gives
// v - 10 to v + 10 in steps of 10. A bound that is not finite is left
// out (none finite: 0 to 10). Always true.
bool GrAutoScale(double minimum, double maximum, int divisions, double& outMinimum, double& outMaximum,
                 double& outStep);
// Logarithmic: from the decade at or below the minimum (1 when the minimum
// is not positive) to the decade at or above the maximum (1000 when it is
// not positive or not finite); the step is a tenth of the low decade.
// Always true.
bool GrLogAutoScale(double minimum, double maximum, int divisions, double& outLow, double& outHigh,
                    double& outStep);
