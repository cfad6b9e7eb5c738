#include "frequency/document/Hist8025Writer.h"

#include "common/base/TextFile.h"
#include "common/base/ValueFormat.h"
#include "common/tank/DblDataTank.h"
#include "framework/core/File.h"
#include "framework/core/Format.h"
#include "framework/core/ServiceSlot.h"
#include "frequency/document/HistDataBoxArray.h"
#include "frequency/document/HistOutParam.h"
#include "frequency/document/ProgramFileVersion.h"
#include "frequency/model/HistCountArray.h"
#include "frequency/model/HistStrings.h"
#include "frequency/model/HistTables.h"

#include <climits>
#include <cmath>
#include <map>

namespace {

constexpr int kSliceRange = 200;
constexpr int kAnalysisRows = 8;
constexpr int kInfoRows = 9;
constexpr int kConditionRows = 10;

// Row labels by string id.
enum : unsigned {
    kOperation = 671, kChannelX = 672, kCommentX = 673, kFullScaleX = 674, kUnitX = 675,
    kChannelY = 676, kCommentY = 677, kFullScaleY = 678, kUnitY = 679, kSampling = 680, kCross = 681,
    kSliceXPlus = 682, kSliceXMinus = 683, kSliceYPlus = 684, kSliceYMinus = 685,
    kChannel = 691, kComment = 692, kFullScale = 693, kUnit = 694, kFilter = 695, kCoupling = 696,
    kSense = 697, kCapacity = 698, kMicroUnit = 699, kGauge = 700, kMin = 702, kAverage = 703,
    kHalfPP = 704, kMaxTime = 705, kMinTime = 706,
};

fw::CString NameWithoutPrefix(const fw::CString& name)
{
    fw::CString text = name;
    text.Replace("DN_", "");
    return text;
}

bool IsOneColumn(int operation)
{
    return operation == kHistTime || operation == kHistRain || operation == kHistNoneOp ||
           operation == kHistFromTo;
}

} // namespace

fw::CString ProgramFileVersionText()
{
    const IProgramFileVersion* version = fw::Installed<IProgramFileVersion>();
    return version ? version->FileVersion() : fw::CString();
}

CHist8025Writer::CHist8025Writer(const CHistDataBoxArray& analyses, const Record& record, fw::CStdioFile& out)
    : m_analyses(analyses), m_record(record), m_out(out)
{
    fw::CString version = ProgramFileVersionText();
    version.Replace(",", ".");
    m_titleLine = HistString(histstr::kAppTitle) + ",VER." + version;
}

void CHist8025Writer::WriteAll(const CHistOutParam& options)
{
    const int count = m_analyses.GetCount();
    if (options.m_all) {
        std::vector<int> rows;
        for (int i = 0; i < count; ++i)
            rows.push_back(i);
        WriteFrequencyBlock(histstr::kAllBlock, rows);
    }
    if (options.m_separate) {
        for (int i = 0; i < count && i < static_cast<int>(options.m_selection.size()); ++i) {
            if (options.m_selection[static_cast<size_t>(i)])
                WriteFrequencyBlock(histstr::kOneBlock, {i});
        }
    }
    if (options.m_mmData)
        WriteMMBlock();
    if (options.m_inputChannels)
        WriteInputBlock();
    if (options.m_conditions)
        WriteConditionsBlock();
}

// ------------------------------------------------------------------ lines

void CHist8025Writer::Line(const fw::CString& text)
{
    m_out.WriteString(text);
    m_out.WriteString("\n");
}

void CHist8025Writer::EmptyLines(int n)
{
    for (int i = 0; i < n; ++i)
        m_out.WriteString("\n");
}

void CHist8025Writer::Head(unsigned label)
{
    Line(m_titleLine);
    Line(HistString(label));
}

void CHist8025Writer::TimeRows()
{
    const fw::CString pattern = HistString(histstr::kDateFormat);
    auto date = [&pattern](const fw::COleDateTime& d) {
        return d.GetStatus() == fw::COleDateTime::valid ? d.Format(pattern.c_str()) : fw::CString();
    };
    Line(HistString(histstr::kStartTime) + "," + date(m_record.start));
    Line(HistString(histstr::kStopTime) + "," + date(m_record.stop));
    Line(HistString(histstr::kMeasuringTime) + "," + SpanText(m_record.measuringSeconds));
}

void CHist8025Writer::Row(unsigned label, const std::vector<int>& rows, CellOf cell)
{
    m_line = HistString(label).str();
    for (int row : rows) {
        m_line += ',';
        m_line += CTextFile::MakeCsvField((this->*cell)(row)).str();
    }
    Line(fw::CString(m_line));
}

void CHist8025Writer::EmptyRow(unsigned label, const std::vector<int>& rows)
{
    m_line = HistString(label).str();
    m_line.append(rows.size(), ',');
    Line(fw::CString(m_line));
}

// ------------------------------------------------------------------ blocks

void CHist8025Writer::WriteFrequencyBlock(unsigned label, const std::vector<int>& rows)
{
    Head(label);
    TimeRows();
    Row(histstr::kAnalysisNo, rows, &CHist8025Writer::Number);
    Row(kOperation, rows, &CHist8025Writer::Operation);
    Row(kChannelX, rows, &CHist8025Writer::Channel);
    Row(kCommentX, rows, &CHist8025Writer::Comment);
    Row(kFullScaleX, rows, &CHist8025Writer::FullScale);
    Row(kUnitX, rows, &CHist8025Writer::Unit);
    for (unsigned id : {kChannelY, kCommentY, kFullScaleY, kUnitY})
        EmptyRow(id, rows);
    Row(kSampling, rows, &CHist8025Writer::Sampling);
    Row(kCross, rows, &CHist8025Writer::CrossLevel);
    Row(kSliceXPlus, rows, &CHist8025Writer::PlusSlices);
    Row(kSliceXMinus, rows, &CHist8025Writer::MinusSlices);
    EmptyRow(kSliceYPlus, rows);
    EmptyRow(kSliceYMinus, rows);
    EmptyLines(kAnalysisRows);
    Row(histstr::kSliceTableHead, rows, &CHist8025Writer::Number);
    SliceTable(histstr::kBothSides, 2, rows);
    SliceTable(histstr::kPlusSide, 0, rows);
    SliceTable(histstr::kMinusSide, 1, rows);
}

void CHist8025Writer::SliceTable(unsigned label, int column, const std::vector<int>& rows)
{
    Line(HistString(label));
    // Per analysis: its table, slices and the first value of the column.
    struct Source {
        const CDblDataTank* tank = nullptr;
        int plus = 0;
        int minus = 0;
        size_t first = 0;
    };
    std::vector<Source> sources;
    for (int row : rows) {
        Source s;
        if (const CHistCountObj* h = At(row)) {
            s.tank = h->GetCountTank();
            s.plus = h->m_plusSlices;
            s.minus = h->m_minusSlices;
            const int useColumn = IsOneColumn(h->m_operation) ? 0 : column;
            s.first = static_cast<size_t>(useColumn) * static_cast<size_t>(h->GetSliceCount());
        }
        sources.push_back(s);
    }
    fw::CString cell;
    for (int slice = kSliceRange; slice >= -kSliceRange; --slice) {
        if (slice == 0)
            continue;
        m_line = std::to_string(slice);
        for (const Source& s : sources) {
            m_line += ',';
            if (!s.tank || slice > s.plus || slice < -s.minus)
                continue;
            const size_t at = s.first + static_cast<size_t>(s.minus + slice - (slice > 0 ? 1 : 0));
            const auto values = s.tank->Values();
            if (at >= values.size())
                continue;
            FormatDataValue(values[at], kFormatGeneral18, cell);
            m_line += cell.str();
        }
        Line(fw::CString(m_line));
    }
}

void CHist8025Writer::WriteMMBlock()
{
    const std::vector<int> rows = ChannelRows();
    Head(histstr::kMMBlock);
    TimeRows();
    Row(kChannel, rows, &CHist8025Writer::Channel);
    Row(kComment, rows, &CHist8025Writer::Comment);
    Row(kFullScale, rows, &CHist8025Writer::FullScale);
    Row(kFilter, rows, &CHist8025Writer::Filter);
    Row(kCoupling, rows, &CHist8025Writer::Coupling);
    Row(kSense, rows, &CHist8025Writer::Sense);
    Row(kUnit, rows, &CHist8025Writer::Unit);
    Row(kCapacity, rows, &CHist8025Writer::Capacity);
    Row(kMicroUnit, rows, &CHist8025Writer::Micro);
    Row(kGauge, rows, &CHist8025Writer::Range);
    Row(histstr::kCoefficient, rows, &CHist8025Writer::Coefficient);
    EmptyLines(kInfoRows);
    Row(histstr::kMaxValue, rows, &CHist8025Writer::Max);
    Row(kMin, rows, &CHist8025Writer::Min);
    Row(kAverage, rows, &CHist8025Writer::Average);
    Row(kHalfPP, rows, &CHist8025Writer::MidRange);
    Row(kMaxTime, rows, &CHist8025Writer::MaxTime);
    Row(kMinTime, rows, &CHist8025Writer::MinTime);
}

void CHist8025Writer::WriteInputBlock()
{
    const std::vector<int> rows = ChannelRows();
    Head(histstr::kInputBlock);
    Row(histstr::kChannelNo, rows, &CHist8025Writer::ChannelNumber);
    Row(kComment, rows, &CHist8025Writer::Comment);
    Row(kFullScale, rows, &CHist8025Writer::FullScale);
    Row(histstr::kHysteresisFs, rows, &CHist8025Writer::Hysteresis);
    EmptyRow(histstr::kHysteresisValue, rows);
    Row(kFilter, rows, &CHist8025Writer::Filter);
    Row(kCoupling, rows, &CHist8025Writer::Coupling);
    Row(kSense, rows, &CHist8025Writer::Sense);
    Row(kUnit, rows, &CHist8025Writer::Unit);
    Row(kCapacity, rows, &CHist8025Writer::Capacity);
    Row(kMicroUnit, rows, &CHist8025Writer::Micro);
    Row(kGauge, rows, &CHist8025Writer::Range);
    Row(histstr::kCoefficient, rows, &CHist8025Writer::Coefficient);
    EmptyLines(kInfoRows);
}

void CHist8025Writer::WriteConditionsBlock()
{
    std::vector<int> rows;
    for (int i = 0; i < m_analyses.GetCount(); ++i)
        rows.push_back(i);
    Head(histstr::kConditionsBlock);
    Row(histstr::kAnalysisNo, rows, &CHist8025Writer::Number);
    Row(kOperation, rows, &CHist8025Writer::Operation);
    Row(kChannelX, rows, &CHist8025Writer::Channel);
    EmptyRow(kChannelY, rows);
    Row(kSampling, rows, &CHist8025Writer::Sampling);
    Row(kCross, rows, &CHist8025Writer::CrossLevel);
    Row(kSliceXPlus, rows, &CHist8025Writer::PlusSlices);
    Row(kSliceXMinus, rows, &CHist8025Writer::MinusSlices);
    EmptyRow(kSliceYPlus, rows);
    EmptyRow(kSliceYMinus, rows);
    EmptyLines(kConditionRows);
}

// The first analysis of each input channel, by ascending channel.
std::vector<int> CHist8025Writer::ChannelRows() const
{
    std::map<int, int> firstOf;
    for (int i = 0; i < m_analyses.GetCount(); ++i) {
        if (const CHistCountObj* h = At(i))
            firstOf.emplace(h->m_inputChannel, i);
    }
    std::vector<int> rows;
    for (const auto& [channel, row] : firstOf)
        rows.push_back(row);
    return rows;
}

// ------------------------------------------------------------------ cells

const CHistCountObj* CHist8025Writer::At(int row) const
{
    const CHistCountArray* array = m_analyses.GetHistCountArray();
    return array && row >= 0 && row < array->GetSize() ? array->GetAt(row) : nullptr;
}

fw::CString CHist8025Writer::Text(int row, int column) const
{
    fw::CString text;
    m_analyses.GetText(row, column, text);
    return text;
}

fw::CString CHist8025Writer::CrossLevelPercent(double crossLevel, double fullScale)
{
    if (fullScale == 0.0 || !std::isfinite(crossLevel) || !std::isfinite(fullScale))
        return {};
    const double percent = std::round(crossLevel / fullScale * 100.0);
    if (!(percent >= INT_MIN && percent <= INT_MAX))
        return {};
    return fw::Format("%d", static_cast<int>(percent));
}

fw::CString CHist8025Writer::SamplingText(double sampleMs)
{
    if (!(sampleMs > 0.0))
        return {};
    const double hz = std::trunc(1.0 / (sampleMs / 1000.0));
    if (!(hz <= INT_MAX))
        return {};
    return fw::Format("%dHz", static_cast<int>(hz));
}

fw::CString CHist8025Writer::SpanText(int32_t seconds)
{
    const int64_t s = seconds < 0 ? 0 : seconds;
    return fw::Format("%02d:%02d:%02d", static_cast<int>(s / 3600 % 24), static_cast<int>(s / 60 % 60),
                      static_cast<int>(s % 60));
}

fw::CString CHist8025Writer::Number(int row) const
{
    const CHistCountObj* h = At(row);
    return h ? NameWithoutPrefix(h->m_name) : fw::CString();
}

fw::CString CHist8025Writer::Operation(int row) const
{
    const CHistCountObj* h = At(row);
    return h ? fw::CString(h->GetOperationText()) : fw::CString();
}

fw::CString CHist8025Writer::Channel(int row) const
{
    const CHistCountObj* h = At(row);
    return h ? fw::Format("%d", h->m_inputChannel) : fw::CString();
}

fw::CString CHist8025Writer::Comment(int row) const { return Text(row, kHistColComment); }

fw::CString CHist8025Writer::FullScale(int row) const
{
    const CHistCountObj* h = At(row);
    return h ? fw::Format("%g", static_cast<double>(h->m_fullScale)) : fw::CString();
}

fw::CString CHist8025Writer::Unit(int row) const { return Text(row, kHistColUnit); }

fw::CString CHist8025Writer::Sampling(int row) const
{
    const CHistCountObj* h = At(row);
    return h && h->m_operation == kHistTime ? SamplingText(h->m_sampleTime) : fw::CString();
}

fw::CString CHist8025Writer::CrossLevel(int row) const
{
    const CHistCountObj* h = At(row);
    return h && h->m_operation == kHistMaxMin ? CrossLevelPercent(h->m_crossLevel, h->m_fullScale) : fw::CString();
}

fw::CString CHist8025Writer::PlusSlices(int row) const
{
    const CHistCountObj* h = At(row);
    return h ? fw::Format("%u", static_cast<unsigned>(h->m_plusSlices)) : fw::CString();
}

fw::CString CHist8025Writer::MinusSlices(int row) const
{
    const CHistCountObj* h = At(row);
    if (!h || h->m_operation == kHistAmp || h->m_operation == kHistRain)
        return {};
    return fw::Format("%u", static_cast<unsigned>(h->m_minusSlices));
}

fw::CString CHist8025Writer::Filter(int row) const
{
    const CHistCountObj* h = At(row);
    return h ? fw::Format("%d", h->m_filter) : fw::CString();
}

fw::CString CHist8025Writer::Coupling(int) const { return "DC"; }

fw::CString CHist8025Writer::Sense(int row) const { return Text(row, kHistColRatedOutput); }

fw::CString CHist8025Writer::Capacity(int row) const { return Text(row, kHistColCapacity); }

fw::CString CHist8025Writer::Micro(int) const { return HistDisplayUnitText(36); }

fw::CString CHist8025Writer::Range(int row) const { return Text(row, kHistColRange); }

fw::CString CHist8025Writer::Coefficient(int row) const { return Text(row, kHistColCoefficient); }

fw::CString CHist8025Writer::Max(int row) const { return Text(row, kHistColMax); }

fw::CString CHist8025Writer::Min(int row) const { return Text(row, kHistColMin); }

fw::CString CHist8025Writer::Average(int row) const { return Text(row, kHistColAverage); }

fw::CString CHist8025Writer::MidRange(int row) const { return Text(row, kHistColMidRange); }

fw::CString CHist8025Writer::MaxTime(int row) const
{
    fw::CString text = Text(row, kHistColMaxTime);
    text.Replace("'", "20");
    return text;
}

fw::CString CHist8025Writer::MinTime(int row) const
{
    fw::CString text = Text(row, kHistColMinTime);
    text.Replace("'", "20");
    return text;
}

fw::CString CHist8025Writer::ChannelNumber(int row) const { return Text(row, kHistColChannel); }

fw::CString CHist8025Writer::Hysteresis(int row) const
{
    const CHistCountObj* h = At(row);
    return h ? fw::Format("%g", static_cast<double>(h->m_hysteresis)) : fw::CString();
}
