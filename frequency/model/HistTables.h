#pragma once

// The fixed tables of the frequency analyses: operation codes and the texts
// the instrument writes for them, the titles of the count-table columns,
// the engineering units of the headers and the sample times of TIME.

// Operation codes as the instrument numbers them.
enum : int {
    kHistNoneOp = 0,
    kHistPeakValley = 1,
    kHistMaxMin = 2,
    kHistAmp = 3,
    kHistTime = 4,
    kHistLevel = 5,
    kHistRain = 6,
    kHistFromTo = 7,
};
inline constexpr int kHistOperationCount = 8;
inline constexpr int kHistLabelColumns = 4;
inline constexpr int kHistUnitCount = 41;
inline constexpr int kHistUnitNone = 29; // the text " "
inline constexpr int kHistSampleTimeCount = 4;

// Empty outside 0..7.
const char* HistOperationText(int code);
// Searched from the last entry, exact and case-sensitive; -1 when absent.
int FindHistOperation(const char* text);

// Title of column `column` (0..3) of the count table of operations 1..6;
// empty for other operations and for the columns a row does not have.
const char* HistCountLabel(int operation, int column);

// Empty outside 0..40.
const char* HistUnitText(int index);
// Searched from the last entry, exact and case-sensitive; -1 when absent.
int FindHistUnitIndex(const char* text);

// "1000msec", "100msec", "" and "10msec"; empty outside 0..3.
const char* HistSampleTimeText(int index);

// The measuring-range text of a sensor mode code; empty for a code the
// table does not hold.
const char* HistSensorModeText(int code);
