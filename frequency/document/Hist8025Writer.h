#pragma once

// Writes the analyses of a frequency record in the CSV form of the sibling
// instrument VO-8025: blocks of rows, each a label followed by one cell per
// analysis or per input channel.

#include "framework/core/CString.h"
#include "framework/core/DateTime.h"

#include <cstdint>
#include <vector>

class CHistDataBoxArray;
class CHistCountObj;
struct CHistOutParam;

namespace fw {
class CStdioFile;
}

class CHist8025Writer {
public:
    struct Record {
        fw::COleDateTime start;
        fw::COleDateTime stop;
        int32_t measuringSeconds = 0;
    };

    CHist8025Writer(const CHistDataBoxArray& analyses, const Record& record, fw::CStdioFile& out);

    // Every block the options choose, in the file's order.
    void WriteAll(const CHistOutParam& options);

    void WriteFrequencyBlock(unsigned label, const std::vector<int>& rows);
    void WriteMMBlock();
    void WriteInputBlock();
    void WriteConditionsBlock();

    // The integer of the cross-level row: the cross level in percent of the
    // full scale, rounded; empty when the full scale is 0.
    static fw::CString CrossLevelPercent(double crossLevel, double fullScale);
    // The TIME sampling frequency "%dHz"; empty for a sample time that
    // gives none (0, negative, or beyond an int).
    static fw::CString SamplingText(double sampleMs);
    // "%H:%M:%S" of a span, hours within the last day.
    static fw::CString SpanText(int32_t seconds);

private:
    using CellOf = fw::CString (CHist8025Writer::*)(int row) const;

    void Line(const fw::CString& text);
    void EmptyLines(int n);
    void Head(unsigned label);
    void TimeRows();
    void Row(unsigned label, const std::vector<int>& rows, CellOf cell);
    void EmptyRow(unsigned label, const std::vector<int>& rows);
    void SliceTable(unsigned label, int column, const std::vector<int>& rows);
    std::vector<int> ChannelRows() const;

    fw::CString Text(int row, int column) const;
    fw::CString Number(int row) const;
    fw::CString Operation(int row) const;
    fw::CString Channel(int row) const;
    fw::CString Comment(int row) const;
    fw::CString FullScale(int row) const;
    fw::CString Unit(int row) const;
    fw::CString Sampling(int row) const;
    fw::CString CrossLevel(int row) const;
    fw::CString PlusSlices(int row) const;
    fw::CString MinusSlices(int row) const;
    fw::CString Filter(int row) const;
    fw::CString Coupling(int row) const;
    fw::CString Sense(int row) const;
    fw::CString Capacity(int row) const;
    fw::CString Micro(int row) const;
    fw::CString Range(int row) const;
    fw::CString Coefficient(int row) const;
    fw::CString Max(int row) const;
    fw::CString Min(int row) const;
    fw::CString Average(int row) const;
    fw::CString MidRange(int row) const;
    fw::CString MaxTime(int row) const;
    fw::CString MinTime(int row) const;
    fw::CString ChannelNumber(int row) const;
    fw::CString Hysteresis(int row) const;

    const CHistCountObj* At(int row) const;

    const CHistDataBoxArray& m_analyses;
    Record m_record;
    fw::CStdioFile& m_out;
    fw::CString m_titleLine;
    std::string m_line;
};
