// Frequency analyses and the program measurement of a control unit: their
// limits and texts, and how they are written to and read back from it.

#include "instrument/meter/KivMeter.h"

#include "common/base/ZelException.h"
#include "framework/core/DateTime.h"
#include "framework/core/Format.h"
#include "framework/core/Numbers.h"
#include "instrument/meter/SettingGroups.h"
#include "instrument/unit/KivVoltOutUnit.h"
#include "instrument/unit/UnitTexts.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kOperationCount = 8;
const char* const kOperationNames[kOperationCount] = {"NONE OP", "PEAK/V", "MAX/MIN", "AMP",
                                                     "TIME",    "LEVEL",  "RAIN",    "FROM/TO"};
const char* const kTimeBaseNames[] = {"1000msec", "100msec", "", "10msec"};

constexpr int kOpAmp = 3;
constexpr int kOpRain = 6;
constexpr int kOpMaxMin = 2;
constexpr int kOpPeak = 1;
constexpr int kMaxListLines = 1000;

struct Limits {
    int low;
    int high;
};

// Program fields 111-121.
constexpr Limits kProgramLimits[] = {{1, 12}, {1, 31}, {0, 23}, {0, 59}, {0, 30000}, {0, 59},
                                     {0, 59}, {1, 50}, {0, 30000}, {0, 59}, {0, 59}};

bool ToInt(double value, int& out)
{
    if (!std::isfinite(value) || std::fabs(value) > 2147483647.0)
        return false;
    out = static_cast<int>(value);
    return true;
}

// The numbers of a list line in order, whatever separates them.
std::vector<double> Numbers(const char* p)
{
    std::vector<double> out;
    while (*p) {
        const bool sign = (*p == '-' || *p == '+') && std::isdigit(static_cast<unsigned char>(p[1]));
        if (!sign && !std::isdigit(static_cast<unsigned char>(*p))) {
            ++p;
            continue;
        }
        const char* end = p;
        out.push_back(fw::StrToD(p, &end));
        p = end == p ? p + 1 : end;
    }
    return out;
}

bool IsWhole(double v)
{
    return std::isfinite(v) && v == std::trunc(v);
}

} // namespace

int FindOperationIndex(const char* text)
{
    return FindTextInTable(kOperationNames, kOperationCount, text);
}

const char* CKivMeter::OperationName(int operation)
{
    return operation >= 0 && operation < kOperationCount ? kOperationNames[operation] : "";
}

const char* CKivMeter::TimeBaseName(int timeBase)
{
    return timeBase >= 1 && timeBase <= 4 ? kTimeBaseNames[timeBase - 1] : "";
}

fw::CArray<int16_t>& CKivMeter::AnalysisArray(int code)
{
    return m_analysis[static_cast<size_t>(code - kAttrAnalysisInput)];
}

const fw::CArray<int16_t>& CKivMeter::AnalysisArray(int code) const
{
    return m_analysis[static_cast<size_t>(code - kAttrAnalysisInput)];
}

void CKivMeter::ResetFrequencySettings()
{
    m_memoryMode = 1;
    static constexpr int16_t kDefaults[] = {0, 1000, 100, 1, 1, 0, 50, 50};
    for (size_t a = 0; a < m_analysis.size(); ++a) {
        m_analysis[a].SetSize(kAnalyses);
        for (int16_t& v : m_analysis[a])
            v = kDefaults[a];
    }
    const fw::COleDateTime now = fw::COleDateTime::GetCurrentTime();
    const bool ok = now.GetStatus() == fw::COleDateTime::valid;
    m_program[0] = static_cast<int16_t>(ok ? now.GetMonth() : -1);
    m_program[1] = static_cast<int16_t>(ok ? now.GetDay() : -1);
    m_program[2] = static_cast<int16_t>(ok ? now.GetHour() : -1);
    m_program[3] = static_cast<int16_t>(ok ? now.GetMinute() : -1);
    m_program[4] = 0;
    m_program[5] = 1;
    m_program[6] = 0;
    m_program[7] = 1;
    m_program[8] = 0;
    m_program[9] = 1;
    m_program[10] = 0;
}

double CKivMeter::GetFrequencyValue(int index, int code) const
{
    if (code == kAttrMemoryMode)
        return m_memoryMode;
    return AnalysisArray(code).GetAt(index);
}

double CKivMeter::GetProgramValue(int code) const
{
    return m_program[static_cast<size_t>(code - kAttrStartMonth)];
}

bool CKivMeter::StartFieldsConsistent() const
{
    int unset = 0;
    for (int i = 0; i < 4; ++i)
        unset += m_program[static_cast<size_t>(i)] == -1;
    return unset == 0 || unset == 4;
}

bool CKivMeter::SetFrequencyValue(int index, int code, double value)
{
    int v = 0;
    if (!std::isfinite(value))
        return false;
    if (code == kAttrOffset) {
        // Away from zero, so that a fraction never loses its sign.
        if (value < -10000.0 || value > 10000.0)
            return false;
        v = static_cast<int>(value > 0 ? std::ceil(value) : std::floor(value));
        AnalysisArray(code).SetAt(index, static_cast<int16_t>(v));
        return true;
    }
    if (!ToInt(value, v))
        return false;
    if (code == kAttrMemoryMode) {
        if (v != 1)
            return false;
        m_memoryMode = 1;
        return true;
    }
    fw::CArray<int16_t>& array = AnalysisArray(code);
    const int plus = AnalysisArray(kAttrPlusSlice).GetAt(index);
    const int minus = AnalysisArray(kAttrMinusSlice).GetAt(index);
    switch (code) {
    case kAttrAnalysisInput:
        if (v < 0 || v > kChannels)
            return false;
        break;
    case kAttrFullScale:
        if (v < 200 || v > 20000)
            return false;
        break;
    case kAttrHysteresis:
        if (v < 4 || v > 5000)
            return false;
        break;
    case kAttrOperation: {
        if (v < 1 || v > 6)
            return false;
        const bool oneSided = v == kOpAmp || v == kOpRain;
        AnalysisArray(kAttrPlusSlice).SetAt(index, static_cast<int16_t>(oneSided ? 100 : 50));
        AnalysisArray(kAttrMinusSlice).SetAt(index, static_cast<int16_t>(oneSided ? 0 : 50));
        break;
    }
    case kAttrTimeBase:
        if (v == 3 || v < INT16_MIN || v > INT16_MAX)
            return false;
        break;
    case kAttrPlusSlice:
        if (v < 0 || v > 100 || (v == 0 && minus == 0))
            return false;
        if (v + minus > 100)
            AnalysisArray(kAttrMinusSlice).SetAt(index, static_cast<int16_t>(100 - v));
        break;
    case kAttrMinusSlice: {
        const int op = AnalysisArray(kAttrOperation).GetAt(index);
        if (v < 0 || v > 100 || (v != 0 && (op == kOpAmp || op == kOpRain)) || (v == 0 && plus == 0))
            return false;
        if (v + plus > 100)
            AnalysisArray(kAttrPlusSlice).SetAt(index, static_cast<int16_t>(100 - v));
        break;
    }
    default:
        return false;
    }
    array.SetAt(index, static_cast<int16_t>(v));
    return true;
}

bool CKivMeter::SetProgramValue(int code, double value)
{
    int v = 0;
    if (code < kAttrStartMonth || code > kAttrMeasureSeconds || !ToInt(value, v))
        return false;
    const size_t field = static_cast<size_t>(code - kAttrStartMonth);
    if (code <= kAttrStartMinute && v == -1) {
        for (size_t i = 0; i < 4; ++i)
            m_program[i] = -1;
        return true;
    }
    if (v < kProgramLimits[field].low || v > kProgramLimits[field].high)
        return false;
    m_program[field] = static_cast<int16_t>(v);
    return true;
}

const char* CKivMeter::GetFrequencyText(int index, int code, fw::CString& text) const
{
    const int v = static_cast<int>(code >= kAttrStartMonth ? GetProgramValue(code) : GetFrequencyValue(index, code));
    if (code == kAttrAnalysisInput && v == 0)
        text = "OFF";
    else if (code == kAttrOperation)
        text = OperationName(v);
    else if (code == kAttrTimeBase)
        text = TimeBaseName(v);
    else if (code >= kAttrStartMonth && code <= kAttrStartMinute && v == -1)
        text.Empty();
    else
        text.Format("%d", v);
    return text.c_str();
}

// ------------------------------------------------------------ to the unit

void CKivMeter::SendProgram()
{
    if (m_program[0] == -1)
        Command("PST**,**,**,**");
    else
        Command(fw::Format("PST%d,%d,%d,%d", m_program[0], m_program[1], m_program[2], m_program[3]));
    Command(fw::Format("PMA%d,%d,%d", m_program[8], m_program[9], m_program[10]));
    Command(fw::Format("PIV%d,%d,%d", m_program[4], m_program[5], m_program[6]));
    Command(fw::Format("PCY%d", m_program[7]));
}

void CKivMeter::SelectAnalyses(int first, int last)
{
    Command(fw::Format("VDT%d;%d", first, last));
}

void CKivMeter::WriteAnalysisSetting(int code)
{
    std::vector<fw::CString> texts(kAnalyses);
    for (int i = 0; i < kAnalyses; ++i) {
        if (code == kAttrAnalysisInput || AnalysisArray(kAttrAnalysisInput).GetAt(i) != 0)
            GetSettingText(code, i, texts[static_cast<size_t>(i)]);
    }
    for (const SettingGroup& group : GroupSettingTexts(texts)) {
        Command("RSV");
        SendRuns(group.member, kAnalyses, &CKivMeter::SelectAnalyses);
        WriteSettingText(code, group.text);
    }
}

int CKivMeter::GetLoadClass() const
{
    int peak = 0;
    int others = 0;
    for (int i = 0; i < kAnalyses; ++i) {
        if (AnalysisArray(kAttrAnalysisInput).GetAt(i) == 0)
            continue;
        if (AnalysisArray(kAttrOperation).GetAt(i) == kOpPeak)
            ++peak;
        else
            ++others;
    }
    const int total = peak + others;
    if (total == 0)
        return 0;
    if (total <= 16)
        return 1;
    return others > 0 ? 3 : 2;
}

bool CKivMeter::WriteFrequencySettings()
{
    if (!m_analysisAvailable)
        return true;
    try {
        const int loadClass = GetLoadClass();
        Command(fw::Format("MEM%d,%d", m_memoryMode, 2));
        for (int code : {kAttrAnalysisInput, kAttrFullScale, kAttrHysteresis, kAttrOperation, kAttrOffset, kAttrPlusSlice})
            WriteAnalysisSetting(code);
        Command(fw::Format("MEM%d,%d", m_memoryMode, loadClass == 1 ? 1 : 2));
        return true;
    } catch (const CZelException& e) {
        ReportFailure(e);
        return false;
    }
}

// ----------------------------------------------------------- from the unit

bool CKivMeter::ReadFrequencySettings()
{
    if (!m_analysisAvailable) {
        ResetFrequencySettings();
        return true;
    }
    try {
        ReadAnalysisLists();
        ReadProgramList();
        return true;
    } catch (const std::exception& e) {
        ReportFailure(e);
        return false;
    }
}

void CKivMeter::ReadAnalysisLists()
{
    auto store = [this](int index, int code, double value) {
        if (!SetValue(index, code, value, true))
            RaiseInvalidReply(kMsgInvalidSettings);
    };
    std::vector<fw::CString> lines;
    ReadTextList("LST3", lines, false);
    if (lines.size() != 1 || Numbers(lines[0].c_str()).size() < 2)
        RaiseInvalidReply(kMsgInvalidSettings);

    ReadTextList("LST1", lines, false);
    if (lines.size() != kAnalyses)
        RaiseInvalidReply(kMsgInvalidSettings);
    for (int i = 0; i < kAnalyses; ++i) {
        const std::vector<double> n = Numbers(lines[static_cast<size_t>(i)].c_str());
        if (n.size() < 7 || !IsWhole(n[0]) || !IsWhole(n[1]))
            RaiseInvalidReply(kMsgInvalidSettings);
        store(i, kAttrFullScale, n[0]);
        store(i, kAttrHysteresis, n[1]);
    }

    ReadTextList("LST4", lines, false);
    if (lines.size() > kAnalyses)
        RaiseInvalidReply(kMsgInvalidSettings);
    for (size_t i = 0; i < lines.size(); ++i) {
        fw::CString line = lines[i];
        line.Replace('*', '0');
        fw::CString name = line.Left(7);
        name.Trim();
        const std::vector<double> n = line.GetLength() > 8 ? Numbers(line.c_str() + 8) : std::vector<double>{};
        if (n.size() < 11 || n[4] + n[5] > 100)
            RaiseInvalidReply(kMsgInvalidSettings);
        const int index = static_cast<int>(i);
        if (!SetText(index, kAttrOperation, name.c_str(), true))
            RaiseInvalidReply(kMsgInvalidSettings);
        store(index, kAttrAnalysisInput, n[1]);
        store(index, kAttrPlusSlice, n[4]);
        store(index, kAttrMinusSlice, n[5]);
        store(index, kAttrTimeBase, n[0]);
    }

    ReadTextList("LST5", lines, false);
    if (lines.size() > kAnalyses)
        RaiseInvalidReply(kMsgInvalidSettings);
    for (size_t i = 0; i < lines.size(); ++i) {
        const int index = static_cast<int>(i);
        if (AnalysisArray(kAttrOperation).GetAt(index) != kOpMaxMin)
            continue;
        const std::vector<double> n = Numbers(lines[i].c_str());
        if (n.empty())
            RaiseInvalidReply(kMsgInvalidSettings);
        store(index, kAttrOffset, n[0]);
    }
}

void CKivMeter::ReadProgramList()
{
    auto store = [this](int code, double value) {
        if (!SetValue(0, code, value, true))
            RaiseInvalidReply(kMsgInvalidSettings);
    };
    std::vector<fw::CString> lines;
    ReadTextList("LST6", lines, false);
    if (lines.size() != 4)
        RaiseInvalidReply(kMsgInvalidSettings);
    if (lines[0].Find('*') >= 0) {
        store(kAttrStartMonth, -1);
    } else {
        const std::vector<double> n = Numbers(lines[0].c_str());
        if (n.size() < 4)
            RaiseInvalidReply(kMsgInvalidSettings);
        for (int i = 0; i < 4; ++i)
            store(kAttrStartMonth + i, n[static_cast<size_t>(i)]);
    }
    const int firstOfLine[] = {kAttrMeasureHours, kAttrIntervalHours};
    for (int l = 0; l < 2; ++l) {
        const std::vector<double> n = Numbers(lines[static_cast<size_t>(l + 1)].c_str());
        if (n.size() < 3)
            RaiseInvalidReply(kMsgInvalidSettings);
        for (int i = 0; i < 3; ++i)
            store(firstOfLine[l] + i, n[static_cast<size_t>(i)]);
    }
    const std::vector<double> n = Numbers(lines[3].c_str());
    if (n.empty())
        RaiseInvalidReply(kMsgInvalidSettings);
    store(kAttrCycleCount, n[0]);
}

void CKivMeter::ReadTextList(const char* command, std::vector<fw::CString>& list, bool)
{
    list.clear();
    Send(command);
    ReadReply();
    while (Link().GetReply().Find("END") < 0) {
        // A unit that never ends its list must not grow it without bound.
        if (list.size() >= kMaxListLines)
            RaiseInvalidReply();
        list.push_back(Link().GetReply());
        ReadReply();
    }
}

void CKivMeter::DefaultOutputSettings()
{
    // Output units are found by their ports: an empty port before them
    // would shift a count that starts after the input channels.
    for (int ch = 0; ch < kChannels; ++ch) {
        CKivUnit* unit = UnitOfChannel(ch);
        if (!unit || !unit->IsOutput())
            continue;
        const int c = ch % kChannelsPerPort;
        const double physical = unit->GetValue(c, CKivVoltOutUnit::kPhysicalInput);
        if (!(physical < 0))
            continue;
        const double source = unit->GetValue(c, CKivVoltOutUnit::kSourceChannel);
        double g = 1.0;
        if (std::isfinite(source) && source >= 1 && source <= kChannels) {
            const int s = static_cast<int>(source) - 1;
            const double coefficient = GetValue(s, 24);
            g = GetScaleFactor(s) * (std::isfinite(coefficient) ? std::fabs(coefficient) : 1.0);
        }
        const double range = unit->GetValue(c, 3);
        const double sensitivity = unit->GetValue(c, CKivVoltOutUnit::kSensitivity);
        if (!std::isfinite(range) || !std::isfinite(sensitivity) || sensitivity == 0)
            continue;
        unit->SetValue(c, CKivVoltOutUnit::kPhysicalInput, std::trunc(range / sensitivity) * g);
    }
}
