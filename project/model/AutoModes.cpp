// The programs of the interval, data-comparator and cycle-trigger modes:
// checks of their rows, and the running position the measurement panel
// advances after each measurement.

#include "project/model/KIV5980Doc.h"

#include "common/calc/CalcuDataTank.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "project/model/ProjectStrings.h"

#include <cmath>
#include <vector>

namespace {

constexpr int kEndless = 0;
constexpr int kRepeat = 1;
constexpr int kGoto = 2;
constexpr int kNotSet = 3;
constexpr double kHalfSecond = 0.5 / 86400.0;
constexpr double kMaxSpanDays = 3615897.0;
// A GOTO chain visits each row at most once; this bounds any walk.
constexpr int kMaxWalk = 1000;

// Messages of one program, in the order interval, comparator, cycle.
struct ProgramMessages {
    unsigned empty;
    unsigned noQuantity;
    unsigned noRepeat;
    unsigned badGoto;
    unsigned noControl;
};
constexpr ProgramMessages kMessages[CKIV5980Doc::kProgramCount] = {
    {prjstr::kMsgIntervalEmpty, prjstr::kMsgIntervalNoSpan, prjstr::kMsgIntervalNoRepeat,
     prjstr::kMsgIntervalBadGoto, prjstr::kMsgIntervalNoControl},
    {prjstr::kMsgCompEmpty, prjstr::kMsgCompNoChange, prjstr::kMsgCompNoRepeat, prjstr::kMsgCompBadGoto,
     prjstr::kMsgCompNoControl},
    {prjstr::kMsgCycleEmpty, prjstr::kMsgCycleNoStep, prjstr::kMsgCycleNoRepeat, prjstr::kMsgCycleBadGoto,
     prjstr::kMsgCycleNoControl},
};
// Columns of the control and repeat words.
constexpr int kControlColumn[CKIV5980Doc::kProgramCount] = {5, 2, 2};
constexpr int kRequiredColumns[CKIV5980Doc::kProgramCount] = {7, 4, 4};

double Seconds(double date)
{
    return std::floor(date * 86400.0 + 0.5) / 86400.0;
}

} // namespace

struct CKIV5980Doc::ProgramRow {
    int control = kNotSet;
    bool hasRepeat = false;
    int repeat = 0;
    // Interval: start date and time; comparator: channel; cycle: start cycle.
    bool hasFirst = false;
    double first = 0;
    bool hasSecond = false;
    double second = 0;
    // Interval: hours, minutes, seconds; comparator: change; cycle: step.
    bool hasQuantity = false;
    double quantity = 0;
    double hours = 0, minutes = 0, seconds = 0;
};

void CKIV5980Doc::RequireColumns(Program p, int count)
{
    if (!m_programs[p] || m_programs[p]->GetSize() < count)
        fw::ThrowInvalidArgException();
}

int CKIV5980Doc::LastUsedRow(Program p)
{
    RequireColumns(p, kRequiredColumns[p]);
    return std::min(m_programs[p]->GetLastFilledIndex(0, -1), kProgramRows - 1);
}

CKIV5980Doc::ProgramRow CKIV5980Doc::ReadRow(Program p, int row)
{
    CDataTankList& list = *m_programs[p];
    auto cell = [&](int column, bool& has, double& value) {
        CDataTankObject* tank = list.GetObjectAt(column);
        fw::CString text;
        if (tank && row < tank->GetDataCount())
            tank->GetValueText(row, text, false);
        has = !text.IsEmpty();
        value = has ? tank->GetValue(row) : 0;
        if (has && !std::isfinite(value))
            has = false;
    };
    ProgramRow r;
    const double control = list.GetObjectAt(kControlColumn[p])->GetValue(row);
    r.control = (control >= kEndless && control <= kNotSet) ? static_cast<int>(control) : kNotSet;
    double repeat = 0;
    cell(kControlColumn[p] + 1, r.hasRepeat, repeat);
    r.repeat = static_cast<int>(repeat);
    switch (p) {
    case kProgInterval: {
        cell(0, r.hasFirst, r.first);
        cell(1, r.hasSecond, r.second);
        bool h = false, m = false, s = false;
        cell(2, h, r.hours);
        cell(3, m, r.minutes);
        cell(4, s, r.seconds);
        r.hasQuantity = h || m || s;
        break;
    }
    case kProgComparator:
        cell(0, r.hasFirst, r.first);
        cell(1, r.hasQuantity, r.quantity);
        break;
    default:
        cell(0, r.hasFirst, r.first);
        cell(1, r.hasQuantity, r.quantity);
        break;
    }
    return r;
}

int CKIV5980Doc::CheckRow(Program p, int row, int lastRow, bool messages)
{
    const ProgramMessages& m = kMessages[p];
    auto fail = [&](unsigned id, int number) {
        if (messages) {
            const fw::CString text = fw::Format(fw::LoadStringText(id).c_str(), number);
            fw::Prompt().MessageBox(text, fw::MB_OK | fw::MB_ICONEXCLAMATION, id);
        }
        return -1;
    };
    if (lastRow < 0) {
        if (messages)
            fw::AfxMessageBox(m.empty, fw::MB_OK | fw::MB_ICONEXCLAMATION);
        return -1;
    }
    const ProgramRow r = ReadRow(p, row);
    if (p == kProgInterval && r.hasFirst && !r.hasSecond)
        return fail(prjstr::kMsgIntervalNoStartTime, row + 1);
    if (r.control != kGoto) {
        if (!r.hasQuantity)
            return fail(m.noQuantity, row + 1);
        // A step of 0 or below would never move the threshold or the due
        // count past the value: the mode would measure without end.
        if (p == kProgComparator && r.quantity <= 0)
            return fail(prjstr::kMsgBadChangeAmount, row + 1);
        if (p == kProgCycle && r.quantity <= 0)
            return fail(m.noQuantity, row + 1);
        if (p == kProgInterval && r.hours * 3600 + r.minutes * 60 + r.seconds <= 0)
            return fail(m.noQuantity, row + 1);
    }
    auto channelCheck = [&]() {
        if (p == kProgComparator && !r.hasFirst)
            return fail(prjstr::kMsgCompNoChannel, row + 1);
        return row + 1;
    };
    switch (r.control) {
    case kEndless:
        return lastRow + 1;
    case kRepeat:
        if (!r.hasRepeat)
            return fail(m.noRepeat, row + 1);
        return channelCheck();
    case kGoto: {
        if (!r.hasRepeat)
            return fail(m.noRepeat, row + 1);
        std::vector<bool> visited(static_cast<size_t>(lastRow + 1), false);
        visited[static_cast<size_t>(row)] = true;
        int t = r.repeat - 1;
        if (t < 0)
            return fail(m.badGoto, row + 1);
        while (t <= lastRow) {
            const ProgramRow next = ReadRow(p, t);
            if (next.control != kGoto)
                break;
            if (visited[static_cast<size_t>(t)] || !next.hasRepeat || next.repeat < 1)
                return fail(m.badGoto, t + 1);
            visited[static_cast<size_t>(t)] = true;
            t = next.repeat - 1;
        }
        return t;
    }
    case kNotSet:
        return fail(m.noControl, row + 1);
    default:
        return channelCheck();
    }
}

int CKIV5980Doc::CheckIntervalRow(int row, int lastRow, bool messages)
{
    return CheckRow(kProgInterval, row, lastRow, messages);
}

int CKIV5980Doc::CheckComparatorRow(int row, int lastRow)
{
    return CheckRow(kProgComparator, row, lastRow, true);
}

int CKIV5980Doc::CheckCycleRow(int row, int lastRow)
{
    return CheckRow(kProgCycle, row, lastRow, true);
}

bool CKIV5980Doc::ValidateProgram(Program p)
{
    const int last = LastUsedRow(p);
    if (last < 0) {
        fw::AfxMessageBox(kMessages[p].empty, fw::MB_OK | fw::MB_ICONEXCLAMATION);
        return false;
    }
    std::vector<bool> visited(static_cast<size_t>(last + 1), false);
    int row = 0;
    for (;;) {
        if (visited[static_cast<size_t>(row)])
            return true;
        visited[static_cast<size_t>(row)] = true;
        const int next = CheckRow(p, row, last, true);
        if (next < 0)
            return false;
        if (next > last)
            return true;
        row = next;
    }
}

bool CKIV5980Doc::FollowGoto(Program p, int32_t& current, bool messages)
{
    const int last = LastUsedRow(p);
    for (int walk = 0; current <= last && walk < kMaxWalk; ++walk) {
        if (CheckRow(p, current, last, messages) < 0)
            return false;
        const ProgramRow r = ReadRow(p, current);
        if (r.control != kGoto)
            return true;
        current = r.repeat - 1;
        if (current > last)
            return false;
    }
    return current <= last;
}

bool CKIV5980Doc::CheckIntervalProgram() { return ValidateProgram(kProgInterval); }
bool CKIV5980Doc::StartComparator() { return ValidateProgram(kProgComparator); }
bool CKIV5980Doc::StartCycleTrigger() { return ValidateProgram(kProgCycle); }

bool CKIV5980Doc::IsIntervalTableEmpty()
{
    RequireColumns(kProgInterval, 7);
    const ProgramRow r = ReadRow(kProgInterval, 0);
    return !r.hasFirst && !r.hasSecond;
}

bool CKIV5980Doc::IsCycleTableEmpty()
{
    RequireColumns(kProgCycle, 4);
    return !ReadRow(kProgCycle, 0).hasFirst;
}

// ---------------------------------------------------------------- interval

bool CKIV5980Doc::AddRowInterval(fw::COleDateTime& time)
{
    const ProgramRow r = ReadRow(kProgInterval, m_nIntervalRow);
    const double span = r.hours / 24.0 + r.minutes / 1440.0 + r.seconds / 86400.0;
    if (!(std::fabs(span) <= kMaxSpanDays)) {
        time.SetStatus(fw::COleDateTime::invalid);
        return false;
    }
    time.m_dt += span;
    return true;
}

bool CKIV5980Doc::FirstIntervalTime(fw::COleDateTime& time, bool first)
{
    RequireColumns(kProgInterval, 7);
    if (!FollowGoto(kProgInterval, m_nIntervalRow, false))
        return false;
    if (m_nIntervalRow > LastUsedRow(kProgInterval))
        return false;
    const ProgramRow r = ReadRow(kProgInterval, m_nIntervalRow);
    const double t = Seconds(time.m_dt);
    const double datePart = r.hasFirst ? std::floor(r.first) : std::floor(t);
    const double timePart = Seconds(r.hasSecond ? r.second - std::floor(r.second) : t - std::floor(t));
    if (r.hasFirst && !first && datePart + timePart < t)
        return false;
    time.m_dt = datePart + timePart;
    time.SetStatus(fw::COleDateTime::valid);
    if (r.hasFirst)
        return true;
    if (!r.hasSecond)
        return AddRowInterval(time);
    const double now = Seconds(fw::COleDateTime::GetCurrentTime().m_dt);
    while (time.m_dt < now)
        time.m_dt += 1.0;
    return true;
}

bool CKIV5980Doc::StartInterval(fw::COleDateTime& time)
{
    m_nIntervalRow = 0;
    m_nIntervalRepeat = 0;
    m_intervalDue.SetStatus(fw::COleDateTime::null);
    return FirstIntervalTime(time, true);
}

bool CKIV5980Doc::ScheduleNextInterval(fw::COleDateTime& time)
{
    fw::COleDateTime due(Seconds(time.m_dt));
    m_intervalDue = due;
    const double now = Seconds(fw::COleDateTime::GetCurrentTime().m_dt);
    const int last = LastUsedRow(kProgInterval);
    if (m_nIntervalRow > last)
        return false;
    auto reached = [&](double p) { return p > now || std::fabs(p - now) <= kHalfSecond; };
    for (int walk = 0; walk < kMaxWalk * kProgramRows; ++walk) {
        if (CheckRow(kProgInterval, m_nIntervalRow, last, false) < 0)
            return false;
        const ProgramRow r = ReadRow(kProgInterval, m_nIntervalRow);
        bool nextRow = false;
        // Steps of this row that fell into the past are skipped, not caught up.
        for (;;) {
            if (r.control == kRepeat && ++m_nIntervalRepeat >= r.repeat) {
                nextRow = true;
                break;
            }
            if (r.control == kGoto) {
                nextRow = true;
                break;
            }
            if (!AddRowInterval(due))
                return false;
            if (reached(due.m_dt)) {
                time = due;
                return true;
            }
        }
        if (nextRow) {
            ++m_nIntervalRow;
            m_nIntervalRepeat = 0;
            if (!FirstIntervalTime(due, false))
                return false;
            if (reached(due.m_dt)) {
                time = due;
                return true;
            }
            if (m_nIntervalRow > last)
                return false;
        }
    }
    return false;
}

// -------------------------------------------------------------- comparator

bool CKIV5980Doc::PrepareComparatorRow(bool first)
{
    RequireColumns(kProgComparator, 4);
    if (!FollowGoto(kProgComparator, m_nCompRow, true))
        return false;
    if (m_nCompRow > LastUsedRow(kProgComparator))
        return false;
    const ProgramRow r = ReadRow(kProgComparator, m_nCompRow);
    m_pCompTank = GetChannelTank(static_cast<int>(r.first), kChannelList);
    if (!m_pCompTank)
        return false;
    const double d = r.quantity;
    double reference = 0;
    if (m_nCompMode == 0 || (m_nCompMode == 1 && !first)) {
        const double v = CurrentValue(m_pCompTank);
        if (!std::isfinite(v))
            return false;
        if (m_nCompMode == 0)
            reference = v;
        else
            reference = v > 0 ? d * std::floor(v / d) : d * std::ceil(v / d);
    }
    m_dCompUpper = reference + d;
    m_dCompLower = reference - d;
    return true;
}

std::vector<int16_t> CKIV5980Doc::GetComparatorChannels()
{
    RequireColumns(kProgComparator, 4);
    std::vector<int16_t> channels;
    const int last = LastUsedRow(kProgComparator);
    for (int row = 0; row <= last; ++row) {
        const ProgramRow r = ReadRow(kProgComparator, row);
        if (r.hasFirst && r.first >= 0)
            channels.push_back(static_cast<int16_t>(r.first));
    }
    return channels;
}

bool CKIV5980Doc::ResetComparator(int mode)
{
    m_nCompRow = 0;
    m_nCompRepeat = 0;
    m_nCompCrossing = 0;
    m_nCompMode = static_cast<int16_t>(mode);
    return PrepareComparatorRow(true);
}

int CKIV5980Doc::CheckComparatorLimits()
{
    const double v = CurrentValue(m_pCompTank);
    if (!std::isfinite(v))
        return 0;
    if (v >= m_dCompUpper) {
        m_nCompCrossing = 0;
        return 1;
    }
    if (v <= m_dCompLower) {
        m_nCompCrossing = 1;
        return 1;
    }
    return -1;
}

bool CKIV5980Doc::AdvanceComparator()
{
    RequireColumns(kProgComparator, 4);
    const int last = LastUsedRow(kProgComparator);
    if (m_nCompRow > last || CheckRow(kProgComparator, m_nCompRow, last, true) < 0)
        return false;
    const double v = CurrentValue(m_pCompTank);
    if (!std::isfinite(v))
        return false;
    const ProgramRow r = ReadRow(kProgComparator, m_nCompRow);
    const double d = r.quantity;
    auto countStep = [&]() {
        // True when the row is used up.
        return r.control == kRepeat && ++m_nCompRepeat >= r.repeat;
    };
    auto nextRow = [&]() {
        ++m_nCompRow;
        m_nCompRepeat = 0;
        return PrepareComparatorRow(false);
    };
    if (m_nCompCrossing == 1) {
        // Back inside the band already: the band keeps its width around the
        // crossed threshold, as after a step.
        if (v > m_dCompLower) {
            m_dCompUpper = m_dCompLower + 2 * d;
            return true;
        }
        for (int walk = 0; walk < (1 << 24); ++walk) {
            if (countStep())
                return nextRow();
            m_dCompLower -= d;
            if (v > m_dCompLower) {
                m_dCompUpper = m_dCompLower + 2 * d;
                return true;
            }
        }
        return false;
    }
    if (v < m_dCompUpper) {
        m_dCompLower = m_dCompUpper - 2 * d;
        return true;
    }
    for (int walk = 0; walk < (1 << 24); ++walk) {
        if (countStep())
            return nextRow();
        m_dCompUpper += d;
        if (v < m_dCompUpper) {
            m_dCompLower = m_dCompUpper - 2 * d;
            return true;
        }
    }
    return false;
}

double CKIV5980Doc::CurrentValue(CDataTankObject* tank)
{
    if (!tank)
        return HUGE_VAL;
    if (auto* calc = dynamic_cast<CCalcuDataTank*>(tank))
        return calc->GetResult();
    return tank->GetValue(tank->GetDataCount() - 1);
}

// ------------------------------------------------------------------- cycle

bool CKIV5980Doc::PrepareCycleRow(int count)
{
    RequireColumns(kProgCycle, 4);
    if (!FollowGoto(kProgCycle, m_nCycleRow, true))
        return false;
    if (m_nCycleRow > LastUsedRow(kProgCycle))
        return false;
    const ProgramRow r = ReadRow(kProgCycle, m_nCycleRow);
    if (r.hasFirst)
        m_nCycleDue = static_cast<int32_t>(r.first);
    else
        m_nCycleDue = (count >= 0 ? count : m_nCycleDue) + static_cast<int32_t>(r.quantity);
    return true;
}

bool CKIV5980Doc::ResetCycleTrigger(int count)
{
    m_nCycleRow = 0;
    m_nCycleRepeat = 0;
    m_nCycleDue = 0;
    return PrepareCycleRow(count);
}

int CKIV5980Doc::CheckCycleDue(int& count)
{
    count = m_boxArray.ReadCycleCount();
    if (count < 0)
        return 0;
    return count < m_nCycleDue ? -1 : 1;
}

bool CKIV5980Doc::AdvanceCycleTrigger(int count)
{
    RequireColumns(kProgCycle, 4);
    const int last = LastUsedRow(kProgCycle);
    if (m_nCycleRow > last || CheckRow(kProgCycle, m_nCycleRow, last, true) < 0 || count < 0)
        return false;
    const ProgramRow r = ReadRow(kProgCycle, m_nCycleRow);
    while (m_nCycleDue <= count) {
        if (r.control == kRepeat && ++m_nCycleRepeat >= r.repeat) {
            ++m_nCycleRow;
            m_nCycleRepeat = 0;
            if (!PrepareCycleRow(-1))
                return false;
            continue;
        }
        m_nCycleDue += static_cast<int32_t>(r.quantity);
    }
    return true;
}
