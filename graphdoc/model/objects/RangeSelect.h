#pragma once

// The sample range of the range dialog: measuring times turned into
// 1-based sample numbers and back. A time that is a whole number of
// sampling intervals names that sample even when its binary form lies a
// hair above it (0.14 s at 10 ms is sample 15, not 16).

struct SampleRange {
    int first = 1;
    int last = 1;
    // The times reached outside 1..count and were fitted into it.
    bool fitted = false;
};

// first = ceil(first time / interval + 1) within 1..count, last likewise
// within first..count. An interval that is not above 0 selects everything
// and counts as fitted.
SampleRange SamplesFromTimes(double firstTime, double lastTime, double secondsPerSample, int count);
// Fits sample numbers into 1..count (last not below first).
SampleRange FitSamples(int first, int last, int count);
// The measuring time of a 1-based sample.
double TimeOfSample(int sample, double secondsPerSample);
