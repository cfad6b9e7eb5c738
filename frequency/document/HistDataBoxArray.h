#pragma once

// The frequency document's holder of its analyses, and the one place where
// views, text outputs and graphs turn a field of an analysis into a number
// or a text, by column number.

#include "framework/core/CString.h"
#include "framework/core/Object.h"

#include <cstdint>

class CHistCountArray;
class CHistCountObj;

// The columns, in the order the analysis views show them.
enum HistColumn : int {
    kHistColName = 0,
    kHistColUnit = 1,
    kHistColChannel = 2,
    kHistColOperation = 3,
    kHistColFullScale = 4,
    kHistColHysteresis = 5,
    kHistColCrossOrSample = 6,
    kHistColPlusSlices = 7,
    kHistColMinusSlices = 8,
    kHistColPlusOver = 9,
    kHistColMinusOver = 10,
    kHistColRange = 11,
    kHistColAttenuation = 12,
    kHistColFilter = 13,
    kHistColFilterKind = 14,
    kHistColHighPass = 15,
    kHistColDmc = 16,
    kHistColRjc = 17,
    kHistColCoefficient = 18,
    kHistColRatedOutput = 19,
    kHistColCapacity = 20,
    kHistColFormat = 21,
    kHistColMax = 22,
    kHistColMaxTime = 23,
    kHistColMin = 24,
    kHistColMinTime = 25,
    kHistColAverage = 26,
    kHistColMidRange = 27,
    kHistColComment = 28,
    kHistColumnCount = 29,
};

class CHistDataBoxArray : public fw::CObject {
    FW_DECLARE_SERIAL(CHistDataBoxArray)
public:
    CHistDataBoxArray();
    ~CHistDataBoxArray() override;
    CHistDataBoxArray(const CHistDataBoxArray&) = delete;
    CHistDataBoxArray& operator=(const CHistDataBoxArray&) = delete;

    // Takes `array` (null allowed) in place of the one held so far.
    bool SetHistCountArray(CHistCountArray* array);
    CHistCountArray* GetHistCountArray() const { return m_array; }
    int GetCount() const { return m_count; }

    // A row at or past the count, or no array, leaves `text` as it is; a
    // negative row: fw::CInvalidArgException.
    void GetText(int row, int column, fw::CString& text) const;
    // HUGE_VAL for a row outside the analyses or a column without number.
    double GetValue(int row, int column) const;
    // Only the display format (0..5) can be set; a negative row:
    // fw::CInvalidArgException.
    bool SetValue(int row, int column, double value);
    bool SetText(int row, int column, const fw::CString& text);

    // Storing: the array as a class-tagged object; loading: reads one.
    void Serialize(fw::CArchive& ar) override;

private:
    CHistCountObj* AnalysisAt(int row) const;
    bool ShowsRaw() const;

    CHistCountArray* m_array = nullptr;
    int16_t m_count = 0;
};

// The unit shown for an analysis' unit index ("\super" marks superscript);
// empty outside the table.
const char* HistDisplayUnitText(int index);
// The unit an analysis shows: the table's text, or its own unit text for
// index -1.
fw::CString HistDisplayUnit(const CHistCountObj& h);
